#pragma once
// The comparison window of the cash-book exchange: how the open data differs from a block of
// the relay server. The layouts are plain tables (which labels show, where, with which
// buttons); TfmHikakuMess2 applies one and answers through HikakuYes.

#include <QString>

#include <array>

#include "controls/forms/TBSDI.h"

class QLabel;
class QPushButton;

namespace communication {

// One face of the window. Labels are 1-based (index 0 unused); top 0 hides a label.
struct THikakuLayout {
    std::array<int, 10> Tops{};
    QString Label1Text = QStringLiteral("中継サーバーに下記相違点のあるデータが存在します。");
    QString Label2Text = QStringLiteral("このまま送信して上書きしてもいいですか？");
    // The texts after the fixed lead of labels 5, 6, 8 and 9 (trade names and periods).
    QString OwnName, ServerName, OwnPeriod, ServerPeriod;
    int ButtonTop = 226;
    int Height = 302;
    bool OkOnly = false; // Button1 becomes "ＯＫ" at left 190, Button2 hidden
};

// The send's comparison: password, trade name and period differ (p, n, d). Callers ask a plain
// question for p alone and need no window when nothing differs.
THikakuLayout OverwriteLayout(bool p, bool n, bool d);

// The refusals and the question of a cash-book receive.
enum class TReceiveDiff { Period, NameAndPeriod, Name, NameQuestion };
THikakuLayout ReceiveLayout(TReceiveDiff diff, bool withLabel2);

// The window's answer: 1 yes (or OK), 0 no.
extern quint8 HikakuYes;

class TfmHikakuMess2 : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TfmHikakuMess2(QWidget* owner = nullptr);
    void Apply(const THikakuLayout& layout);
    QLabel* Label(int index) const { return labels_[size_t(index)]; }
    QPushButton* Button1() const { return button1_; }
    QPushButton* Button2() const { return button2_; }

private:
    std::array<QLabel*, 10> labels_{};
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
};

} // namespace communication
