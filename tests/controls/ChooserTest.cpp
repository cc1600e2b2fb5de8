// The file and folder chooser: the place list from the history, the OK rules (no place, no
// file name, paths joined with "/"), the history of eight places in CP932, the history delete
// and the restore variant's second choice.
#include "controls/buttons/TxPlButton.h"
#include "controls/buttons/TxRadioButton.h"
#include "controls/chooser/TFileOperationBox.h"
#include "controls/chooser/TFileOperationBoxEx1.h"
#include "controls/combo/TxComboBox.h"
#include "controls/edits/TxEdit.h"
#include "controls/forms/FormState.h"
#include "core/Globals.h"
#include "platform/Cp932.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/support/RecordingMessageService.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using controls::TFileOperationBox;
using controls::TFileOperationBoxEx1;

class ChooserTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        savedDm = core::DM;
        core::DM = nullptr;
    }
    void TearDown() override { core::DM = savedDm; }

    QString place(const QString& name) {
        const QString path = dir.filePath(name);
        QDir().mkpath(path);
        return path;
    }
    QString historyFile() const { return dir.filePath(QStringLiteral("history.ini")); }

    void writeHistory(const QStringList& places) {
        QByteArray bytes = "[DataBackFolder]\r\n";
        for (int i = 0; i < places.size(); ++i)
            bytes += platform::toCp932(QStringLiteral("HIST%1=%2\r\n").arg(i + 1).arg(places[i]));
        QFile file(historyFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray historyBytes() const {
        QFile file(historyFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    // A chooser with the history of the test folder, prepared.
    void prepare(TFileOperationBox& box, int mode, bool useHistory = true) {
        box.FileMode = mode;
        box.UseHistory = useHistory;
        box.HistFolder = dir.path();
        box.HistFile = QStringLiteral("history.ini");
        box.HistSection = QStringLiteral("DataBackFolder");
        box.Title = QStringLiteral("バックアップ先の選択");
        box.Prepare(1);
    }

    static QStringList listed(const TFileOperationBox& box) {
        QStringList items;
        for (int i = 0; i < box.cmbFileSelect->count(); ++i)
            items << box.cmbFileSelect->itemText(i);
        return items;
    }

    // Presses OK as the user does; the modal result the form got.
    static int pressOk(TFileOperationBox& box) {
        box.btnOK->Click();
        return controls::FormModalResult(&box);
    }

    QTemporaryDir dir;
    core::TDM* savedDm = nullptr;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scoped{messages};
};

TEST_F(ChooserTest, PlaceListFromHistoryAndInitialFolder) {
    const QString a = place(QStringLiteral("a")), b = place(QStringLiteral("b")), c = place(QStringLiteral("c"));
    writeHistory({a, b});
    TFileOperationBox box;
    box.Folder = c;
    prepare(box, 2);
    EXPECT_EQ(listed(box), (QStringList{a, b, c})); // the initial folder last
    EXPECT_EQ(box.cmbFileSelect->currentText(), a);   // the newest selected
    EXPECT_EQ(box.History, (QStringList{a, b}));
    EXPECT_FALSE(box.txtFileName->isVisibleTo(&box));
    EXPECT_TRUE(box.btnHistDelete->isVisibleTo(&box));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("バックアップ先の選択"));

    // A folder already listed is not added twice.
    TFileOperationBox again;
    again.Folder = b;
    prepare(again, 2);
    EXPECT_EQ(listed(again), (QStringList{a, b}));
}

// The history keeps the eight newest places; choosing an old one moves it to HIST1; the file
// is CP932 with CRLF.
TEST_F(ChooserTest, HistoryOfEightPlacesInCp932) {
    QStringList places;
    for (int i = 1; i <= 8; ++i)
        places << place(QStringLiteral("データ%1").arg(i));
    writeHistory(places);
    const QString newest = place(QStringLiteral("新しい場所"));

    TFileOperationBox box;
    box.Folder = newest;
    prepare(box, 2);
    box.SelectPlace(newest);
    ASSERT_EQ(pressOk(box), core::mrOk);
    EXPECT_EQ(box.ResultPath, newest);
    QByteArray expected = "[DataBackFolder]\r\n";
    const QStringList kept = QStringList{newest} + places.mid(0, 7);
    for (int i = 0; i < kept.size(); ++i)
        expected += platform::toCp932(QStringLiteral("HIST%1=%2\r\n").arg(i + 1).arg(kept[i]));
    EXPECT_EQ(historyBytes(), expected);

    TFileOperationBox next;
    prepare(next, 2);
    next.SelectPlace(places[4]);
    ASSERT_EQ(pressOk(next), core::mrOk);
    EXPECT_EQ(next.History, (QStringList{places[4], newest, places[0], places[1], places[2], places[3], places[5],
                                         places[6]}));
}

// OK rules by mode: paths joined with "/", the file name required, a place required.
TEST_F(ChooserTest, OkCases) {
    const QString a = place(QStringLiteral("a"));
    const struct {
        const char* name;
        int mode;
        QString folder;
        QString fileName;
        int result;
        QString resultPath;
        QString message;
    } cases[] = {
        {"save", 1, a + u'/', QStringLiteral("　data.fbk "), core::mrOk, a + QStringLiteral("/data.fbk"), {}},
        {"open", 0, a, QStringLiteral("x.fbk"), core::mrOk, a + QStringLiteral("/x.fbk"), {}},
        {"folder", 3, a + u'/', {}, core::mrOk, a, {}},
        {"no file name", 1, a, QStringLiteral("　"), core::mrNone, {},
         QStringLiteral("ファイル名を入力または[参照]ボタンより選択して下さい。\r")},
        // Without a place the result would be "/x.fbk" in the root folder or an empty folder.
        {"file without place", 1, {}, QStringLiteral("x.fbk"), core::mrNone, {},
         QStringLiteral("場所を選択するか[参照]ボタンより選択して下さい。\r")},
        {"folder without place", 2, {}, {}, core::mrNone, {},
         QStringLiteral("場所を選択するか[参照]ボタンより選択して下さい。\r")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.messages.clear();
        TFileOperationBox box;
        box.Folder = c.folder;
        box.FileName = c.fileName;
        prepare(box, c.mode, false);
        EXPECT_EQ(pressOk(box), c.result);
        EXPECT_EQ(box.ResultPath, c.resultPath);
        EXPECT_EQ(messages.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
    EXPECT_EQ(historyBytes(), QByteArray("<none>")); // UseHistory off: no history written
}

// Without the history file's name or section nothing is read and nothing is written.
TEST_F(ChooserTest, NoHistoryWithoutFileOrSection) {
    const QString a = place(QStringLiteral("a"));
    writeHistory({a});
    const QByteArray before = historyBytes();
    TFileOperationBox box;
    box.FileMode = 2;
    box.UseHistory = true;
    box.HistFolder = dir.path();
    box.HistFile = QStringLiteral("history.ini");
    box.Folder = place(QStringLiteral("b"));
    box.Prepare(1);
    EXPECT_EQ(listed(box), QStringList{box.Folder});
    EXPECT_EQ(pressOk(box), core::mrOk);
    EXPECT_EQ(historyBytes(), before);
}

// A place the history could not give back as the same place is not stored.
TEST_F(ChooserTest, UnreadablePlacesAreNotStored) {
    const QString a = place(QStringLiteral("a"));
    writeHistory({a});
    const QStringList refused = {dir.filePath(QStringLiteral("b ")), dir.filePath(QStringLiteral("絵😀"))};
    for (const QString& folder : refused) {
        TFileOperationBox box;
        box.Folder = folder;
        prepare(box, 2);
        box.SelectPlace(folder);
        EXPECT_EQ(pressOk(box), core::mrOk);
        EXPECT_EQ(box.ResultPath, folder);
        EXPECT_EQ(historyBytes(), QByteArray("[DataBackFolder]\r\nHIST1=") + platform::toCp932(a) + "\r\n");
    }
}

TEST_F(ChooserTest, HistoryDelete) {
    const QString a = place(QStringLiteral("a")), b = place(QStringLiteral("b"));
    writeHistory({a, b});
    const QByteArray before = historyBytes();
    TFileOperationBox box;
    prepare(box, 2);
    box.SelectPlace(b);

    messages.answers = {core::mrCancel};
    box.HistDeleteClicked();
    EXPECT_EQ(listed(box), (QStringList{a, b}));
    EXPECT_EQ(historyBytes(), before);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("履歴を削除します。よろしいですか？"));

    messages.answers = {core::mrOk};
    box.HistDeleteClicked();
    EXPECT_EQ(listed(box), QStringList{b});
    EXPECT_EQ(historyBytes(), QByteArray("[DataBackFolder]\r\nHIST1=") + platform::toCp932(b) + "\r\n");
}

// The restore variant: the second choice needs no place; the first one follows the base rules.
TEST_F(ChooserTest, RestoreVariantChoices) {
    TFileOperationBoxEx1 box;
    prepare(box, 2, false);
    EXPECT_EQ(box.height(), 360);
    EXPECT_EQ(box.btnSelect2->y(), box.txtFileName->y()); // moved up in the folder modes
    ASSERT_EQ(box.cmbFileSelect->count(), 0);

    EXPECT_EQ(pressOk(box), core::mrNone); // the chosen place, and none listed
    EXPECT_EQ(box.SelectKind, 1);

    box.SetSelectKind(2);
    EXPECT_FALSE(box.cmbFileSelect->isEnabled());
    EXPECT_FALSE(box.btnSansyo->isEnabled());
    EXPECT_EQ(pressOk(box), core::mrOk);
    EXPECT_EQ(box.SelectKind, 2);
    EXPECT_EQ(box.ResultPath, QString());

    box.SetSelectKind(1);
    EXPECT_TRUE(box.cmbFileSelect->isEnabled());
    box.SelectPlace(place(QStringLiteral("r")));
    EXPECT_EQ(pressOk(box), core::mrOk);
    EXPECT_EQ(box.SelectKind, 1);
    EXPECT_EQ(box.ResultPath, dir.filePath(QStringLiteral("r")));
}

// The whole modal run: OK ends it with the result, the dialog stays for the opener to read.
TEST_F(ChooserTest, ModalRun) {
    const QString a = place(QStringLiteral("a"));
    TFileOperationBox box;
    box.Folder = a;
    box.FileName = QStringLiteral("back.fbk");
    prepare(box, 1, false);
    testsupport::ModalAnswerer answerer;
    answerer.then([&box](QWidget* dialog) {
        EXPECT_EQ(dialog, &box);
        EXPECT_EQ(QApplication::focusWidget(), box.txtFileName);
        box.btnOK->Click();
    });
    EXPECT_EQ(box.exec(), core::mrOk);
    EXPECT_EQ(box.ResultPath, a + QStringLiteral("/back.fbk"));
    EXPECT_EQ(answerer.unanswered(), 0);
}

// A picture of the restore chooser, to look at.
TEST_F(ChooserTest, ScreenshotArtifact) {
    writeHistory({place(QStringLiteral("バックアップ"))});
    TFileOperationBoxEx1 box;
    box.Message = QStringLiteral("復元するデータの場所を選択して下さい。");
    box.PlaceLabel = QStringLiteral("復元元の場所:");
    prepare(box, 0);
    box.show();
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts");
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/file-chooser.png");
    ASSERT_TRUE(box.grab().save(path));
    std::printf("file chooser screenshot: %s\n", qPrintable(path));
    box.Close();
}

} // namespace
