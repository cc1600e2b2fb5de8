#include "communication/EscKeyHook.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

namespace communication {

namespace {

class EscFilter : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyRelease) {
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

EscFilter* g_hook = nullptr; // the module-wide handle

} // namespace

EscKeyHook::EscKeyHook()
{
    if (g_hook || !QCoreApplication::instance())
        return;
    g_hook = new EscFilter;
    QCoreApplication::instance()->installEventFilter(g_hook);
    installedHere_ = true;
}

EscKeyHook::~EscKeyHook()
{
    if (!installedHere_)
        return;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(g_hook);
    delete g_hook;
    g_hook = nullptr;
}

bool EscKeyHook::Installed()
{
    return g_hook != nullptr;
}

} // namespace communication
