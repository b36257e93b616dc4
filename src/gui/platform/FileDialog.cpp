#include "gui/platform/FileDialog.h"

#include <QFileDialog>

namespace wareloom {
namespace {

FileDialogHook* g_hook = nullptr;

} // namespace

std::optional<QString> openFileDialog(QWidget* owner)
{
    if (FileDialogHook* hook = FileDialogHook::active())
        return hook->answer();

    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> saveFileDialog(QWidget* owner, const QString& suggestedName,
                                      const QString& filter)
{
    if (FileDialogHook* hook = FileDialogHook::active())
        return hook->answer();

    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

FileDialogHook::FileDialogHook()
{
    Q_ASSERT(!g_hook);
    g_hook = this;
}

FileDialogHook::~FileDialogHook()
{
    g_hook = nullptr;
}

FileDialogHook* FileDialogHook::active()
{
    return g_hook;
}

void FileDialogHook::queueChoice(const QString& path)
{
    m_choices.emplace_back(path);
}

void FileDialogHook::queueCancel()
{
    m_choices.emplace_back(std::nullopt);
}

std::optional<QString> FileDialogHook::answer()
{
    ++m_shown;
    if (m_choices.empty())
        return std::nullopt;
    std::optional<QString> choice = std::move(m_choices.front());
    m_choices.pop_front();
    return choice;
}

} // namespace wareloom
