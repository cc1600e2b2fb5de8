#pragma once
// SIGTERM, SIGINT and SIGHUP as a request to end the program in order. The signal handler only
// writes the signal's number into a pipe; a socket notifier reads it in the GUI thread and runs
// the handler there, so that the main form can close as the operator's close would (data set
// released, logon record deleted, the caller told).
//
// The embedded database engine shuts its connections down by itself on SIGTERM and SIGINT;
// while these signals are watched here, it is told not to (its shutdown confirmation is
// refused), so that the orderly close still finds its connections.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace taxlink {

class TerminationSignals : public QObject {
public:
    // onSignal runs in the GUI thread, once for each signal received.
    explicit TerminationSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    // The signals get their former handlers back.
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool installed() const { return installed_; }

private:
    void readSignals();

    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
    bool installed_ = false;
};

} // namespace taxlink
