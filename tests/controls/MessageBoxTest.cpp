#include "../core/QtPrinters.h"
#include "../support/ModalAnswerer.h"
#include "../support/RecordingMessageService.h"
#include "../support/TestEnvironment.h"

#include "controls/buttons/TxCheckBox.h"
#include "controls/buttons/TxPlButton.h"
#include "controls/dialogs/LongHint.h"
#include "controls/dialogs/MessageCatalogue.h"
#include "controls/dialogs/ProgramMessageService.h"
#include "controls/dialogs/TInputDlgBox.h"
#include "controls/dialogs/TMessageBox.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/edits/TxEdit.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace controls;
using testsupport::ModalAnswerer;

namespace {

TMessage2InfoRec record(quint8 kind, const QStringList& lines) {
    TMessage2InfoRec info;
    InitMessage2Info(kind, info);
    for (int i = 0; i < lines.size(); ++i)
        info.Lines[size_t(i)].Text = lines.at(i);
    return info;
}

// A prepared box, shown without blocking.
struct OpenBox {
    explicit OpenBox(const TMessage2InfoRec& info) {
        box.SetMessageInfo(info);
        box.Prepare();
        box.open();
        QApplication::setActiveWindow(&box);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
    }
    TMessageBox2 box;
};

QStringList numbered(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("行%1").arg(i);
    return lines;
}

} // namespace

TEST(MessageBox2, InitMessage2InfoByKind) {
    struct Case {
        quint8 kind;
        quint8 storedKind;
        QString caption;
        core::MessageButtons buttons;
    };
    const Case cases[] = {
        {0, 0, QStringLiteral("警告"), core::mbOK},      {1, 1, QStringLiteral("エラー"), core::mbOK},
        {2, 2, QStringLiteral("情報"), core::mbOK},      {3, 3, QStringLiteral("確認"), core::mbOKCancel},
        {4, 4, QString(), core::mbOK},                   {9, 4, QString(), core::mbOK},
    };
    for (const Case& c : cases) {
        TMessage2InfoRec info;
        info.MsgNo = 5;
        info.Lines[3] = {QStringLiteral("残り"), 255, QStringLiteral("x")};
        info.AgreeMode = 1;
        info.AgreeChecked = true;
        info.DefaultButton = 2;
        InitMessage2Info(c.kind, info);
        EXPECT_EQ(info.Kind, c.storedKind) << int(c.kind);
        EXPECT_EQ(info.Caption, c.caption) << int(c.kind);
        EXPECT_EQ(info.Buttons, c.buttons) << int(c.kind);
        EXPECT_EQ(info.MsgNo, 0);
        EXPECT_TRUE(info.Lines[3].Text.isEmpty() && info.Lines[3].Link.isEmpty() && info.Lines[3].Color == 0);
        EXPECT_EQ(info.AgreeMode, 0);
        EXPECT_FALSE(info.AgreeChecked);
        EXPECT_EQ(info.DefaultButton, 0);
    }
}

