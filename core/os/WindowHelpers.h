#pragma once
// Window helpers of the product line's forms on Qt widgets. Header-only on purpose: the core library links
// Qt Core alone, so these are compiled by the Qt Widgets targets (controls and above) that
// include them.

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <QWindow>

#include <cmath>

namespace core {

// Asks the window manager to raise and activate the window. On Linux the window manager applies
// its own policy against focus stealing, which a program cannot get around.
inline void ForceForegroundWindow(QWidget* window) {
    if (!window)
        return;
    window->raise();
    window->activateWindow();
}

namespace detail {

inline bool isMouseOrKeyEvent(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}

// Drops the mouse and key events of one window: of its native window, itself and the widgets
// inside it.
class InputDropFilter : public QObject {
public:
    explicit InputDropFilter(QWidget* window) : window_(window) {}
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!isMouseOrKeyEvent(event->type()))
            return false;
        if (receiver == window_->windowHandle())
            return true;
        QWidget* widget = receiver->isWidgetType() ? static_cast<QWidget*>(receiver) : nullptr;
        return widget && (widget == window_ || window_->isAncestorOf(widget));
    }

private:
    QWidget* window_;
};

} // namespace detail

// Removes the pending mouse events (move, buttons, double click, wheel) and key events of the
// window, so that what the user clicked or typed while the program was busy does not act.
// Posted events are taken out of the queue; input that the window system holds can only be
// read, so it is read once through a filter that drops the window's mouse and key events
// (other pending events are delivered as usual).
inline void FlushMouseKeyMessages(QWidget* window) {
    if (!window || !QCoreApplication::instance())
        return;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets)
        for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::Wheel, QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::removePostedEvents(widget, type);
    detail::InputDropFilter filter(window);
    QCoreApplication::instance()->installEventFilter(&filter);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&filter);
}

// A top-level window of this program by class name (the form's class, namespace ignored)
// and/or title, both compared ignoring case; an empty argument is not used, both empty give
// none. Linux gives a program no handle on other programs' windows, so only its own are
// searched. "desktop" asked for the desktop's icon list, which has no equivalent here: none.
inline QWidget* FindWindowHandle(const QString& className, const QString& title) {
    if (className.compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0)
        return nullptr;
    if (className.isEmpty() && title.isEmpty())
        return nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!className.isEmpty()) {
            QString name = QString::fromLatin1(widget->metaObject()->className());
            name = name.mid(name.lastIndexOf(u':') + 1);
            if (name.compare(className, Qt::CaseInsensitive) != 0)
                continue;
        }
        if (!title.isEmpty() && widget->windowTitle().compare(title, Qt::CaseInsensitive) != 0)
            continue;
        return widget;
    }
    return nullptr;
}

// The text's width in pixels in the font (at the screen's density) × factor, the fraction cut
// off.
inline int GetTextWidthScaled(const QString& text, const QFont& font, double factor) {
    return int(std::trunc(QFontMetrics(font).horizontalAdvance(text) * factor));
}

// The logical density of the screen of the active window, or of the primary screen; 0 when
// there is no screen.
inline int QtMainFormPixelsPerInch() {
    QWidget* main = QApplication::activeWindow();
    QScreen* screen = main && main->screen() ? main->screen() : QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 0;
}

} // namespace core
