#pragma once
// The unit label after each box of the date edit ("年", "月" …): its text centred on one line
// inside a flat border, black on the label colour.

#include <QWidget>

namespace controls {

class TTallekExDateEditLabel : public QWidget {
    Q_OBJECT
public:
    explicit TTallekExDateEditLabel(QWidget* owner);

    QString Text() const { return text_; }
    void SetText(const QString& text) { text_ = text; update(); }
    QColor Color() const { return color_; }
    void SetColor(const QColor& color) { color_ = color; update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QColor color_ = QColor(0xE4, 0xE4, 0xE4);
};

} // namespace controls
