#include "controls/forms/MainForm.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace controls {

namespace {
QPointer<QWidget>& mainForm() {
    static QPointer<QWidget> form;
    return form;
}
} // namespace

void SetMainForm(QWidget* form) {
    mainForm() = form;
}

QWidget* MainForm() {
    return mainForm();
}

QRect DesktopWorkArea() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QRect MainFormClientRect() {
    if (QWidget* form = MainForm())
        return QRect(form->mapToGlobal(QPoint(0, 0)), form->size());
    return DesktopWorkArea();
}

} // namespace controls
