// The notes reader (template, placing of stored rows, value formats) and the notes element of
// the intermediate file. Stored rows come from a reader whose read is replaced; the database
// read itself is tested on a company database at the end.
#include "CompanySettingsDb.h"

#include "core/EIBError.h"
#include "core/dates/Gengo.h"
#include "core/settings/AccReg.h"
#include "link/export/IntermediateLayout.h"
#include "link/export/NotesElement.h"
#include "link/export/NotesReader.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace taxreturn;

namespace {

// A reader whose stored rows are given by the test.
class StoredNotes : public TChukihyoRendoIO {
public:
    explicit StoredNotes(QList<TChukihyoStoredRow> stored = {}) : stored_(std::move(stored)) {}

protected:
    QList<TChukihyoStoredRow> ReadStoredRows(int) override { return stored_; }

private:
    QList<TChukihyoStoredRow> stored_;
};

QStringList keysOf(const TChukihyoRendoIO& reader)
{
    QStringList keys;
    for (int i = 0; i < reader.Count; ++i)
        keys << reader.GetNoteItem(i).XbrlKey;
    return keys;
}

// The DATA element as written, for a reader in export mode.
QString dataElementText(const TChukihyoRendoIO& reader)
{
    TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
    doc.CreateRoot(kElemReport, QString());
    IXMLNode data = doc.AddNode(nullptr, kElemData, QString(), QString());
    WriteNotesElement(doc, data, reader);
    const QString file = platform::fromCp932(doc.SaveToBytes());
    const QString open = QStringLiteral("<REPORT><DATA>");
    const QString close = QStringLiteral("</DATA></REPORT>");
    const qsizetype start = file.indexOf(open);
    if (start < 0 || !file.endsWith(close))
        return file;
    return file.mid(start + open.size(), file.size() - start - open.size() - close.size());
}

TEST(NotesTest, TemplateHoldsEveryItemWithItsEnclosingItems)
{
    const TChukihyoRendoList& items = ChukihyoTemplate();
    ASSERT_EQ(items.size(), 179);
    QSet<QString> keys;
    QHash<QString, TChukihyoRendoRec> byId;
    for (const TChukihyoRendoRec& item : items)
        byId.insert(item.Id, item);
    for (int i = 0; i < items.size(); ++i) {
        const TChukihyoRendoRec& item = items[i];
        SCOPED_TRACE(item.Id.toStdString());
        EXPECT_EQ(item.RowNo, i);
        EXPECT_EQ(item.Kind, 0);
        EXPECT_TRUE(item.Value.isEmpty());
        EXPECT_EQ(item.Depth, item.Id.count(u'-') - 1);
        EXPECT_FALSE(keys.contains(item.XbrlKey));
        keys.insert(item.XbrlKey);
        if (i == 0) {
            EXPECT_TRUE(item.ParentId.isEmpty());
            continue;
        }
        ASSERT_TRUE(byId.contains(item.ParentId));
        // Every item below level 1 has a level-1 ancestor that encloses it in the file.
        if (item.Level >= 2) {
            QString id = item.ParentId;
            while (byId.value(id).Level > 1)
                id = byId.value(id).ParentId;
            EXPECT_EQ(byId.value(id).Level, 1);
        }
    }
    const TChukihyoRendoRec& root = items[0];
    EXPECT_EQ(root.Id, QStringLiteral("ID-0"));
    EXPECT_EQ(root.XbrlKey, kElemNotes);
    EXPECT_EQ(root.ValueType, kNoteTypeGroup);
    EXPECT_EQ(root.Level, 0);
    const TChukihyoRendoRec& row166 = items[166];
    EXPECT_EQ(row166.Id, QStringLiteral("ID-0-8-1-6-1-1"));
    EXPECT_EQ(row166.ParentId, QStringLiteral("ID-0-8-1-6-1"));
    EXPECT_EQ(row166.Depth, 5);
    EXPECT_EQ(row166.Level, 3);
    EXPECT_EQ(row166.XbrlKey, QStringLiteral("TransactionType"));
    EXPECT_EQ(items[160].ValueType, kNoteTypeRatio);
    EXPECT_EQ(items[178].Title, QStringLiteral("内容"));
}

TEST(NotesTest, ListModesPlaceStoredValues)
{
    const QList<TChukihyoStoredRow> stored = {{QStringLiteral("PledgedAssets"), QStringLiteral("土地")},
                                              {QStringLiteral("NoSuchKey"), QStringLiteral("x")}};
    // Mode 0: the whole template without its root, values in place.
    StoredNotes whole(stored);
    whole.LoadNotesList(1, 0);
    EXPECT_EQ(whole.Count, 178);
    EXPECT_EQ(whole.GetNoteItem(0).XbrlKey, QStringLiteral("NotesGoingConcernAssumption"));
    EXPECT_EQ(whole.GetNoteItem(16).XbrlKey, QStringLiteral("PledgedAssets"));
    EXPECT_EQ(whole.GetNoteItem(16).Value, QStringLiteral("土地"));
    // Mode 2: only what is stored (an unknown key is ignored).
    StoredNotes exported(stored);
    exported.LoadNotesList(1, 2);
    EXPECT_EQ(keysOf(exported), QStringList{QStringLiteral("PledgedAssets")});
    EXPECT_TRUE(exported.GetNoteItem(1).XbrlKey.isEmpty()); // past the list: an empty record
    EXPECT_TRUE(exported.GetNoteItem(-1).XbrlKey.isEmpty());
    // A mode of no use: empty records only.
    StoredNotes other(stored);
    other.LoadNotesList(1, 7);
    EXPECT_EQ(other.Count, 0);
    EXPECT_EQ(other.Items.size(), 179);
    // Nothing stored.
    StoredNotes empty;
    empty.LoadNotesList(1, 2);
    EXPECT_EQ(empty.Count, 0);
    EXPECT_EQ(dataElementText(empty), QStringLiteral("<ListNotesNonConsolidated/>"));
}

// The export list and its element: every item below level 1 arrives with its chain of
// enclosing items up to the level-1 item, and goes under the element of its own ancestor.
TEST(NotesTest, ElementNestsEveryItemUnderItsOwnAncestors)
{
    core::InitGengoTable();
    struct Case {
        const char* name;
        QList<TChukihyoStoredRow> stored;
        QStringList keys; // the reader's list
        QString element;  // the DATA element's content
    };
    const auto row = [](const char* key, const QString& value) { return TChukihyoStoredRow{QString::fromLatin1(key), value}; };
    const Case cases[] = {
        {"text of two lines, one Line each",
         {row("PledgedAssets", QStringLiteral("土地\r\n建物"))},
         {QStringLiteral("PledgedAssets")},
         QStringLiteral("<ListNotesNonConsolidated><PledgedAssets><Line>土地</Line><Line>建物</Line></PledgedAssets>"
                        "</ListNotesNonConsolidated>")},
        {"two items of one group: the group once, before them",
         {row("SignificantAccountingPoliciesItemName", QStringLiteral("項目")),
          row("SignificantAccountingPoliciesDescription", QStringLiteral("内容"))},
         {QStringLiteral("SignificantAccountingPoliciesOther"), QStringLiteral("SignificantAccountingPoliciesItemName"),
          QStringLiteral("SignificantAccountingPoliciesDescription")},
         QStringLiteral("<ListNotesNonConsolidated><SignificantAccountingPoliciesOther>"
                        "<SignificantAccountingPoliciesItemName><Line>項目</Line></SignificantAccountingPoliciesItemName>"
                        "<SignificantAccountingPoliciesDescription><Line>内容</Line></SignificantAccountingPoliciesDescription>"
                        "</SignificantAccountingPoliciesOther></ListNotesNonConsolidated>")},
        {"a level-2 item under a level-2 item brings the level-1 group",
         {row("NumberSharesEndPreviousPeriodSubscriptionRightsShares-P", QStringLiteral("1500"))},
         {QStringLiteral("BreakdownSubscriptionRightsShares"), QStringLiteral("NumberSharesPurposeSubscriptionRightsShares"),
          QStringLiteral("NumberSharesEndPreviousPeriodSubscriptionRightsShares-P")},
         QStringLiteral("<ListNotesNonConsolidated><BreakdownSubscriptionRightsShares>"
                        "<NumberSharesPurposeSubscriptionRightsShares/>"
                        "<NumberSharesEndPreviousPeriodSubscriptionRightsShares-P><Line>1500\r\n</Line>"
                        "</NumberSharesEndPreviousPeriodSubscriptionRightsShares-P>"
                        "</BreakdownSubscriptionRightsShares></ListNotesNonConsolidated>")},
        {"level-3 items: the whole chain up to the level-1 group",
         {row("TransactionType", QStringLiteral("売上")), row("TransactionAmount", QStringLiteral("1234.6"))},
         {QStringLiteral("BreakdownRelatedPartyTransactions"), QStringLiteral("TransactionAmountTransactionType"),
          QStringLiteral("ItemsTransactions"), QStringLiteral("TransactionType"), QStringLiteral("TransactionAmount")},
         QStringLiteral("<ListNotesNonConsolidated><BreakdownRelatedPartyTransactions>"
                        "<TransactionAmountTransactionType/><ItemsTransactions>"
                        "<TransactionType><Line>売上</Line></TransactionType>"
                        "<TransactionAmount><Line>1235\r\n</Line></TransactionAmount>"
                        "</ItemsTransactions></BreakdownRelatedPartyTransactions></ListNotesNonConsolidated>")},
        {"a level-1 item in between: the later item still finds its own group",
         {row("TypeStocksPurposeSubscriptionRightsShares", QStringLiteral("普通株式")),
          row("PledgedAssets", QStringLiteral("土地")),
          row("NumberSharesPurposeSubscriptionRightsShares", QStringLiteral("100株"))},
         {QStringLiteral("BreakdownSubscriptionRightsShares"), QStringLiteral("TypeStocksPurposeSubscriptionRightsShares"),
          QStringLiteral("PledgedAssets"), QStringLiteral("NumberSharesPurposeSubscriptionRightsShares")},
         QStringLiteral("<ListNotesNonConsolidated><BreakdownSubscriptionRightsShares>"
                        "<TypeStocksPurposeSubscriptionRightsShares><Line>普通株式</Line></TypeStocksPurposeSubscriptionRightsShares>"
                        "<NumberSharesPurposeSubscriptionRightsShares><Line>100株</Line></NumberSharesPurposeSubscriptionRightsShares>"
                        "</BreakdownSubscriptionRightsShares><PledgedAssets><Line>土地</Line></PledgedAssets>"
                        "</ListNotesNonConsolidated>")},
        {"an enclosing item's own value arriving later fills it",
         {row("NumberSharesEndPreviousPeriodSubscriptionRightsShares-P", QStringLiteral("1500")),
          row("NumberSharesPurposeSubscriptionRightsShares", QStringLiteral("説明"))},
         {QStringLiteral("BreakdownSubscriptionRightsShares"), QStringLiteral("NumberSharesPurposeSubscriptionRightsShares"),
          QStringLiteral("NumberSharesEndPreviousPeriodSubscriptionRightsShares-P")},
         QStringLiteral("<ListNotesNonConsolidated><BreakdownSubscriptionRightsShares>"
                        "<NumberSharesPurposeSubscriptionRightsShares><Line>説明</Line></NumberSharesPurposeSubscriptionRightsShares>"
                        "<NumberSharesEndPreviousPeriodSubscriptionRightsShares-P><Line>1500\r\n</Line>"
                        "</NumberSharesEndPreviousPeriodSubscriptionRightsShares-P>"
                        "</BreakdownSubscriptionRightsShares></ListNotesNonConsolidated>")},
        {"a value under the root key: a second notes element takes the items after it",
         {row("PledgedAssets", QStringLiteral("a")), row("ListNotesNonConsolidated", QStringLiteral("x")),
          row("CircumstanceDoubtfulLoan", QStringLiteral("b"))},
         {QStringLiteral("PledgedAssets"), QStringLiteral("ListNotesNonConsolidated"), QStringLiteral("CircumstanceDoubtfulLoan")},
         QStringLiteral("<ListNotesNonConsolidated><PledgedAssets><Line>a</Line></PledgedAssets></ListNotesNonConsolidated>"
                        "<ListNotesNonConsolidated><CircumstanceDoubtfulLoan><Line>b</Line></CircumstanceDoubtfulLoan>"
                        "</ListNotesNonConsolidated>")},
        {"dates as isodate (no number: day 0), ratios in short form, each one Line with CR LF",
         {row("RecordDateCashDividend", QStringLiteral("45382.75")), row("EffectiveDateCashDividend", QStringLiteral("abc")),
          row("RatioVotingRightsOwnedCompanyTotalVotingRightsOwnedAllShareholdersRelatedParty", QStringLiteral("33.50"))},
         {QStringLiteral("RecordDateCashDividend"),
          QStringLiteral("EffectiveDateCashDividend"), QStringLiteral("BreakdownRelatedPartyTransactions"),
          QStringLiteral("RatioVotingRightsOwnedCompanyTotalVotingRightsOwnedAllShareholdersRelatedParty")},
         QStringLiteral("<ListNotesNonConsolidated><RecordDateCashDividend><Line>2024-03-31\r\n</Line></RecordDateCashDividend>"
                        "<EffectiveDateCashDividend><Line>1899-12-30\r\n</Line></EffectiveDateCashDividend>"
                        "<BreakdownRelatedPartyTransactions>"
                        "<RatioVotingRightsOwnedCompanyTotalVotingRightsOwnedAllShareholdersRelatedParty><Line>33.5\r\n</Line>"
                        "</RatioVotingRightsOwnedCompanyTotalVotingRightsOwnedAllShareholdersRelatedParty>"
                        "</BreakdownRelatedPartyTransactions></ListNotesNonConsolidated>")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoredNotes reader(c.stored);
        reader.LoadNotesList(1, 2);
        EXPECT_EQ(keysOf(reader), c.keys);
        EXPECT_EQ(dataElementText(reader), c.element);
    }
}

TEST(NotesTest, LineBreakReachesTheFileAsRawBytes)
{
    StoredNotes reader({{QStringLiteral("AmountGuaranties"), QStringLiteral("-2500000")}});
    reader.LoadNotesList(1, 2);
    TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
    doc.CreateRoot(kElemReport, QString());
    WriteNotesElement(doc, doc.AddNode(nullptr, kElemData, QString(), QString()), reader);
    const QByteArray bytes = doc.SaveToBytes();
    EXPECT_TRUE(bytes.contains("<AmountGuaranties><Line>-2500000\x0d\x0a</Line></AmountGuaranties>")) << bytes.constData();
    EXPECT_FALSE(bytes.contains("&#"));
}

TEST(NotesTest, FormatValueByModeAndType)
{
    core::InitGengoTable();
    struct Case {
        int mode;
        quint8 eraDateFlag;
        QString type;
        QString value;
        QString text;
    };
    const Case cases[] = {
        {2, 0, kNoteTypeAmount, QStringLiteral("1234.6"), QStringLiteral("1235")},
        {0, 0, kNoteTypeAmount, QStringLiteral("1234.6"), QStringLiteral("1,235円")},
        {1, 0, kNoteTypeAmount, QStringLiteral("-1234567"), QStringLiteral("-1,234,567円")},
        {2, 0, kNoteTypeAmount, QStringLiteral("-0.5"), QStringLiteral("-1")},
        {2, 0, kNoteTypeAmount, QStringLiteral("不明"), QStringLiteral("0")},
        {2, 0, kNoteTypeShares, QStringLiteral("12345"), QStringLiteral("12345")},
        {0, 0, kNoteTypeShares, QStringLiteral("12345"), QStringLiteral("12,345株")},
        {2, 0, kNoteTypeDate, QStringLiteral("45382"), QStringLiteral("2024-03-31")},
        {2, 0, kNoteTypeDate, QStringLiteral("日付"), QStringLiteral("1899-12-30")},
        {0, 0, kNoteTypeDate, QStringLiteral("45382"), QStringLiteral("令和 6年 3月 31日")},
        {1, 1, kNoteTypeDate, QStringLiteral("45382"), QStringLiteral("2024年 3月 31日")},
        {2, 0, kNoteTypeRatio, QStringLiteral("12.50"), QStringLiteral("12.5")},
        {2, 0, kNoteTypeRatio, QStringLiteral("0.00001"), QStringLiteral("1E-5")},
        {0, 0, kNoteTypeRatio, QStringLiteral("100"), QStringLiteral("100％")},
        {2, 0, kNoteTypeText, QStringLiteral("a\r\nb"), QStringLiteral("a\r\nb")},
        {2, 0, kNoteTypeGroup, QStringLiteral("x"), QString()},
        {2, 0, kNoteTypeAmount, QString(), QString()},
        {3, 0, kNoteTypeText, QStringLiteral("a"), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("mode %1 %2 %3").arg(c.mode).arg(c.type, c.value).toStdString());
        StoredNotes reader;
        reader.NotesMode = quint8(c.mode);
        reader.EraDateFlag = c.eraDateFlag;
        TChukihyoRendoRec item;
        item.ValueType = c.type;
        item.Value = c.value;
        EXPECT_EQ(reader.FormatValue(item), c.text);
    }
}

// The read from the company database.
class NotesDbTest : public linktest::CompanySettingsDb {
protected:
    static void SetUpTestSuite() { createDatabases(/*withNotesTable=*/true); }
    static void TearDownTestSuite() { removeDatabases(); }
};

TEST_F(NotesDbTest, SettingDecidesAndTheStoredRowsOfKindOneAreRead)
{
    connectData(QStringLiteral("notes"));
    TChukihyoRendoIO reader;
    QString setting;
    // No setting yet: it is stored with its empty default, and no notes are read.
    EXPECT_FALSE(LoadNotes(reader, setting));
    EXPECT_EQ(storedText(QStringLiteral("SELECT ATYPE FROM ACCREG WHERE AGROUP='法人決算書' AND ACODE='個別注記表テンプレート'")),
              QStringLiteral("文字"));
    EXPECT_EQ(reader.Count, 0);

    core::funcPutAccReg(kNotesSettingGroup, kNotesSettingKey, QStringLiteral("文字"), kNotesSettingRendo);
    execute({QStringLiteral("INSERT INTO KESSAN_CHUKIHYO_RENDO (FRENDO_ID, FXBRL_KEY, FROW_NO, FTYPE, FVALUE) "
                            "VALUES (1, 'PledgedAssets', 2, '文字', '土地～建物')"),
             QStringLiteral("INSERT INTO KESSAN_CHUKIHYO_RENDO (FRENDO_ID, FXBRL_KEY, FROW_NO, FTYPE, FVALUE) "
                            "VALUES (1, 'TransactionAmount', 1, '金額', '2000')"),
             QStringLiteral("INSERT INTO KESSAN_CHUKIHYO_RENDO (FRENDO_ID, FXBRL_KEY, FROW_NO, FTYPE, FVALUE) "
                            "VALUES (2, 'NotesGoingConcernAssumption', 1, '文字', 'other kind')")});
    EXPECT_TRUE(LoadNotes(reader, setting));
    EXPECT_EQ(setting, kNotesSettingRendo);
    EXPECT_EQ(keysOf(reader), (QStringList{QStringLiteral("BreakdownRelatedPartyTransactions"),
                                           QStringLiteral("TransactionAmountTransactionType"),
                                           QStringLiteral("ItemsTransactions"), QStringLiteral("TransactionAmount"),
                                           QStringLiteral("PledgedAssets")}));
    EXPECT_EQ(reader.GetNoteItem(3).Value, QStringLiteral("2000"));
    EXPECT_EQ(reader.GetNoteItem(4).Value, QStringLiteral("土地～建物"));
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction()); // the read finished what it started
}

TEST_F(NotesDbTest, ReadFailurePassesOn)
{
    connectData(QStringLiteral("plain")); // a company database without the notes table
    core::funcPutAccReg(kNotesSettingGroup, kNotesSettingKey, QStringLiteral("文字"), kNotesSettingRendo);
    TChukihyoRendoIO reader;
    QString setting;
    EXPECT_THROW(LoadNotes(reader, setting), core::EIBError);
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
    // Inside a transaction of the caller's: the error passes on and the transaction stays the caller's.
    dm.IBTransactionDAT.startTransaction();
    EXPECT_THROW(reader.LoadNotesList(1, 2), core::EIBError);
    EXPECT_TRUE(dm.IBTransactionDAT.inTransaction());
    dm.IBTransactionDAT.rollback();
}

} // namespace
