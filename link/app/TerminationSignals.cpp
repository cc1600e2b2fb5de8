#include "link/app/TerminationSignals.h"

#include <QSocketNotifier>

#include <ibase.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace taxlink {

namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

// One watcher at a time; the handler reaches its pipe through these.
int signalPipe[2] = {-1, -1};
std::array<struct sigaction, kSignals.size()> formerActions{};
volatile sig_atomic_t watching = 0;

void notifyPipe(int signal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    // A full pipe already holds a request: the byte may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

void onSignal(int signal)
{
    notifyPipe(signal);
}

// The engine asks before it shuts down on a signal; while the program closes by itself, the
// answer is no (0 lets the shutdown go on, any other answer refuses it). Runs on the engine's
// own thread: the request goes through the pipe as well.
int refuseSignalShutdown(const int reason, const int /*mask*/, void* /*arg*/)
{
    if (reason != fb_shutrsn_signal || !watching)
        return 0;
    notifyPipe(SIGTERM);
    return 1; // refused
}

bool engineCallbackRegistered = false;

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent)
    , onSignal_(std::move(onSignal))
{
    if (watching || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignals(); });

    struct sigaction action {};
    action.sa_handler = &taxlink::onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &formerActions[i]);
    if (!engineCallbackRegistered) {
        // Registered once for the process; it answers only while a watcher exists.
        ISC_STATUS_ARRAY status{};
        engineCallbackRegistered =
            fb_shutdown_callback(status, &refuseSignalShutdown, fb_shut_confirmation, nullptr) == 0;
    }
    watching = 1;
    installed_ = true;
}

TerminationSignals::~TerminationSignals()
{
    if (!installed_)
        return;
    watching = 0;
    for (size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &formerActions[i], nullptr);
    delete notifier_;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignals::readSignals()
{
    unsigned char byte = 0;
    while (::read(signalPipe[0], &byte, 1) == 1)
        if (onSignal_)
            onSignal_(int(byte));
}

} // namespace taxlink
