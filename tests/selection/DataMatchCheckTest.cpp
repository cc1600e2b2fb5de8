// The checks before a paste or restore: forbidden consolidation pairs, the comparison lines
// and the agreement box, with the target folder and the boxes replaced by recorders.
#include "selection/DataMatchCheck.h"

#include "tests/support/RecordingMessageService.h"

#include <gtest/gtest.h>

using companydata::TDataInfomationRec;
using namespace selection;

namespace {

TDataInfomationRec info(const QString& name, int totalSiwake, quint8 gassan = 0) {
    TDataInfomationRec rec;
    rec.Shougou = name;
    rec.Kishu = QStringLiteral("2024/04/01");
    rec.Kimatu = QStringLiteral("2025/03/31");
    rec.TotalSiwake = totalSiwake;
    rec.GassanKbn = gassan;
    rec.VerName = QStringLiteral("財務15");
    return rec;
}

// A check whose target folder exists with a database whose information is `target`, and whose
// detail box records what it shows and answers `boxAnswer`.
class DataMatchCheckTest : public testing::Test {
protected:
    void SetUp() override {
        check.DirExists = [this](const QString& folder) {
            asked << QStringLiteral("DExist ") + folder;
            return folderExists;
        };
        check.MakeDir = [this](const QString& folder) {
            asked << QStringLiteral("MkDir ") + folder;
            return true;
        };
        check.FileExists = [this](const QString&) { return databaseExists; };
        check.ReadTargetInfo = [this](const QString&, TDataInfomationRec& rec) { rec = target; };
        check.ShowDetailBox = [this](const controls::TMessageInfoRec& box) {
            boxes << box;
            return boxAnswer;
        };
    }

    TDataMatchCheck check;
    TDataInfomationRec target = info(QStringLiteral("A社"), 1200);
    bool folderExists = true;
    bool databaseExists = true;
    int boxAnswer = core::mrOk;
    QStringList asked;
    QList<controls::TMessageInfoRec> boxes;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed{messages};
};

TEST(DataMatchRules, ForbiddenKindPairs) {
    const quint8 kinds[] = {0, 1, 2, 10};
    for (quint8 source : kinds) {
        for (quint8 target : kinds) {
            const bool expected = ((source == 0 || source == 10) && (target == 1 || target == 2)) ||
                                  (source == 1 && target == 2) || (source == 2 && target == 1);
            EXPECT_EQ(IsForbiddenKindPair(source, target), expected) << int(source) << " -> " << int(target);
        }
    }
}

TEST_F(DataMatchCheckTest, ForbiddenPairRefusedEvenWhenEverythingAgrees) {
    target.GassanKbn = 1;
    EXPECT_EQ(check.CheckKindPair(kVerbRestore, info(QStringLiteral("A社"), 1200, 0), QStringLiteral("/d/0001")), 0);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].Kind, 1);
    EXPECT_EQ(boxes[0].Caption, QStringLiteral("警告"));
    EXPECT_EQ(boxes[0].MainText,
              QStringLiteral("復元先の合算データ区分が妥当ではありません。\rデータリストの空行を選んで処理を行って下さい。"));
    EXPECT_TRUE(boxes[0].AgreeCaption.isEmpty());
    EXPECT_EQ(boxes[0].Details,
              (QStringList{QStringLiteral("以下のパターンの復元（貼付）は禁止されています。"),
                           QStringLiteral(" ①通常データ       を 合算データ（合算本支店データ） へ"),
                           QStringLiteral(" ②分散データ       を 合算データ（合算本支店データ） へ"),
                           QStringLiteral(" ③合算データ       を 合算本支店データ へ"),
                           QStringLiteral(" ④合算本支店データ を 合算データ へ")}));
    EXPECT_FALSE(check.SourceRecSet);
}

TEST_F(DataMatchCheckTest, AllowedPairsGoOnToTheComparison) {
    struct Case {
        quint8 source, target;
    };
    for (const Case c : {Case{1, 1}, Case{10, 0}, Case{0, 0}, Case{2, 2}}) {
        boxes.clear();
        target.GassanKbn = c.target;
        EXPECT_EQ(check.CheckKindPair(kVerbPaste, info(QStringLiteral("A社"), 1200, c.source), QStringLiteral("/d/1")), 1)
            << int(c.source) << " -> " << int(c.target);
        EXPECT_TRUE(boxes.isEmpty());
    }
    target.GassanKbn = 2;
    EXPECT_EQ(check.CheckKindPair(kVerbPaste, info(QStringLiteral("A社"), 1200, 1), QStringLiteral("/d/1")), 0);
}

TEST_F(DataMatchCheckTest, MissingTargetFolderIsCreatedAndAcceptedWithoutComparison) {
    folderExists = false;
    target = TDataInfomationRec{}; // would be refused if it were compared
    EXPECT_EQ(check.CheckKindPair(kVerbRestore, info(QStringLiteral("A社"), 1, 0), QStringLiteral("/d/0005")), 1);
    EXPECT_EQ(asked, (QStringList{QStringLiteral("DExist /d/0005"), QStringLiteral("MkDir /d/0005")}));
    // A folder without a database has nothing to compare either.
    folderExists = true;
    databaseExists = false;
    EXPECT_EQ(check.CheckKindPair(kVerbRestore, info(QStringLiteral("A社"), 1, 0), QStringLiteral("/d/0005")), 1);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(DataMatchCheckTest, EmptyTargetPathOrInformationIsRefused) {
    EXPECT_EQ(check.CheckKindPair(kVerbPaste, info(QStringLiteral("A社"), 1), QString()), 0);
    EXPECT_EQ(check.CheckDataMatch(kVerbRestore, TDataInfomationRec{}, info(QStringLiteral("A社"), 1)), 0);
    EXPECT_EQ(check.CheckDataMatch(kVerbRestore, info(QStringLiteral("A社"), 1), TDataInfomationRec{}), 0);
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("貼り付け先のデータパスが不正です。\r"),
                                            QStringLiteral("復元処理元のデータ情報が不正です。\r"),
                                            QStringLiteral("復元処理先のデータ情報が不正です。\r")}));
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(boxes.isEmpty());
}

