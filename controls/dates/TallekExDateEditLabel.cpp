#include "controls/dates/TallekExDateEditLabel.h"

#include <QPainter>

namespace controls {

TTallekExDateEditLabel::TTallekExDateEditLabel(QWidget* owner) : QWidget(owner) {
    setFocusPolicy(Qt::NoFocus);
}

void TTallekExDateEditLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), color_);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont regular = font();
    regular.setBold(false);
    regular.setItalic(false);
    regular.setUnderline(false);
    p.setFont(regular);
    p.setPen(Qt::black);
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text_);
}

} // namespace controls
