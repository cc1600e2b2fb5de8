#pragma once
// Waiting on the GUI thread without freezing the windows.

namespace core {

// Processes the application's pending events and sleeps 1 ms, again and again, until the given
// time has passed since the call. Always true.
bool DelayWithMessages(int milliseconds);

} // namespace core
