#include "controls/dialogs/WindowKeyPreview.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace controls {

WindowKeyPreview::WindowKeyPreview(QWidget* form, Handler handler)
    : QObject(form), form_(form), handler_(std::move(handler)) {
    QCoreApplication::instance()->installEventFilter(this);
}

WindowKeyPreview::~WindowKeyPreview() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool WindowKeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != form_ || !form_->isVisible())
        return false;
    return handler_ && handler_(static_cast<QKeyEvent*>(event));
}

} // namespace controls
