#pragma once

// The event-handler boundary of the secondary windows: whatever a handler did not catch ends
// the user action with a German error box, never the program.

#include <functional>

void RunGuarded(const std::function<void()> &handler);

// A window's handler as a slot that runs it guarded.
template <typename Window> auto Guarded(Window *window, void (Window::*handler)())
{
    return [window, handler] { RunGuarded([window, handler] { (window->*handler)(); }); };
}
