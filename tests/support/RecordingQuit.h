#pragma once
// Catches core::requestQuit for one test: the exit codes asked for are recorded instead of
// ending the test process.

#include "core/ui/Quit.h"

#include <QList>

namespace testsupport {

class RecordingQuit {
public:
    QList<int> exitCodes;

    RecordingQuit() : previous_(core::setQuitHandler([this](int code) { exitCodes << code; })) {}
    ~RecordingQuit() { core::setQuitHandler(previous_); }
    RecordingQuit(const RecordingQuit&) = delete;
    RecordingQuit& operator=(const RecordingQuit&) = delete;

private:
    core::QuitHandler previous_;
};

} // namespace testsupport