TEST(MessageBox2, CatalogueTable) {
    struct Case {
        qint32 number;
        quint8 kind;
        QString caption;
        core::MessageButtons buttons;
        int lineCount;
        QString firstLine;
        QList<int> redLines;
    };
    const core::MessageButtons ok = core::mbOK;
    const core::MessageButtons okCancel = core::mbOKCancel;
    const Case cases[] = {
        {4112, 3, "確認", okCancel, 4, "このデータはお使いのプログラムより新しいプログラムでデータ更新が行われています。", {}},
        {4113, 2, "情報", ok, 4, "このデータは「データの更新」処理を行うことが禁止されています。", {}},
        {4114, 2, "情報", ok, 3, "このデータは「仕訳の入力」が禁止されています。", {}},
        {4128, 2, "情報", ok, 3,
         "このデータは現金出納帳システムと通信しています。マスター情報の変更は、事前に現金出納帳システムから", {}},
        {4144, 3, "エラー", ok, 3, "データ使用後検証の結果、このデータは破損している恐れがあります。", {}},
        {8212, 2, "情報", ok, 4, "過年度明細の取り込みが行われていません。", {}},
        {268439568, 2, "情報", ok, 1, "振替形式で作成された仕訳のため、訂正・削除を行うことはできません。", {}},
        {268439569, 2, "情報", ok, 1, "この仕訳は他処理で作成された自動仕訳のため、自科目訂正を行うことはできません。", {}},
        {268439570, 2, "情報", ok, 1, "振替形式で作成された仕訳が含まれているため、訂正・削除を行うことはできません。", {}},
        {268443664, 3, "確認", okCancel, 2, "会計データと連動する項目を「上書き入力」に切り替えます。", {}},
        {268443665, 3, "確認", okCancel, 3, "会計データと連動する項目を「自動取得」に切り替えます。", {2}},
        {268447760, 3, "内訳書の削除", okCancel, 4, "選択行の内訳を削除します、よろしいですか？", {1, 2, 3}},
        {268447761, 3, "内訳書の削除", okCancel, 4, "選択行の内訳を削除します、よろしいですか？", {1, 2, 3}},
        {268447762, 3, "内訳書の削除", okCancel, 4, "選択行の内訳を削除します、よろしいですか？", {1, 2, 3}},
        {268451856, 2, "情報", ok, 1,
         "「基本設定」の「消費税＞一括税抜処理区分」に[処理する]が選択されているため、消費税処理区分を[税込]へは変更出来ません。", {}},
        {12345, 2, "情報", ok, 0, "", {}}, // unknown: an empty information box
    };
    for (const Case& c : cases) {
        TMessage2InfoRec info = record(0, {QStringLiteral("前の行")});
        info.AgreeMode = 1;
        info.AgreeCaption = QStringLiteral("同意");
        ApplyMessageCatalogue(c.number, info);
        EXPECT_EQ(info.Kind, c.kind) << c.number;
        EXPECT_EQ(info.Caption, c.caption) << c.number;
        EXPECT_EQ(info.Buttons, c.buttons) << c.number;
        EXPECT_EQ(info.AgreeMode, 0) << c.number;
        int count = 0;
        for (size_t i = 0; i < info.Lines.size(); ++i) {
            const TMessage2LineRec& line = info.Lines[i];
            if (!line.Text.isEmpty())
                ++count;
            EXPECT_TRUE(line.Link.isEmpty());
            EXPECT_EQ(line.Color, c.redLines.contains(int(i)) ? 255 : 0) << c.number << " line " << i;
        }
        EXPECT_EQ(count, c.lineCount) << c.number;
        EXPECT_EQ(info.Lines[0].Text, c.firstLine) << c.number;
    }

    // The three deletion messages name what is lost in their second line.
    const QString second = QStringLiteral("注意）削除を行うと、内訳に記述してある%1などの情報は科目情報を取り込んでも記述されません。");
    const std::pair<qint32, QString> words[] = {
        {268447760, QStringLiteral("名称")}, {268447761, QStringLiteral("金融機関名")}, {268447762, QStringLiteral("借入先")}};
    for (const auto& [number, word] : words) {
        TMessage2InfoRec info;
        ApplyMessageCatalogue(number, info);
        EXPECT_EQ(info.Lines[1].Text, second.arg(word));
    }
}

TEST(MessageBox2, CatalogueNumberShowsItsTextsInTheBox) {
    TMessage2InfoRec info = record(0, {QStringLiteral("消える行")});
    info.MsgNo = 4144;
    TMessageBox2 box;
    box.SetMessageInfo(info);
    box.Prepare();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("エラー"));
    EXPECT_FALSE(box.Image1->pixmap().isNull()); // the question icon of kind 3
    EXPECT_EQ(box.Labels[0]->text(), QStringLiteral("データ使用後検証の結果、このデータは破損している恐れがあります。"));
    EXPECT_TRUE(box.Buttons[0]->isVisibleTo(&box));
    EXPECT_FALSE(box.Buttons[1]->isVisibleTo(&box));
    EXPECT_EQ(box.Buttons[0]->text(), QStringLiteral("OK(&O)"));
}

