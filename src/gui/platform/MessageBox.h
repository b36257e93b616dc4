#pragma once

#include "gui/platform/MessageAnswer.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <deque>
#include <functional>
#include <variant>

namespace wareloom {

// YesNoDefaultNo: Yes and No with No as the default, for a question whose Yes
// destroys more than the user may think.
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
enum class MessageIcon { None, Information, Warning, Error, Question };

// The program's one message box: shows text under caption, owned by owner
// (none: owned by nothing), and returns the button chosen.
MessageAnswer messageBox(QWidget* owner, const QString& text, const QString& caption,
                         MessageButtons buttons = MessageButtons::Ok,
                         MessageIcon icon = MessageIcon::None);

struct ShownMessageBox
{
    QPointer<QWidget> owner;
    QString text;
    QString caption;
    MessageButtons buttons;
    MessageIcon icon;
    MessageAnswer answer; // what messageBox() returned
};

// For tests: while a hook lives, messageBox() shows nothing and does not
// block. It records every box and answers with the queued answers in turn;
// a box with no answer queued gets Ok (Ok box) or No (Yes/No box).
class MessageBoxHook
{
public:
    using Answerer = std::function<MessageAnswer(const ShownMessageBox&)>;

    MessageBoxHook();
    ~MessageBoxHook();
    MessageBoxHook(const MessageBoxHook&) = delete;
    MessageBoxHook& operator=(const MessageBoxHook&) = delete;

    void queueAnswer(MessageAnswer answer);
    // Runs when its box comes, while the caller waits for the answer.
    void queueAnswer(Answerer answerer);
    int pendingAnswers() const { return int(m_answers.size()); }

    const QList<ShownMessageBox>& shown() const { return m_shown; }
    void clear();

    // Used by messageBox().
    static MessageBoxHook* active();
    MessageAnswer answer(ShownMessageBox box);

private:
    std::deque<std::variant<MessageAnswer, Answerer>> m_answers;
    QList<ShownMessageBox> m_shown;
};

} // namespace wareloom
