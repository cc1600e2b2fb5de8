#pragma once
// The preview's margin dialog: the printed image shifted up or down and left or right in 0.1 mm
// (-100 to 100) and the vertical and horizontal scale corrected in tenths of a percent (-50 to 50).

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace print {

class Tfmyohaku : public QDialog {
    Q_OBJECT
public:
    explicit Tfmyohaku(QWidget* owner = nullptr);

    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLineEdit* ED_TOP = nullptr;   // 上下
    QLineEdit* ED_LEFT = nullptr;  // 左右
    QLineEdit* ED_VRATIO = nullptr; // 縦補正
    QLineEdit* ED_HRATIO = nullptr; // 横補正
    QPushButton* Button1 = nullptr;

    int TopMargin() const { return top_; }
    void SetTopMargin(int v);
    int LeftMargin() const { return left_; }
    void SetLeftMargin(int v);
    int VRatio() const { return vratio_; }
    void SetVRatio(int v);
    int HRatio() const { return hratio_; }
    void SetHRatio(int v);

    // Leaving an edit: its number clamped to its row's range.
    void ED_TOPExit(QLineEdit* edit);
    void Button1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int top_ = 0, left_ = 0, vratio_ = 0, hratio_ = 0;
};

} // namespace print