TEST(MessageBox2, ButtonsMapToCaptionsAndResults) {
    struct Case {
        core::MessageButtons buttons;
        QStringList captions;
        QList<int> results;
    };
    const Case cases[] = {
        {core::mbYes | core::mbNo | core::mbCancel | core::mbHelp,
         {"はい(&Y)", "いいえ(&N)", "ｷｬﾝｾﾙ(&C)"}, {core::mrYes, core::mrNo, core::mrCancel}},
        {core::mbAbort | core::mbRetry | core::mbIgnore, {"中断(&A)", "再試行(&R)", "無視(&I)"},
         {core::mrAbort, core::mrRetry, core::mrIgnore}},
        {core::mbAll | core::mbNoToAll | core::mbYesToAll, {"すべて(&A)", "すべていいえ", "すべてはい"},
         {core::mrAll, core::mrNoToAll, core::mrYesToAll}},
        {core::mbOK | core::mbHelp, {"OK(&O)", "ヘルプ(&H)"}, {core::mrOk, core::mrNone}},
    };
    for (const Case& c : cases) {
        for (int pressed = 0; pressed < c.captions.size(); ++pressed) {
            TMessage2InfoRec info = record(2, {QStringLiteral("質問")});
            info.Buttons = c.buttons;
            ModalAnswerer answerer;
            QStringList seen;
            answerer.then([&](QWidget* dialog) {
                auto* box = qobject_cast<TMessageBox2*>(dialog);
                ASSERT_NE(box, nullptr);
                for (QPushButton* button : box->Buttons)
                    if (button->isVisible())
                        seen << button->text();
                box->Buttons[size_t(pressed)]->click();
            });
            EXPECT_EQ(ShowMessageBox2(info), c.results.at(pressed)) << c.captions.at(pressed).toStdString();
            EXPECT_EQ(seen, c.captions);
        }
    }
}

TEST(MessageBox2, ButtonPlacementAndCaptionWidening) {
    TMessage2InfoRec one = record(2, {QStringLiteral("一つ")});
    OpenBox a(one);
    const int formWidth = a.box.width();
    EXPECT_EQ(a.box.Buttons[0]->x(), (formWidth - a.box.Buttons[0]->width()) / 2);

    TMessage2InfoRec two = record(3, {QStringLiteral("二つ")});
    OpenBox b(two);
    EXPECT_EQ(b.box.Buttons[0]->x() + b.box.Buttons[0]->width(), b.box.width() / 2 - b.box.S(10));
    EXPECT_EQ(b.box.Buttons[1]->x(), b.box.width() / 2 + b.box.S(10));
    EXPECT_EQ(QApplication::focusWidget(), b.box.Buttons[0]); // kind 3 focuses OK

    TMessage2InfoRec three = record(2, {QStringLiteral("三つ")});
    three.Buttons = core::mbYesNoCancel;
    three.DefaultButton = 2;
    three.ButtonCaptions[1] = QStringLiteral("保存しないで終了する");
    OpenBox c(three);
    QPushButton* const* buttons = c.box.Buttons.data();
    const int expectedWidth = int(QFontMetrics(c.box.font()).horizontalAdvance(three.ButtonCaptions[1]) * 1.3);
    EXPECT_EQ(buttons[1]->text(), three.ButtonCaptions[1]);
    EXPECT_EQ(buttons[1]->width(), qMax(c.box.S(75), expectedWidth));
    EXPECT_GT(buttons[1]->width(), c.box.S(75));
    EXPECT_EQ(buttons[1]->x(), (c.box.width() - buttons[1]->width()) / 2);
    EXPECT_EQ(buttons[0]->x() + buttons[0]->width() + c.box.S(10), buttons[1]->x());
    EXPECT_EQ(buttons[1]->x() + buttons[1]->width() + c.box.S(10), buttons[2]->x());
    EXPECT_EQ(QApplication::focusWidget(), buttons[2]);
}

