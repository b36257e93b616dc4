#include "gui/platform/ResourceDialog.h"

#include "gui/platform/DialogControls.h"
#include "gui/platform/ListBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolBar>
#include <QVBoxLayout>

namespace wareloom {

ResourceDialog::ResourceDialog(const DialogTemplate& dialog, std::span<const Command> commands,
                               QWidget* parent)
    : QDialog(parent), m_commands(commands)
{
    setWindowTitle(dialog.caption);
    setFont(dialogFont(dialog));
    m_units = DialogUnits::forFont(font());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_client = new QWidget(this);
    m_client->setFixedSize(m_units.toPixels(dialog.size));
    layout->addWidget(m_client);

    buildControls(dialog);
}

ResourceDialog::~ResourceDialog() = default;

void ResourceDialog::buildControls(const DialogTemplate& dialog)
{
    for (const ControlTemplate& c : dialog.controls) {
        QWidget* widget = createControl(c, m_client);
        widget->setGeometry(m_units.toPixels(c.rect));
        if (c.id == IDC_STATIC)
            continue;
        widget->setObjectName(QStringLiteral("control%1").arg(c.id));
        m_controls.insert(c.id, widget);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, id = c.id] { sendCommand(id); });
        } else if (auto* list = qobject_cast<ListBox*>(widget)) {
            connect(list, &ListBox::selectionChangedByUser, this,
                    [this, id = c.id] { sendCommand(id, Notification::SelectionChange); });
        }
    }
}

int ResourceDialog::DoModal()
{
    initialiseOnce();
    if (m_endedDuringInit)
        return result();
    return exec();
}

void ResourceDialog::EndDialog(int result)
{
    if (m_initialising) {
        // Not running yet: end as soon as the dialog would start.
        m_endedDuringInit = true;
        setResult(result);
        QMetaObject::invokeMethod(
            this, [this, result] { done(result); }, Qt::QueuedConnection);
        return;
    }
    done(result);
}

void ResourceDialog::initialiseOnce()
{
    if (m_initialised)
        return;
    m_initialised = true;
    m_initialising = true;
    OnInitDialog();
    m_initialising = false;
}

void ResourceDialog::showEvent(QShowEvent* event)
{
    initialiseOnce();
    QDialog::showEvent(event);
}

const ResourceDialog::Command* ResourceDialog::findCommand(int id, Notification notification) const
{
    for (const Command& command : m_commands) {
        if (command.id == id && command.notification == notification)
            return &command;
    }
    return nullptr;
}

bool ResourceDialog::handlesCommand(int id, Notification notification) const
{
    return findCommand(id, notification) ||
           (notification == Notification::Command && (id == IDOK || id == IDCANCEL));
}

bool ResourceDialog::sendCommand(int id, Notification notification)
{
    if (const Command* command = findCommand(id, notification)) {
        (this->*(command->handler))();
        return true;
    }
    if (notification != Notification::Command)
        return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void ResourceDialog::OnInitDialog()
{
    DoDataExchange();
}

void ResourceDialog::OnOK()
{
    EndDialog(IDOK);
}

void ResourceDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void ResourceDialog::OnClose()
{
    sendCommand(IDCANCEL);
}

void ResourceDialog::accept()
{
    sendCommand(IDOK);
}

void ResourceDialog::reject()
{
    sendCommand(IDCANCEL);
}

void ResourceDialog::closeEvent(QCloseEvent* event)
{
    if (!isVisible()) {
        event->accept();
        return;
    }
    OnClose();
    // The handler may keep the dialog open, or only hide it.
    if (isVisible())
        event->ignore();
    else
        event->accept();
}

void ResourceDialog::keyPressEvent(QKeyEvent* event)
{
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // Enter presses the default button; without one it is the OK command.
        const QList<QPushButton*> buttons = findChildren<QPushButton*>();
        for (QPushButton* button : buttons) {
            if (button->isDefault() && button->isVisible()) {
                if (button->isEnabled())
                    button->click();
                return;
            }
        }
        sendCommand(IDOK);
        return;
    }
    QDialog::keyPressEvent(event);
}

