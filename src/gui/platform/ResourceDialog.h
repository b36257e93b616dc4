#pragma once

#include "gui/platform/DialogTemplate.h"
#include "gui/platform/DialogUnits.h"
#include "gui/platform/StandardIds.h"

#include <QDialog>
#include <QHash>

#include <span>

class QAction;
class QMenuBar;
class QToolBar;

namespace wareloom {

class ListBox;

// Base of the program's dialogs: builds the dialog from its template, finds
// controls by id and sends every command (button, menu entry, toolbar button,
// list notification) through the dialog class's command table.
//
// A dialog class declares its handlers and one table:
//
//   class NewCategory : public wareloom::ResourceDialog {
//       void OnSave();
//       static std::span<const Command> commandTable();
//   };
//   std::span<const ResourceDialog::Command> NewCategory::commandTable() {
//       static const Command table[] = {onCommand(1005, &NewCategory::OnSave)};
//       return table;
//   }
//   NewCategory::NewCategory() : ResourceDialog(newCategoryTemplate(), commandTable()) {}
//
// Command IDOK (button 1) goes to OnOK() and IDCANCEL (button 2, Esc, the
// close box through OnClose()) to OnCancel() unless the table binds them.
// Enter anywhere presses the default button (a push button with the focus is
// the default while it has it); a dialog without one gets IDOK. Menu entries
// (setMenu) and toolbar buttons (createToolBar) send their command ids through
// the same table.
class ResourceDialog : public QDialog
{
    Q_OBJECT

public:
    using Handler = void (ResourceDialog::*)();
    enum class Notification { Command, SelectionChange };
    struct Command
    {
        int id;
        Notification notification;
        Handler handler;
    };

    template <class Dialog> static Command onCommand(int id, void (Dialog::*handler)())
    {
        return {id, Notification::Command, static_cast<Handler>(handler)};
    }
    template <class Dialog> static Command onSelectionChange(int listId, void (Dialog::*handler)())
    {
        return {listId, Notification::SelectionChange, static_cast<Handler>(handler)};
    }

    explicit ResourceDialog(const DialogTemplate& dialog, std::span<const Command> commands = {},
                            QWidget* parent = nullptr);
    ~ResourceDialog() override;

    // Initialises the dialog (OnInitDialog) and runs it modally; returns the
    // result EndDialog() was given.
    int DoModal();
    // Ends the dialog with the result. During OnInitDialog the dialog ends as
    // soon as it would start.
    void EndDialog(int result);

    // Sends a command as a button, menu entry or toolbar button would; false
    // when nothing handles it.
    bool sendCommand(int id, Notification notification = Notification::Command);
    bool handlesCommand(int id, Notification notification = Notification::Command) const;

    QWidget* control(int id) const;
    template <class Widget> Widget* controlAs(int id) const
    {
        return qobject_cast<Widget*>(control(id));
    }
    QString controlText(int id) const;
    void setControlText(int id, const QString& text);

    // The list box operations; changes made here are not notified.
    void listResetContent(int listId);
    int listAddString(int listId, const QString& text);
    int listCount(int listId) const;
    int listCurrentSelection(int listId) const;
    QString listText(int listId, int index) const;

    // The menu bar (replacing any earlier one) and a toolbar above the controls;
    // the dialog grows to make room. createToolBar returns nullptr when the
    // strip holds no image for every button.
    void setMenu(const MenuTemplate& menu);
    QMenuBar* menu() const { return m_menuBar; }
    QToolBar* createToolBar(const ToolbarTemplate& toolbar);
    QToolBar* toolBar() const { return m_toolBar; }
    // The menu entry or toolbar button sending the command (the first found).
    QAction* commandAction(int commandId) const;

    // The area the template's controls lie in, below the menu bar and toolbar.
    QWidget* clientArea() const { return m_client; }
    const DialogUnits& dialogUnits() const { return m_units; }

public Q_SLOTS:
    void accept() override;
    void reject() override;

protected:
    // Runs once before the dialog first shows; the default runs DoDataExchange().
    virtual void OnInitDialog();
    virtual void DoDataExchange() {}
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnClose();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls(const DialogTemplate& dialog);
    void initialiseOnce();
    const Command* findCommand(int id, Notification notification) const;
    ListBox* listBox(int listId) const;
    QAction* addCommandAction(QAction* action, int commandId);

    std::span<const Command> m_commands;
    DialogUnits m_units;
    QWidget* m_client = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    QHash<int, QWidget*> m_controls;
    bool m_initialised = false;
    bool m_initialising = false;
    bool m_endedDuringInit = false;
};

} // namespace wareloom