TEST(MessageBox2, HeightFollowsTheNumberOfLines) {
    struct Case {
        int lines;
        int messageArea; // design pixels
    };
    // No line and one line look the same; 2..8 lines end two label places after the last;
    // nine and ten lines take the whole design panel (335 - 32 - 38).
    const Case cases[] = {{0, 72}, {1, 72}, {2, 96}, {3, 120}, {8, 240}, {9, 265}, {10, 265}};
    for (const Case& c : cases) {
        TMessageBox2 box;
        box.SetMessageInfo(record(2, numbered(c.lines)));
        box.Prepare();
        EXPECT_EQ(box.height(), box.S(c.messageArea) + box.S(38)) << c.lines << " lines";
        EXPECT_EQ(box.width(), box.S(30) + box.S(500)) << c.lines << " lines";
        // Preparing twice gives the same box.
        box.Prepare();
        EXPECT_EQ(box.height(), box.S(c.messageArea) + box.S(38)) << c.lines << " lines, again";
    }

    // A line wider than the design widens the box; blank lines between count only by text.
    TMessage2InfoRec wide = record(2, {QString(60, QChar(u'長'))});
    wide.Lines[5].Text = QStringLiteral("離れた行");
    TMessageBox2 box;
    box.SetMessageInfo(wide);
    box.Prepare();
    EXPECT_EQ(box.width(), box.S(30) + box.Labels[0]->x() + box.Labels[0]->width());
    EXPECT_EQ(box.height(), box.S(96) + box.S(38));
}

TEST(MessageBox2, AgreementBoxGatesTheFirstButtonInModeOne) {
    TMessage2InfoRec info = record(3, {QStringLiteral("規約に同意しますか？")});
    info.AgreeMode = 1;
    info.AgreeCaption = QStringLiteral("規約に同意する");
    {
        OpenBox f(info);
        EXPECT_EQ(f.box.height(), f.box.S(72) + f.box.S(38) + f.box.S(32));
        EXPECT_TRUE(f.box.pnlAgree->isVisible());
        EXPECT_EQ(f.box.btnAgree->text(), QStringLiteral("規約に同意する"));
        EXPECT_EQ(QApplication::focusWidget(), f.box.btnAgree);
        EXPECT_FALSE(f.box.Buttons[0]->isEnabled());
        f.box.btnAgree->setChecked(true);
        EXPECT_TRUE(f.box.Buttons[0]->isEnabled());
        f.box.btnAgree->setChecked(false);
        EXPECT_FALSE(f.box.Buttons[0]->isEnabled());
    }

    // The check box's final state comes back in the record.
    ModalAnswerer answerer;
    answerer.then([](QWidget* dialog) {
        auto* box = static_cast<TMessageBox2*>(dialog);
        box->btnAgree->setChecked(true);
        box->Buttons[0]->click();
    });
    EXPECT_EQ(ShowMessageBox2(info), core::mrOk);
    EXPECT_TRUE(info.AgreeChecked);

    // Other modes show the box without gating; a blank caption shows none.
    TMessage2InfoRec shownOnly = info;
    shownOnly.AgreeMode = 2;
    shownOnly.AgreeChecked = false;
    OpenBox g(shownOnly);
    EXPECT_TRUE(g.box.pnlAgree->isVisible());
    EXPECT_TRUE(g.box.Buttons[0]->isEnabled());

    TMessage2InfoRec blank = info;
    blank.AgreeCaption = QStringLiteral("　 ");
    OpenBox h(blank);
    EXPECT_FALSE(h.box.pnlAgree->isVisible());
    EXPECT_TRUE(h.box.Buttons[0]->isEnabled());
    EXPECT_EQ(h.box.height(), h.box.S(72) + h.box.S(38));
}

TEST(MessageBox2, CtrlCCopiesCaptionAndAllTenLines) {
    TMessage2InfoRec info = record(1, {QStringLiteral("一行目"), QStringLiteral("二行目")});
    info.Lines[3].Text = QStringLiteral("四行目");
    OpenBox f(info);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    const QString rule(27, QLatin1Char('-'));
    const QString expected = rule + "\r\n" + QStringLiteral("エラー") + "\r\n" + rule + "\r\n" + QStringLiteral("一行目\r\n二行目\r\n\r\n四行目\r\n")
                             + QString("\r\n").repeated(6);
    EXPECT_EQ(f.box.CopyText(), expected);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
    EXPECT_TRUE(f.box.isVisible());
}

