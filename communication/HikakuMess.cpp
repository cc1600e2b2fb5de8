#include "communication/HikakuMess.h"

#include <QLabel>
#include <QPushButton>

namespace communication {

quint8 HikakuYes = 1;

namespace {

void SetTops(THikakuLayout& layout, std::initializer_list<std::pair<int, int>> tops)
{
    layout.Tops = {};
    for (const auto& [label, top] : tops)
        layout.Tops[size_t(label)] = top;
}

// Buttons below the last shown label, for the faces whose button row the design leaves open.
void ButtonsBelow(THikakuLayout& layout)
{
    int last = 0;
    for (int top : layout.Tops)
        last = std::max(last, top);
    layout.ButtonTop = last + 40;
    layout.Height = layout.ButtonTop + 76;
}

} // namespace

THikakuLayout OverwriteLayout(bool p, bool n, bool d)
{
    THikakuLayout l;
    if (p && n && d) {
        SetTops(l, {{1, 16}, {2, 35}, {3, 63}, {4, 87}, {5, 108}, {6, 124}, {7, 151}, {8, 172}, {9, 188}});
    } else if (p && n) {
        SetTops(l, {{1, 16}, {2, 35}, {3, 63}, {4, 89}, {5, 110}, {6, 126}});
        ButtonsBelow(l);
    } else if (p && d) {
        SetTops(l, {{1, 16}, {2, 35}, {3, 63}, {7, 89}, {8, 110}, {9, 126}});
        ButtonsBelow(l);
    } else if (n && d) {
        SetTops(l, {{1, 16}, {2, 35}, {4, 69}, {5, 90}, {6, 106}, {7, 133}, {8, 154}, {9, 170}});
        l.ButtonTop = 220;
        l.Height = 300;
    } else if (n) {
        SetTops(l, {{1, 16}, {2, 35}, {4, 69}, {5, 90}, {6, 106}});
        ButtonsBelow(l);
    } else if (d) {
        SetTops(l, {{1, 16}, {2, 35}, {7, 69}, {8, 90}, {9, 106}});
        ButtonsBelow(l);
    }
    return l;
}

THikakuLayout ReceiveLayout(TReceiveDiff diff, bool withLabel2)
{
    THikakuLayout l;
    l.Label1Text = QStringLiteral("中継サーバーのデータと下記相違点があるため受信出来ません。");
    l.Label2Text = QStringLiteral("データを切り換えて実行して下さい。");
    l.OkOnly = true;
    const int shift = withLabel2 ? 0 : 20;
    switch (diff) {
    case TReceiveDiff::Period:
        SetTops(l, {{7, 69 - shift}, {8, 90 - shift}, {9, 106 - shift}});
        l.ButtonTop = 150 - shift;
        l.Height = 230 - shift;
        break;
    case TReceiveDiff::NameAndPeriod:
        // Without the second line the block moves up by 30.
        SetTops(l, {{4, 69}, {5, 90}, {6, 106}, {7, 133}, {8, 154}, {9, 170}});
        l.ButtonTop = 220;
        l.Height = 300;
        if (!withLabel2) {
            for (int& top : l.Tops)
                top = top ? top - 30 : 0;
            l.ButtonTop = 190;
            l.Height = 270;
        }
        break;
    case TReceiveDiff::Name:
        SetTops(l, {{4, 69 - shift}, {5, 90 - shift}, {6, 106 - shift}});
        l.ButtonTop = 150 - shift;
        l.Height = 230 - shift;
        break;
    case TReceiveDiff::NameQuestion:
        l.Label1Text = QStringLiteral("商号が違いますが、受信を続行しますか？");
        SetTops(l, {{4, 49}, {5, 70}, {6, 86}});
        l.ButtonTop = 130;
        l.Height = 210;
        l.OkOnly = false;
        withLabel2 = false;
        break;
    }
    l.Tops[1] = 16;
    l.Tops[2] = withLabel2 ? 35 : 0;
    return l;
}

TfmHikakuMess2::TfmHikakuMess2(QWidget* owner)
    : controls::TBSDI(owner, bsDialog)
{
    setObjectName(QStringLiteral("fmHikakuMess2"));
    setWindowTitle(QStringLiteral("確認"));
    RirekiSw = false;
    AccInfoSw = false;
    KeepOnClose = true;
    const char* const texts[10] = {"",
                                   "中継サーバーに下記相違点のあるデータが存在します。",
                                   "このまま送信して上書きしてもいいですか？",
                                   "パスワードが違います。",
                                   "商号が違います。",
                                   "現在利用中の商号　：　",
                                   "中継サーバーの商号：　",
                                   "会計期間が違います。",
                                   "現在利用中の会計期間　：　",
                                   "中継サーバーの会計期間：　"};
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
    font.setPixelSize(12);
    for (int i = 1; i <= 9; ++i) {
        auto* label = new QLabel(QString::fromUtf8(texts[i]), this);
        label->setFont(font);
        label->setGeometry(16, 0, 430, 16);
        const QString colour = (i == 5 || i == 8) ? QStringLiteral("blue") : (i == 6 || i == 9) ? QStringLiteral("maroon") : QStringLiteral("black");
        label->setStyleSheet(QStringLiteral("color: %1").arg(colour));
        labels_[size_t(i)] = label;
    }
    button1_ = new QPushButton(QStringLiteral("はい"), this);
    button2_ = new QPushButton(QStringLiteral("いいえ"), this);
    button1_->setGeometry(110, 226, 90, 25);
    button2_->setGeometry(262, 226, 90, 25);
    connect(button1_, &QPushButton::clicked, this, [this] {
        HikakuYes = 1;
        done(1);
    });
    connect(button2_, &QPushButton::clicked, this, [this] {
        HikakuYes = 0;
        done(0);
    });
    HikakuYes = 1;
    setFixedSize(456, 190);
    InitOK = true;
}

void TfmHikakuMess2::Apply(const THikakuLayout& layout)
{
    labels_[1]->setText(layout.Label1Text);
    labels_[2]->setText(layout.Label2Text);
    labels_[5]->setText(QStringLiteral("現在利用中の商号　：　") + layout.OwnName);
    labels_[6]->setText(QStringLiteral("中継サーバーの商号：　") + layout.ServerName);
    labels_[8]->setText(QStringLiteral("現在利用中の会計期間　：　") + layout.OwnPeriod);
    labels_[9]->setText(QStringLiteral("中継サーバーの会計期間：　") + layout.ServerPeriod);
    for (int i = 1; i <= 9; ++i) {
        const int top = layout.Tops[size_t(i)];
        labels_[size_t(i)]->setVisible(top > 0);
        labels_[size_t(i)]->move(labels_[size_t(i)]->x(), top);
    }
    if (layout.OkOnly) {
        button1_->setText(QStringLiteral("ＯＫ"));
        button1_->move(190, layout.ButtonTop);
        button2_->hide();
    } else {
        button1_->setText(QStringLiteral("はい"));
        button1_->move(110, layout.ButtonTop);
        button2_->move(262, layout.ButtonTop);
        button2_->show();
    }
    setFixedSize(456, layout.Height);
}

} // namespace communication
