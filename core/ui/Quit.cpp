#include "core/ui/Quit.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdlib>
#include <utility>

namespace core {

namespace {

void defaultQuit(int exitCode) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app && app->thread() == QThread::currentThread() && QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(exitCode);
        return;
    }
    std::exit(exitCode);
}

QuitHandler& currentHandler() {
    static QuitHandler handler;
    return handler;
}

} // namespace

QuitHandler setQuitHandler(QuitHandler handler) {
    return std::exchange(currentHandler(), std::move(handler));
}

void requestQuit(int exitCode) {
    if (const QuitHandler& handler = currentHandler())
        handler(exitCode);
    else
        defaultQuit(exitCode);
}

} // namespace core
