#pragma once
// While the archiver packs or unpacks, Esc must not cancel the program's dialogs: an
// application event filter eats every Esc key press. One guard for the whole module: a guard
// installs the filter only when none is installed and removes only what it installed.

namespace communication {

class EscKeyHook {
public:
    EscKeyHook();
    ~EscKeyHook();
    EscKeyHook(const EscKeyHook&) = delete;
    EscKeyHook& operator=(const EscKeyHook&) = delete;

    // True while a guard holds the filter.
    static bool Installed();

private:
    bool installedHere_ = false;
};

} // namespace communication
