// Search conditions: the stored SORTCOL and data-kind translations, the data-kind test of the
// lists, the rows of KENSAKUJYOKEN, and the dialog's controls to and from the record.
#include "selection/DataListKensakuBox.h"

#include "controls/buttons/TxCheckBox.h"
#include "controls/combo/TxComboBox.h"
#include "companydata/SeihinVersionList.h"
#include "controls/edits/TxEdit.h"
#include "tests/companydata/RegistryTestFixture.h"

#include <gtest/gtest.h>

using namespace selection;

namespace {

TEST(KensakuRules, SortColumnTranslation) {
    const std::pair<int, int> storedToGrid[] = {{1, 3}, {2, 4}, {3, 5}, {4, 6}, {5, 7}, {6, 1}};
    for (const auto& [stored, grid] : storedToGrid) {
        EXPECT_EQ(SortColFromStored(stored), grid);
        EXPECT_EQ(SortColToStored(grid), stored);
    }
    for (const int outside : {0, -1, 7, 99})
        EXPECT_EQ(SortColFromStored(outside), 0) << outside;
    for (const int column : {0, 2, 8, -1})
        EXPECT_EQ(SortColToStored(column), 0) << column;
}

TEST(KensakuRules, DataKindItemsAndPairs) {
    EXPECT_EQ(DataKindItems(), (QStringList{QStringLiteral("選択なし"), QStringLiteral("法人"), QStringLiteral("個人(一般)"),
                                            QStringLiteral("個人(不動産)"), QStringLiteral("医療法人"),
                                            QStringLiteral("個人(クリニック)"), QStringLiteral("個人(農業)")}));
    for (int item = 0; item < 7; ++item) {
        const TDataKindPair pair = DataKindPairOfItem(item);
        EXPECT_EQ(DataKindItemOfPair(pair.DataType, pair.CodeType), item);
    }
    EXPECT_EQ(DataKindPairOfItem(5), (TDataKindPair{2, 3}));
    EXPECT_EQ(DataKindPairOfItem(7), (TDataKindPair{0, 0}));
    EXPECT_EQ(DataKindItemOfPair(1, 9), 1); // 法人 whatever the code type
    EXPECT_EQ(DataKindItemOfPair(3, 0), 4); // 医療法人 likewise
    EXPECT_EQ(DataKindItemOfPair(2, 5), 0);
    EXPECT_EQ(DataKindItemOfPair(4, 1), 0);
}

TEST(KensakuRules, DataKindConditionComparesThePair) {
    struct Case {
        int condType, condCode, dataType, codeType;
        bool match;
    };
    const Case cases[] = {
        {2, 3, 2, 3, true},   {2, 3, 2, 1, false},  {1, 12, 11, 2, false}, // not as "112" = "112"
        {11, 2, 1, 12, false}, {2, 0, 2, 4, true},  {2, 0, 1, 1, false},
        {-13, 0, 1, 1, true}, {-13, 0, 3, 1, true}, {-13, 0, 2, 1, false},
        {0, 0, 2, 4, true},   {0, 5, 1, 1, true},   {-1, 0, 2, 2, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesDataKind(c.condType, c.condCode, c.dataType, c.codeType), c.match)
            << c.condType << "," << c.condCode << " vs " << c.dataType << "," << c.codeType;
}

class KensakuDbTest : public registrytest::RegistryTest<KensakuDbTest> {
protected:
    static void SetUpTestSuite() { createRoot({}); }

    QString row(int listType) {
        const QStringList r = rows(QStringLiteral(
            "SELECT JYOKENUSE,DATATYPE,CODETYPE,DATACODE,DATANAME,TANTO,DATAVER,SEIHINNAME,SORTCOL,SORTTYPE "
            "FROM KENSAKUJYOKEN WHERE OPCODE=%1 AND LISTTYPE=%2")
                                       .arg(core::SystemDef.OPCODE)
                                       .arg(listType));
        return r.isEmpty() ? QStringLiteral("(none)") : r.join(u'|');
    }
};

TEST_F(KensakuDbTest, FirstUseInsertsAnEmptyRowAndUpdatesRoundTrip) {
    TDataListKensakuBox box;
    box.ListType = 1;
    TDataKensakuRec rec;
    ASSERT_TRUE(box.SelectRecord(rec));
    EXPECT_EQ(rec.OPCODE, core::SystemDef.OPCODE);
    EXPECT_EQ(rec.LISTTYPE, 1);
    EXPECT_EQ(row(1), QStringLiteral("0 0 0   0   0 0"));
    EXPECT_EQ(row(0), QStringLiteral("(none)"));

    rec.JYOKENUSE = 1;
    rec.DATATYPE = 2;
    rec.CODETYPE = 3;
    rec.DATACODE = QStringLiteral("A1");
    rec.DATANAME = QStringLiteral("山田");
    rec.TANTO = 7;
    rec.DATAVER = QStringLiteral("15.0");
    rec.SEIHINNAME = QStringLiteral("財務15");
    rec.SORTCOL = 3; // grid column データ名
    rec.SORTTYPE = 1;
    EXPECT_EQ(box.UpdateRecord(rec), 1);
    EXPECT_EQ(row(1), QStringLiteral("1 2 3 A1 山田 7 15.0 財務15 1 1"));
    TDataKensakuRec back;
    ASSERT_TRUE(box.SelectRecord(back));
    EXPECT_EQ(back, rec);

    // The sort alone; a column without a stored code is stored as none.
    rec.SORTCOL = 2;
    rec.SORTTYPE = 0;
    rec.DATANAME = QStringLiteral("変えない");
    EXPECT_EQ(box.UpdateRecordSortField(rec), 1);
    EXPECT_EQ(row(1), QStringLiteral("1 2 3 A1 山田 7 15.0 財務15 0 0"));

    // A stored code outside 1-6 reads as no sort.
    run({QStringLiteral("UPDATE KENSAKUJYOKEN SET SORTCOL=9 WHERE LISTTYPE=1")});
    ASSERT_TRUE(box.SelectRecord(back));
    EXPECT_EQ(back.SORTCOL, 0);
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(KensakuDbTest, FailedUpdateIsReportedOnlyOnItsOwnTransaction) {
    TDataListKensakuBox box;
    TDataKensakuRec rec;
    ASSERT_TRUE(box.SelectRecord(rec));
    rec.DATACODE = QString(30, u'9'); // longer than the column holds
    EXPECT_EQ(box.UpdateRecord(rec), 0);
    ASSERT_FALSE(messages.messages.isEmpty());
    EXPECT_TRUE(messageText().contains(QStringLiteral("検索条件レコードの更新に失敗しました。"))) << messageText().toStdString();

    // Inside a caller's transaction: 0 without a message, the transaction left to the caller.
    messages.messages.clear();
    box.transaction().startTransaction();
    EXPECT_EQ(box.UpdateRecord(rec), 0);
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_TRUE(box.transaction().inTransaction());
    box.transaction().rollback();
}

TEST_F(KensakuDbTest, DialogShowsTheRecordAndOkStoresTheControls) {
    TDataListKensakuBox box;
    box.KensakuRec.DATATYPE = 2;
    box.KensakuRec.CODETYPE = 5; // no such item
    box.KensakuRec.TANTO = 987654; // no longer in the group
    box.KensakuRec.SEIHINNAME = QStringLiteral("無い版");
    box.KensakuRec.DATACODE = QStringLiteral("X");
    box.KensakuRec.JYOKENUSE = 1;
    box.Prepare(1);
    EXPECT_EQ(box.cmbDataKbn->ItemIndex(), 0);
    EXPECT_EQ(box.cmbTanto->ItemIndex(), 0);
    EXPECT_EQ(box.cmbDataVer->ItemIndex(), 0);
    EXPECT_EQ(box.txtCode->text(), QStringLiteral("X"));
    EXPECT_TRUE(box.cboxYukou->isChecked());
    // The stored operator stays until OK.
    EXPECT_EQ(box.KensakuRec.TANTO, 987654);

    box.cmbDataKbn->SetItemIndex(5);
    box.txtCode->setText(QString());
    box.cboxYukou->setChecked(false);
    box.KensakuRec.VersionMode = kVersionAtLeast;
    box.btnOKClick();
    EXPECT_EQ(box.KensakuRec.DATATYPE, 2);
    EXPECT_EQ(box.KensakuRec.CODETYPE, 3);
    EXPECT_EQ(box.KensakuRec.TANTO, 0);
    EXPECT_EQ(box.KensakuRec.DATAVER, QString());
    EXPECT_EQ(box.KensakuRec.SEIHINNAME, QStringLiteral("選択なし"));
    EXPECT_EQ(box.KensakuRec.VersionMode, kVersionEqual);
    EXPECT_EQ(box.KensakuRec.JYOKENUSE, 0);
    EXPECT_EQ(box.KensakuRec.DATACODE, QString());

    // A chosen version gives its "%d.%d" and name.
    ASSERT_GT(box.cmbDataVer->count(), 1);
    box.cmbDataVer->SetItemIndex(1);
    box.btnOKClick();
    EXPECT_EQ(box.KensakuRec.DATAVER, box.SeihinVersionList().GetVersionText(1));
    EXPECT_EQ(box.KensakuRec.SEIHINNAME, box.SeihinVersionList().GetName(1));
}

} // namespace
