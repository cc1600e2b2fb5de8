#include "core/os/DelayWithMessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace core {

bool DelayWithMessages(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return true;
}

} // namespace core
