// The accounting data loader: the range the statements are computed for, the facility
// settings reader, and the load of the ordinary sample's balances.
#include "CompanySettingsDb.h"

#include "core/Currency.h"
#include "core/EIBError.h"
#include "link/export/DataLoader.h"
#include "statements/KamokuGroup.h"
#include "tests/support/SampleRoot.h"

#include <gtest/gtest.h>

using namespace taxreturn;

namespace {

TEST(DataLoaderTest, RangeNormalisation)
{
    struct Case {
        int start, end, last, kaisiNo;
        TPeriodRange expected;
    };
    const Case cases[] = {
        {3, 15, 15, 1, {3, 15}},  // a range through the year end stays
        {0, 7, 15, 1, {0, 7}},    // the first half
        {4, 7, 15, 1, {0, 7}},    // the first half starts at slot 0 whatever the start was
        {0, 11, 15, 1, {0, 7}},   // any other range ending early becomes the first half
        {5, 3, 11, 1, {0, 7}},
        {0, 11, 11, 1, {0, 15}},  // a shorter year: through the adjustment slot
        {6, 11, 11, 1, {6, 15}},
        {0, 15, 11, 1, {0, 15}},
        {2, 15, 15, 2, {0, 15}},  // a mid-year start computes from slot 0
        {2, 11, 11, 4, {0, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << "-" << c.end << " last " << c.last << " KAISINO " << c.kaisiNo);
        const TPeriodRange got = NormalizePeriodRange(c.start, c.end, c.last, c.kaisiNo);
        EXPECT_EQ(got.StartPeriod, c.expected.StartPeriod);
        EXPECT_EQ(got.EndPeriod, c.expected.EndPeriod);
    }
}

class FacilitySettingTest : public linktest::CompanySettingsDb {
protected:
    static void SetUpTestSuite() { createDatabases(/*withNotesTable=*/false); }
    static void TearDownTestSuite() { removeDatabases(); }
    void SetUp() override
    {
        CompanySettingsDb::SetUp();
        connectData(QStringLiteral("plain"));
    }

    QString stored(const QString& rcode, const QString& column)
    {
        return storedText(QStringLiteral("SELECT %1 FROM SISETREG WHERE SCODE='01' AND RGROUP='施設別決算書' AND RCODE='%2'")
                              .arg(column, rcode));
    }
    static QVariant get(const QString& rcode, const QVariant& def, const QString& type)
    {
        return TZaimuDataLoad::GetFacilitySetting(QStringLiteral("01"), QStringLiteral("施設別決算書"), rcode, def, type);
    }
};

TEST_F(FacilitySettingTest, MissingRowIsInsertedOnceWithTheDefault)
{
    EXPECT_EQ(get(QStringLiteral("理事長"), QStringLiteral("山田　太郎"), QStringLiteral("文字")), QStringLiteral("山田　太郎"));
    EXPECT_EQ(stored(QStringLiteral("理事長"), QStringLiteral("RTYPE")), QStringLiteral("文字"));
    EXPECT_EQ(stored(QStringLiteral("理事長"), QStringLiteral("RTEXT")), QStringLiteral("山田　太郎"));
    // The second call reads the stored row, whatever its default.
    EXPECT_EQ(get(QStringLiteral("理事長"), QStringLiteral("別人"), QStringLiteral("文字")), QStringLiteral("山田　太郎"));
    EXPECT_EQ(storedText(QStringLiteral("SELECT COUNT(*) FROM SISETREG WHERE RCODE='理事長'")), QStringLiteral("1"));
    // Defaults of other kinds are stored in the text form of their type.
    EXPECT_EQ(get(QStringLiteral("積立"), QVariant::fromValue(core::Currency::fromInt(500)), QStringLiteral("金額")),
              QVariant::fromValue(core::Currency::fromInt(500)));
    EXPECT_EQ(stored(QStringLiteral("積立"), QStringLiteral("RTEXT")), QStringLiteral("500"));
    EXPECT_EQ(get(QStringLiteral("表示"), true, QStringLiteral("論理")), QVariant(true));
    EXPECT_EQ(stored(QStringLiteral("表示"), QStringLiteral("RTEXT")), QStringLiteral("TRUE"));
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction()); // what it started is committed
}

TEST_F(FacilitySettingTest, StoredTextsReadByType)
{
    struct Case {
        const char* rcode;
        const char* type;
        const char* text; // as stored
        QVariant value;
    };
    const Case cases[] = {
        {"t1", "文字", "ソ表", QStringLiteral("ソ表")},
        {"t2", "論理", "true", true},
        {"t3", "論理", "yes", false},
        {"t4", "日付", "2024/04/01", QDate(2024, 4, 1)},
        {"t5", "日付", "未定", QDate()},
        {"t6", "整数", "12", 12},
        {"t7", "整数", "十二", 0},
        {"t8", "金額", "1234.5", QVariant::fromValue(core::Currency::fromRaw(12345000))},
        {"t9", "金額", "abc", QVariant::fromValue(core::Currency{})},
        {"t10", "実数", "1.5", QStringLiteral("Data Type Error")},
        {"t11", "", "x", QStringLiteral("Data Type Error")},
    };
    for (const Case& c : cases)
        execute({QStringLiteral("INSERT INTO SISETREG (SCODE, RGROUP, RCODE, RTYPE, RTEXT) VALUES ('01', '施設別決算書', '%1', "
                                "'%2', '%3')")
                     .arg(QString::fromUtf8(c.rcode), QString::fromUtf8(c.type), QString::fromUtf8(c.text))});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rcode);
        EXPECT_EQ(get(QString::fromUtf8(c.rcode), QStringLiteral("0"), QString::fromUtf8(c.type)), c.value);
    }
    // An unknown type inserts its row too, and still answers the fixed text.
    EXPECT_EQ(get(QStringLiteral("t12"), QStringLiteral("7"), QStringLiteral("実数")), QStringLiteral("Data Type Error"));
    EXPECT_EQ(stored(QStringLiteral("t12"), QStringLiteral("RTEXT")), QStringLiteral("7"));
}