TEST(MessageBox2, EscClosesWithCancelWhenReleased) {
    OpenBox f(record(2, {QStringLiteral("閉じる")}));
    QWidget* focused = QApplication::focusWidget();
    QTest::keyPress(focused, Qt::Key_Escape);
    EXPECT_TRUE(f.box.isVisible()); // the press alone does nothing
    QTest::keyRelease(focused, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_FALSE(f.box.isVisible());
    EXPECT_EQ(f.box.result(), core::mrCancel);
}

namespace {
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};
} // namespace

TEST(MessageBox2, LinkLineOpensItsLinkAndTurnsPurple) {
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    TMessage2InfoRec info = record(2, {QStringLiteral("詳しくは"), QStringLiteral("サポートページ")});
    info.Lines[1].Link = QStringLiteral("https://example.invalid/support");
    OpenBox f(info);
    QLabel* link = f.box.Labels[1];
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QTest::mouseClick(f.box.Labels[0], Qt::LeftButton); // a plain line does nothing
    QTest::mouseClick(link, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.at(0).toString(), QStringLiteral("https://example.invalid/support"));
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(128, 0, 128));
}

TEST(MessageBox2, FontCoversJapaneseAndScreenshotIsSaved) {
    TMessage2InfoRec info;
    ApplyMessageCatalogue(268447760, info);
    info.MsgNo = 0; // the catalogue's texts with buttons and agreement of our own
    info.Buttons = core::mbYesNoCancel;
    info.AgreeMode = 1;
    info.AgreeCaption = QStringLiteral("内容を確認しました");
    OpenBox f(info);
    EXPECT_TRUE(f.box.pnlAgree->isVisible());
    EXPECT_TRUE(f.box.Buttons[2]->isVisible());

    const QFontInfo resolved(f.box.Labels[0]->font());
    EXPECT_TRUE(resolved.family().contains(QStringLiteral("Noto Sans CJK"))) << resolved.family().toStdString();
    const QFontMetrics metrics(f.box.Labels[0]->font());
    QString everything = f.box.CopyText() + f.box.btnAgree->text();
    for (QPushButton* button : f.box.Buttons)
        everything += button->text();
    for (const QChar ch : everything) {
        if (ch.unicode() > 0x7F) {
            EXPECT_TRUE(metrics.inFont(ch)) << "no glyph for U+" << std::hex << int(ch.unicode());
        }
    }

    const QString folder = QDir(testsupport::helperDir().isEmpty() ? QDir::currentPath() : testsupport::helperDir())
                               .filePath(QStringLiteral("artifacts"));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("TMessageBox2.png"));
    const QImage shot = f.box.grab().toImage();
    ASSERT_TRUE(shot.save(path));
    std::cout << "message box screenshot: " << path.toStdString() << std::endl;
    EXPECT_EQ(shot.size(), f.box.size() * f.box.devicePixelRatio());
}

TEST(MessageBox, KindTwoOkFollowsTheAgreementBox) {
    TMessageBox box;
    box.Kind = 2;
    box.Caption = QStringLiteral("データの更新");
    box.MainText = QStringLiteral("次の内容を更新します。");
    box.SetDetailLines({QStringLiteral("ACCDEF1 に列を追加"), QStringLiteral("KAMOKUMST を変更")});
    box.AgreeCaption = QStringLiteral("内容を確認しました");
    box.Prepare(1);
    box.open();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
    EXPECT_TRUE(box.cboxAgree->isVisible());
    EXPECT_EQ(box.cboxAgree->text(), QStringLiteral("内容を確認しました"));
    EXPECT_EQ(box.MessageArea->toPlainText(), QStringLiteral("ACCDEF1 に列を追加\nKAMOKUMST を変更"));
    EXPECT_EQ(box.lblMain->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_FALSE(box.btnOK->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), box.btnCancel);
    box.cboxAgree->setChecked(true);
    EXPECT_TRUE(box.btnOK->isEnabled());
    box.cboxAgree->setChecked(false);
    EXPECT_FALSE(box.btnOK->isEnabled());
    box.cboxAgree->setChecked(true);
    box.btnOK->Click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), core::mrOk);
}

