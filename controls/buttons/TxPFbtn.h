#pragma once
// A small function-key panel: a raised panel that looks pressed for 200 ms when clicked and
// tells its form which key it stands for through the form's Tag: 0 for the panel named "ESC",
// 1 to 10 for "F1" to "F10".

#include <QFrame>
#include <QTimer>

namespace controls {

class TxPFbtn : public QFrame {
    Q_OBJECT
public:
    explicit TxPFbtn(QWidget* parent = nullptr);

    bool Lowered() const { return frameShadow() == QFrame::Sunken; }
    const QTimer& Timer() const { return timer_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setLowered(bool lowered);

    QTimer timer_;
    bool outlined_ = false; // the black line round a pressed panel
};

// The form Tag of a function-key panel's name; -1 for a name that stands for no key.
int FunctionKeyTag(const QString& name);

} // namespace controls