TEST(DataMatchRules, JournalCountLinesOnlyWhenTheCountFalls) {
    const TDataInfomationRec source = info(QStringLiteral("A社"), 1200);
    EXPECT_TRUE(DataMatchDetailLines(kVerbRestore, source, info(QStringLiteral("A社"), 1199), true).isEmpty());
    EXPECT_TRUE(DataMatchDetailLines(kVerbRestore, source, info(QStringLiteral("A社"), 1200), true).isEmpty());
    EXPECT_EQ(DataMatchDetailLines(kVerbRestore, source, info(QStringLiteral("A社"), 1201), true),
              (QStringList{QStringLiteral("仕訳件数(修正・削除仕訳含む)が減っています。"),
                           QStringLiteral("　【復元元】：1,200 件"), QStringLiteral("　【復元先】：1,201 件"), QString()}));
}

TEST(DataMatchRules, NameAndPeriodLinesInOrderWithTheNoteOnlyForAStandAloneRestoreOverConsolidatedData) {
    TDataInfomationRec source = info(QStringLiteral("A"), 5);
    source.Kimatu = QStringLiteral("2025/02/28");
    TDataInfomationRec target = info(QStringLiteral("B"), 5, 1);
    const QString note = QStringLiteral("　注）復元を続行した場合は配下の分散データは削除されます。");

    const QStringList lines = DataMatchDetailLines(kVerbRestore, source, target, true);
    EXPECT_EQ(lines.mid(0, 6), (QStringList{QStringLiteral("会社名に違いがありました。"), QStringLiteral("　【復元元】：A"),
                                            QStringLiteral("　【復元先】：B"), QString(), note, QString()}));
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[6], QStringLiteral("期末に違いがありました。"));
    EXPECT_EQ(lines[7], QStringLiteral("　【復元元】：2025/02/28"));
    EXPECT_EQ(lines[8], QStringLiteral("　【復元先】：2025/03/31"));
    EXPECT_EQ(lines[9], QString());

    // No note for a paste, in a server mode, or over normal data; texts compare exactly.
    EXPECT_FALSE(DataMatchDetailLines(kVerbPaste, source, target, true).contains(QStringLiteral("　注）貼り付けを続行した場合は配下の分散データは削除されます。")));
    EXPECT_FALSE(DataMatchDetailLines(kVerbRestore, source, target, false).contains(note));
    target.GassanKbn = 0;
    EXPECT_FALSE(DataMatchDetailLines(kVerbRestore, source, target, true).contains(note));
    EXPECT_FALSE(DataMatchDetailLines(kVerbPaste, info(QStringLiteral("A "), 5), info(QStringLiteral("A"), 5), true).isEmpty());
}

TEST_F(DataMatchCheckTest, DifferencesNeedTheAgreementAndARestoreTakesTheSourceOver) {
    target = info(QStringLiteral("A社"), 1201, 1);
    TDataInfomationRec source = info(QStringLiteral("A社"), 1200, 1);

    boxAnswer = core::mrCancel;
    EXPECT_EQ(check.CheckKindPair(kVerbRestore, source, QStringLiteral("/d/1")), 0);
    EXPECT_FALSE(check.SourceRecSet);

    boxAnswer = core::mrOk;
    EXPECT_EQ(check.CheckKindPair(kVerbRestore, source, QStringLiteral("/d/1")), 1);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].Kind, 2);
    EXPECT_EQ(boxes[1].Caption, QStringLiteral("データ照合チェックの結果"));
    EXPECT_EQ(boxes[1].MainText, QStringLiteral("以下の項目に違いが検出されました。"));
    EXPECT_EQ(boxes[1].AgreeCaption, QStringLiteral("データ復元処理の続行に同意します。"));
    EXPECT_EQ(boxes[1].Details, check.DetailLines);
    ASSERT_TRUE(check.SourceRecSet);
    EXPECT_EQ(check.SourceRec.Shougou, QStringLiteral("A社"));
    EXPECT_EQ(check.SourceRec.Kishu, QDateTime(QDate(2024, 4, 1), QTime(0, 0)));
    EXPECT_EQ(check.SourceRec.Kimatu, QDateTime(QDate(2025, 3, 31), QTime(0, 0)));
    EXPECT_EQ(check.SourceRec.VerText, QStringLiteral("財務15"));
    EXPECT_EQ(check.SourceRec.Gassan, 1);

    // A paste takes nothing over.
    EXPECT_EQ(check.CheckKindPair(kVerbPaste, source, QStringLiteral("/d/1")), 1);
    EXPECT_FALSE(check.SourceRecSet);
}

} // namespace