TEST(MessageBox, KindsButtonsAndMemo) {
    struct Case {
        qint32 kind;
        bool okShown;
        QString cancelCaption;
        int cancelResult;
        bool agreeShown;
    };
    const Case cases[] = {
        {0, true, "キャンセル", core::mrCancel, false},
        {1, false, "OK", core::mrOk, false},
        {2, true, "キャンセル", core::mrCancel, true},
        {3, true, "キャンセル", core::mrCancel, true},
    };
    for (const Case& c : cases) {
        TMessageInfoRec info;
        InitMessageInfo(info);
        info.Kind = c.kind;
        info.MainText = QStringLiteral("本文");
        ModalAnswerer answerer;
        answerer.then([&](QWidget* dialog) {
            auto* box = static_cast<TMessageBox*>(dialog);
            EXPECT_EQ(box->btnOK->isVisible(), c.okShown) << c.kind;
            EXPECT_EQ(box->btnCancel->CaptionA().Caption(), c.cancelCaption) << c.kind;
            EXPECT_EQ(box->cboxAgree->isVisible(), c.agreeShown) << c.kind;
            if (c.agreeShown) { // no caption given: the box keeps one, so it can be ticked
                EXPECT_EQ(box->cboxAgree->text(), QStringLiteral("同意する"));
            }
            EXPECT_FALSE(box->MessageArea->isVisible()); // no detail lines: no memo
            EXPECT_EQ(box->height(), 293 - 156);
            EXPECT_TRUE(box->btnOK->isEnabled() || c.kind == 2);
            box->btnCancel->Click();
        });
        EXPECT_EQ(ShowMessageBox(info), c.cancelResult) << c.kind;
    }
}

// From the keyboard: the OK button has the focus, Enter presses it, Esc closes with Cancel.
TEST(MessageBox, EnterAndEscClose) {
    const struct {
        qint32 kind;
        int key;
        int result;
    } cases[] = {
        {0, Qt::Key_Return, core::mrOk}, {0, Qt::Key_Escape, core::mrCancel},
        {1, Qt::Key_Return, core::mrOk}, {1, Qt::Key_Enter, core::mrOk},
        {1, Qt::Key_Escape, core::mrCancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " key " << c.key);
        TMessageBox box;
        box.Kind = c.kind;
        box.MainText = QStringLiteral("本文");
        box.SetDetailLines({QStringLiteral("詳細")});
        box.Prepare(1);
        box.open();
        QApplication::setActiveWindow(&box);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        QWidget* focused = QApplication::focusWidget();
        EXPECT_EQ(focused, c.kind == 1 ? box.btnCancel : box.btnOK);
        QTest::keyClick(focused, Qt::Key(c.key));
        EXPECT_FALSE(box.isVisible());
        EXPECT_EQ(box.result(), c.result);
    }
}

// A main text of several lines is shown whole: the memo and the buttons move down.
TEST(MessageBox, MainTextIsNotClipped) {
    TMessageBox box;
    box.Kind = 1;
    box.MainText = QStringLiteral("このデータは使用中のため処理が行えません。\n"
                                  "前回、異常終了した場合は情報ボタンを押してデータの状態を回復して下さい。");
    box.SetDetailLines({QStringLiteral("【データフォルダ】"), QStringLiteral("　/data/0001")});
    box.Prepare(1);
    const QRect main = box.lblMain->geometry();
    EXPECT_GE(main.height(), box.lblMain->heightForWidth(main.width()));
    EXPECT_GT(box.MessageArea->geometry().top(), main.bottom());
    EXPECT_EQ(box.MessageArea->height(), 156);
    EXPECT_EQ(box.height(), 293 + main.height() - 49);
}