QWidget* ResourceDialog::control(int id) const
{
    return m_controls.value(id);
}

QString ResourceDialog::controlText(int id) const
{
    QWidget* widget = control(id);
    if (!widget)
        return {};
    const QVariant text = widget->property("text");
    return text.isValid() ? text.toString() : widget->windowTitle();
}

void ResourceDialog::setControlText(int id, const QString& text)
{
    QWidget* widget = control(id);
    if (!widget)
        return;
    const QSignalBlocker quiet(widget);
    if (!widget->setProperty("text", text))
        widget->setWindowTitle(text);
}

ListBox* ResourceDialog::listBox(int listId) const
{
    return qobject_cast<ListBox*>(control(listId));
}

void ResourceDialog::listResetContent(int listId)
{
    if (ListBox* list = listBox(listId)) {
        const QSignalBlocker quiet(list);
        list->clear();
    }
}

int ResourceDialog::listAddString(int listId, const QString& text)
{
    ListBox* list = listBox(listId);
    if (!list)
        return -1;
    const QSignalBlocker quiet(list);
    list->addItem(text);
    return list->count() - 1;
}

int ResourceDialog::listCount(int listId) const
{
    const ListBox* list = listBox(listId);
    return list ? list->count() : 0;
}

int ResourceDialog::listCurrentSelection(int listId) const
{
    const ListBox* list = listBox(listId);
    return list ? list->selectedRow() : -1;
}

QString ResourceDialog::listText(int listId, int index) const
{
    const ListBox* list = listBox(listId);
    const QListWidgetItem* item = list ? list->item(index) : nullptr;
    return item ? item->text() : QString();
}

QAction* ResourceDialog::addCommandAction(QAction* action, int commandId)
{
    action->setData(commandId);
    connect(action, &QAction::triggered, this, [this, commandId] { sendCommand(commandId); });
    return action;
}

void ResourceDialog::setMenu(const MenuTemplate& menu)
{
    delete m_menuBar;
    m_menuBar = new QMenuBar(this);
    m_menuBar->setNativeMenuBar(false);
    m_menuBar->setFont(QApplication::font(m_menuBar)); // menus keep the system font
    for (const MenuPopup& popup : menu) {
        QMenu* pulldown = m_menuBar->addMenu(popup.text);
        for (const MenuEntry& entry : popup.entries)
            addCommandAction(pulldown->addAction(entry.text), entry.commandId);
    }
    layout()->setMenuBar(m_menuBar);
    m_menuBar->show();
    layout()->activate();
}

QToolBar* ResourceDialog::createToolBar(const ToolbarTemplate& toolbar)
{
    const int buttons = int(toolbar.commandIds.size());
    if (toolbar.strip.isNull() || toolbar.strip.width() < buttons * toolbar.buttonImage.width() ||
        toolbar.strip.height() < toolbar.buttonImage.height())
        return nullptr;
    delete m_toolBar;
    m_toolBar = new QToolBar(this);
    m_toolBar->setFont(QApplication::font(m_toolBar));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(toolbar.buttonImage);
    for (int i = 0; i < buttons; ++i) {
        const QImage image = toolbar.strip.copy(
            QRect(QPoint(i * toolbar.buttonImage.width(), 0), toolbar.buttonImage));
        auto* action = new QAction(QIcon(QPixmap::fromImage(image)), QString(), m_toolBar);
        m_toolBar->addAction(addCommandAction(action, toolbar.commandIds[size_t(i)]));
    }
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_toolBar);
    m_toolBar->show();
    layout()->activate();
    return m_toolBar;
}

QAction* ResourceDialog::commandAction(int commandId) const
{
    QList<QAction*> actions;
    if (m_menuBar)
        actions += m_menuBar->findChildren<QAction*>();
    if (m_toolBar)
        actions += m_toolBar->actions();
    for (QAction* action : actions) {
        if (!action->menu() && action->data().toInt() == commandId)
            return action;
    }
    return nullptr;
}

} // namespace wareloom
