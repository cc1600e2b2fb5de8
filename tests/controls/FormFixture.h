#pragma once
// A small form for driving controls with keys: widgets stacked in a column on one shown,
// active top-level window, so that focus moves work as they do on a dialog.

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace controlstest {

class TestForm {
public:
    TestForm() : layout_(new QVBoxLayout(&window)) {}

    template <typename W>
    W* add(W* widget) {
        layout_->addWidget(widget);
        return widget;
    }

    // Shows the form and waits until it is the active window.
    void show() {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Gives the widget the focus as a Tab would.
    static void focus(QWidget* widget) {
        widget->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    static QWidget* focused() { return QApplication::focusWidget(); }

    // Types text of any script key by key (QTest::keyClicks knows only ASCII).
    static void type(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &release);
        }
    }

    QWidget window;

private:
    QVBoxLayout* layout_;
};

} // namespace controlstest
