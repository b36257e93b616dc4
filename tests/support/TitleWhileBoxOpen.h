#pragma once

#include "gui/platform/MessageBox.h"

#include <QString>
#include <QWidget>

#include <memory>

namespace wareloom::test {

// Answers the next box with OK, noting what the window's title read while
// the box was up.
inline std::shared_ptr<QString> titleWhenBoxOpens(MessageBoxHook& boxes, const QWidget& window)
{
    auto title = std::make_shared<QString>();
    boxes.queueAnswer([title, &window](const ShownMessageBox&) {
        *title = window.windowTitle();
        return IDOK;
    });
    return title;
}

} // namespace wareloom::test
