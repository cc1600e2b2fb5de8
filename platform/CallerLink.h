#pragma once
// The link to the program that started us. On Windows the caller passes its window handle and
// a message number; we disable its window while we run, re-enable it, and post the result to
// it. Here the handle number names a local socket <runtimeDir()>/taxlink-window-<handle> on
// which the caller listens. Each call connects, sends one line and disconnects:
//
//   "<message> <wParam> <lParam>\n"   a posted message, decimal numbers (wParam unsigned,
//                                     lParam signed), e.g. "32769 1 0"
//   "enable 0\n" / "enable 1\n"       the caller's window is to be disabled / enabled again
//
// Handle 0 means "no window": every function returns false and sends nothing.

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace platform {

using WindowHandle = qint64;

QString windowSocketPath(WindowHandle handle);

// True when a caller listens under the handle (its socket exists).
bool isWindow(WindowHandle handle);

// Sends the message line. False when there is no such window or the line could not be sent.
bool postMessageToWindow(WindowHandle handle, quint32 message, quint64 wParam, qint64 lParam);

// Sends "enable 1" or "enable 0". False when there is no such window.
bool enableWindow(WindowHandle handle, bool enable);

// Bringing a window to the front has no counterpart here; reports whether the window exists.
bool setForegroundWindow(WindowHandle handle);

// The caller's side: listens under a handle number and collects the lines it receives. Needs
// a running event loop (or waitForLines) to receive.
class CallerWindow : public QObject {
    Q_OBJECT
public:
    // Throws std::runtime_error when the handle is 0, already in use by a live window, or the
    // socket cannot be created. A socket file left by a crashed caller is replaced.
    explicit CallerWindow(WindowHandle handle, QObject* parent = nullptr);
    ~CallerWindow() override;

    WindowHandle handle() const { return handle_; }
    QStringList lines() const { return lines_; }
    // False after an "enable 0" line until an "enable 1" line; true at the start.
    bool isEnabled() const { return enabled_; }

    // Processes events until at least `count` lines have arrived or the time is up.
    bool waitForLines(qsizetype count, int timeoutMs);

signals:
    void lineReceived(const QString& line);

private:
    void acceptConnections();
    void readLines(QLocalSocket* socket);

    WindowHandle handle_;
    QLocalServer* server_;
    QStringList lines_;
    bool enabled_ = true;
};

} // namespace platform
