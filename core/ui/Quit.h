#pragma once
// Ending the program goes through one replaceable handler, so that a test sees the request
// (and its exit code) instead of losing its process. The default leaves a running event loop
// with the code, or, when no loop runs yet, ends the process at once. The call returns when
// the handler does (tests, a running loop): the caller returns right after it.

#include <functional>

namespace core {

using QuitHandler = std::function<void(int exitCode)>;

// Installs the handler and returns the previous one; an empty handler restores the default.
QuitHandler setQuitHandler(QuitHandler handler);

void requestQuit(int exitCode);

} // namespace core
