#include "controls/buttons/TxPFbtn.h"

#include "controls/forms/FormState.h"

#include <QMouseEvent>
#include <QPainter>

namespace controls {

int FunctionKeyTag(const QString& name) {
    if (name == QStringLiteral("ESC"))
        return 0;
    for (int n = 1; n <= 10; ++n)
        if (name == QStringLiteral("F%1").arg(n))
            return n;
    return -1;
}

TxPFbtn::TxPFbtn(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { setLowered(false); });
}

void TxPFbtn::setLowered(bool lowered) {
    setFrameShadow(lowered ? QFrame::Sunken : QFrame::Raised);
    outlined_ = lowered;
    repaint();
}

void TxPFbtn::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        setLowered(true);
        timer_.start(200);
    }
    QFrame::mousePressEvent(event);
}

void TxPFbtn::mouseReleaseEvent(QMouseEvent* event) {
    setFrameShadow(QFrame::Raised);
    if (event->button() == Qt::LeftButton) {
        const int tag = FunctionKeyTag(objectName());
        if (tag >= 0)
            SetFormTag(window(), tag);
    }
    QFrame::mouseReleaseEvent(event);
}

void TxPFbtn::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (outlined_) {
        QPainter p(this);
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace controls
