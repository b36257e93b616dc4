#pragma once

#include <functional>

class QWidget;

namespace wareloom {

enum class TimerRepeat { Once, Repeating };

// Starts a timer that belongs to no window: proc runs on the GUI thread every
// periodMs (or once), inside whichever modal loop is running. Returns the
// timer's id, never 0.
int setThreadTimer(int periodMs, std::function<void()> proc,
                   TimerRepeat repeat = TimerRepeat::Repeating);
// Stops the timer; false when there is no such timer (a timer of
// TimerRepeat::Once is gone once it has run).
bool killThreadTimer(int timerId);

// The window the user works in: the active modal dialog, else the active window.
QWidget* activeWindow();

} // namespace wareloom