TEST_F(FacilitySettingTest, TransactionOfTheCallerStaysAndAFailureRollsBackOnlyItsOwn)
{
    dm.IBTransactionDAT.startTransaction();
    EXPECT_EQ(get(QStringLiteral("c1"), QStringLiteral("v"), QStringLiteral("文字")), QStringLiteral("v"));
    EXPECT_TRUE(dm.IBTransactionDAT.inTransaction()); // the caller's, left open
    dm.IBTransactionDAT.rollback();
    EXPECT_EQ(stored(QStringLiteral("c1"), QStringLiteral("RTEXT")), QStringLiteral("<no row>"));

    // A facility code longer than its column: the error passes on, nothing stays open.
    EXPECT_THROW(TZaimuDataLoad::GetFacilitySetting(QStringLiteral("1234567"), QStringLiteral("施設別決算書"),
                                                    QStringLiteral("c2"), QStringLiteral("v"), QStringLiteral("文字")),
                 core::EIBError);
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
}

// The ordinary sample, loaded for two ranges.
class LoadBalancesTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new QTemporaryDir;
        root_ = new schema::DataRoot(schema::DbAccount{}, dir_->path());
        setupError_ = testsupport::createSampleRoot(*root_, {schema::sample::SampleKind::Ordinary});
    }
    static void TearDownTestSuite()
    {
        delete root_;
        delete dir_;
    }

    void SetUp() override
    {
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
        core::SystemDef.USER = QStringLiteral("TALLEK");
        core::SystemDef.PASSWORD = QStringLiteral("vorbin");
        core::SystemDef.WorkDir = work_.path();
        core::SystemDef.LogDir = work_.path();
        core::SystemDef.ProgramRoot = work_.path();
        core::ConnectMode = 0;
        core::DM = &dm_;
        ASSERT_TRUE(dm_.fnAccDatConnected(QString(), root_->dataFolder(1), 0));
        ASSERT_TRUE(dm_.fnGetAccInfo());
        statements::InitKamokuGroupTable(false);
    }

    // Sum of the range-end balances of the sales accounts.
    static core::Currency salesTotal(const TZaimuDataLoad& loader)
    {
        core::Currency sum;
        for (const statements::TBALANCE& row : loader.Balances)
            if (row.KMK.GROUPM1 == QStringLiteral("4100") && !row.KMK.KCODE.trimmed().isEmpty())
                sum += row.ZAN;
        return sum;
    }

    static QTemporaryDir* dir_;
    static schema::DataRoot* root_;
    static QString setupError_;
    dmtest::ScopedSession session_;
    QTemporaryDir work_;
    testsupport::RecordingMessageService messages_;
    testsupport::ScopedMessageService scopedMessages_{messages_};
    dmtest::FakeDM dm_;
};

QTemporaryDir* LoadBalancesTest::dir_ = nullptr;
schema::DataRoot* LoadBalancesTest::root_ = nullptr;
QString LoadBalancesTest::setupError_;

TEST_F(LoadBalancesTest, FullYearAndFirstHalfReachTheComputation)
{
    TZaimuDataLoad year;
    year.StartPeriod = 3; // kept: the sample starts with the first month
    year.EndPeriod = 15;
    year.LastPeriod = 15;
    year.TaxMode = 1;
    year.LoadBalances();
    EXPECT_EQ(year.RangeKind, 7);
    EXPECT_EQ(year.StartPeriod, 3);
    EXPECT_EQ(year.EndPeriod, 15);
    EXPECT_GE(year.RowCount, 500);
    EXPECT_EQ(year.Balances.size(), year.RowCount);
    EXPECT_EQ(year.SortKeys.size(), year.RowCount);
    for (const core::TQSORT& key : year.SortKeys)
        ASSERT_TRUE(key.ROWIDX >= 0 && key.ROWIDX < year.RowCount);
    // The general ledger's own transaction is not the loader's to start.
    EXPECT_FALSE(year.Transaction.inTransaction());
    EXPECT_EQ(year.Transaction.params(), (QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                                      QStringLiteral("nowait")}));

    TZaimuDataLoad half;
    half.StartPeriod = 3;
    half.EndPeriod = 11; // ends early: the first half
    half.LastPeriod = 15;
    half.TaxMode = 1;
    half.LoadBalances();
    EXPECT_EQ(half.StartPeriod, 0);
    EXPECT_EQ(half.EndPeriod, 7);

    const core::Currency yearSales = salesTotal(year);
    const core::Currency halfSales = salesTotal(half);
    EXPECT_NE(halfSales, core::Currency{});
    EXPECT_NE(yearSales, halfSales);
    EXPECT_GT(yearSales.raw < 0 ? -yearSales.raw : yearSales.raw, halfSales.raw < 0 ? -halfSales.raw : halfSales.raw);
}

} // namespace