TEST(ProgramMessageService, MessagesAndPromptsUseTheProgramsBoxes) {
    ProgramMessageService service;
    testsupport::ScopedMessageService installed(service);

    ModalAnswerer answerer;
    answerer.then([](QWidget* dialog) {
        auto* box = qobject_cast<TMessageBox2*>(dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("確認"));
        EXPECT_EQ(box->Labels[0]->text(), QStringLiteral("保存しますか？"));
        EXPECT_EQ(box->Labels[1]->text(), QStringLiteral("後から変更できます。"));
        EXPECT_TRUE(box->Labels[2]->text().isEmpty());
        EXPECT_EQ(box->focusWidget(), box->Buttons[1]); // the default button No
        box->Buttons[0]->click();
    });
    EXPECT_EQ(core::showMessage(core::MessageKind::Confirmation, QStringLiteral("保存しますか？\r後から変更できます。\r"),
                                core::mbYesNo, core::mbNo),
              core::mrYes);

    answerer.then([](QWidget* dialog) {
        auto* box = qobject_cast<TMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("エラー"));
        EXPECT_EQ(box->lblMain->text(), QStringLiteral("接続できませんでした。"));
        EXPECT_EQ(box->MessageArea->toPlainText(), QStringLiteral("[詳細情報]\nnetwork error"));
        EXPECT_FALSE(box->btnOK->isVisible());
        box->btnCancel->Click();
    });
    EXPECT_EQ(core::showMessageWithDetailText(core::MessageKind::Error, QStringLiteral("接続できませんでした。"),
                                              QStringLiteral("network error")),
              core::mrOk);

    answerer.then([](QWidget* dialog) {
        auto* box = qobject_cast<TInputDlgBox*>(dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->txtInput->echoMode(), QLineEdit::Password);
        box->txtInput->setText(QStringLiteral("secret"));
        box->btnOK->Click();
    });
    EXPECT_EQ(core::askPassword(QStringLiteral("パスワード"), QStringLiteral("入力してください")), QStringLiteral("secret"));
    answerer.then([](QWidget* dialog) { static_cast<TInputDlgBox*>(dialog)->btnCancel->Click(); });
    EXPECT_EQ(core::askPassword(QStringLiteral("パスワード"), QStringLiteral("入力してください")), std::nullopt);
    EXPECT_EQ(answerer.unanswered(), 0);
}

TEST(ProgramMessageService, TextPromptCarriesItsLooks) {
    ProgramMessageService service;
    testsupport::ScopedMessageService installed(service);
    // An active window in the corner: centring on the screen is not centring on it.
    QWidget owner;
    owner.setGeometry(0, 0, 200, 100);
    owner.show();
    struct Case {
        bool password;
        bool showTextButton;
    };
    for (const Case c : {Case{true, true}, Case{true, false}, Case{false, true}}) {
        owner.activateWindow();
        QApplication::setActiveWindow(&owner);
        core::TextRequest request;
        request.caption = QStringLiteral("マイナンバー");
        request.prompt = QStringLiteral("パスワードを入力してください。");
        request.password = c.password;
        request.showTextButton = c.showTextButton;
        request.imeOff = true;
        request.centerOnScreen = true;
        request.promptColor = 255;
        request.hint = QStringLiteral("パスワード|マイナンバーのパスワードを入力します。");
        ModalAnswerer answerer;
        answerer.then([&](QWidget* dialog) {
            auto* box = qobject_cast<TInputDlgBox*>(dialog);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->btnFuseji->isVisible(), c.password && c.showTextButton) << c.password << c.showTextButton;
            EXPECT_EQ(box->txtInput->echoMode(), c.password ? QLineEdit::Password : QLineEdit::Normal);
            EXPECT_EQ(box->lblMain->palette().color(QPalette::WindowText), QColor(255, 0, 0));
            EXPECT_EQ(box->InputImeMode, imClose);
            EXPECT_EQ(HintOf(box->txtInput), request.hint);
            EXPECT_EQ(box->parentWidget(), &owner);
            const QRect screen = box->screen()->availableGeometry();
            EXPECT_LE((box->geometry().center() - screen.center()).manhattanLength(), 8);
            box->txtInput->setText(QStringLiteral("abc"));
            box->btnOK->Click();
        });
        EXPECT_EQ(core::askText(request), QStringLiteral("abc"));
        EXPECT_EQ(answerer.unanswered(), 0);
    }
}

#include "MessageBoxTest.moc"
