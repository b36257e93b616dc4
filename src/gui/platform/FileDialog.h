#pragma once

#include <QList>
#include <QString>

#include <deque>
#include <optional>

class QWidget;

namespace wareloom {

// The open-file dialog: one file, every file listed, no title, no filter and
// no starting folder of the program's choosing. A typed name of a file that
// does not exist is accepted. Returns the full path, or nothing when cancelled.
std::optional<QString> openFileDialog(QWidget* owner = nullptr);

// The save-file dialog, suggesting a name; asks before replacing a file.
std::optional<QString> saveFileDialog(QWidget* owner, const QString& suggestedName,
                                      const QString& filter);

// For tests: while a hook lives, openFileDialog() and saveFileDialog() show nothing; they answer
// with the queued choices in turn, and with "cancelled" when none is queued.
class FileDialogHook
{
public:
    FileDialogHook();
    ~FileDialogHook();
    FileDialogHook(const FileDialogHook&) = delete;
    FileDialogHook& operator=(const FileDialogHook&) = delete;

    void queueChoice(const QString& path);
    void queueCancel();
    int shownCount() const { return m_shown; }

    // Used by openFileDialog().
    static FileDialogHook* active();
    std::optional<QString> answer();

private:
    std::deque<std::optional<QString>> m_choices;
    int m_shown = 0;
};

} // namespace wareloom
