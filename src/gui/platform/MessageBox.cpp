#include "gui/platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace wareloom {
namespace {

MessageBoxHook* g_hook = nullptr;

// Room in the title bar beside the caption: its icon and buttons.
constexpr int CaptionReserve = 120;

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer messageBox(QWidget* owner, const QString& text, const QString& caption,
                         MessageButtons buttons, MessageIcon icon)
{
    if (MessageBoxHook* hook = MessageBoxHook::active())
        return hook->answer({owner, text, caption, buttons, icon, MessageAnswer::Ok});

    // A run without windows (no display): the message goes to standard error.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }

    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    // A title bar does not wrap: a short text must not leave the caption cut.
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }")
                          .arg(box.fontMetrics().horizontalAdvance(caption) + CaptionReserve));
    if (buttons != MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(buttons == MessageButtons::YesNo ? QMessageBox::Yes : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.exec();
    if (buttons != MessageButtons::Ok)
        return box.clickedButton() == box.button(QMessageBox::Yes) ? MessageAnswer::Yes
                                                                   : MessageAnswer::No;
    return MessageAnswer::Ok;
}

MessageBoxHook::MessageBoxHook()
{
    Q_ASSERT(!g_hook);
    g_hook = this;
}

MessageBoxHook::~MessageBoxHook()
{
    g_hook = nullptr;
}

MessageBoxHook* MessageBoxHook::active()
{
    return g_hook;
}

void MessageBoxHook::queueAnswer(MessageAnswer answer)
{
    m_answers.emplace_back(answer);
}

void MessageBoxHook::queueAnswer(Answerer answerer)
{
    m_answers.emplace_back(std::move(answerer));
}

void MessageBoxHook::clear()
{
    m_answers.clear();
    m_shown.clear();
}

MessageAnswer MessageBoxHook::answer(ShownMessageBox box)
{
    box.answer = box.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    const qsizetype index = m_shown.size();
    m_shown.append(box);
    if (!m_answers.empty()) {
        auto next = std::move(m_answers.front());
        m_answers.pop_front();
        if (const MessageAnswer* fixed = std::get_if<MessageAnswer>(&next))
            box.answer = *fixed;
        else
            box.answer = std::get<Answerer>(next)(box);
    }
    m_shown[index].answer = box.answer;
    return box.answer;
}

} // namespace wareloom
