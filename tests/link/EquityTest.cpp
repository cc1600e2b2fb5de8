// The equity-statement settings, the statement of changes in net assets and the appropriation
// statement. The database cases run on a data set of their own (the ordinary sample, changed
// by the tests), never on the shared samples of the golden files.

#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/dates/Gengo.h"
#include "core/dm/TDM.h"
#include "core/settings/AccReg.h"
#include "link/export/Appropriation.h"
#include "link/export/EDataExportError.h"
#include "link/export/EquitySettings.h"
#include "link/export/NetAssetsChanges.h"
#include "platform/Cp932.h"
#include "schema/DataRoot.h"
#include "schema/sample/SampleDataSet.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/SampleRoot.h"
#include "tests/link/SavedProgramState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace taxreturn;
using core::Currency;

namespace {

// ---- settings file, no database ----

void writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(platform::toCp932(text));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

THojinZeiWariateItem line(const QString& key, const QString& name)
{
    THojinZeiWariateItem item;
    item.Key = key;
    item.Name = name;
    return item;
}

TEST(EquitySettingsTest, NameTablesHoldTheProductsVocabulary)
{
    ASSERT_EQ(EquityItemNames().size(), kEquityItemCount);
    ASSERT_EQ(ChangeReasonNames().size(), kChangeReasonCount);
    EXPECT_EQ(EquityItemNames().at(17), QStringLiteral("繰越利益剰余金"));
    EXPECT_EQ(EquityItemNames().last(), QStringLiteral("※※　独自科目　※※"));
    EXPECT_EQ(ChangeReasonNames().at(7), QStringLiteral("当期純利益"));
    EXPECT_EQ(ChangeReasonNames().last(), QStringLiteral("※※　独自事由　※※"));
}

TEST(EquitySettingsTest, MissingFileReadsAsDefaultsAndSavingRemovesUnassignedKeys)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DkRendo.ini"));
    THojinZeiKabunusiSihonHendouKeisansyo settings(path);
    settings.KamokuItems = {line(QStringLiteral("31001"), QStringLiteral("資本金")),
                            line(QStringLiteral("33401"), QStringLiteral("繰越利益"))};
    settings.JiyuuItems = {line(QStringLiteral("1"), QStringLiteral("配当")), line(QStringLiteral("4"), QStringLiteral("純利益"))};
    settings.SakuseiKubun = 0;
    settings.MotochoKubun = 0;
    settings.LoadSettings();
    EXPECT_EQ(settings.SakuseiKubun, 1);
    EXPECT_EQ(settings.MotochoKubun, 1);
    EXPECT_EQ(settings.KamokuItems[0].WariateIndex, -1);

    writeFile(path, QStringLiteral("[HJ_株主資本等変動計算書]\r\nSakuseiKubun=x\r\nHJ21_Kamoku_31001=資本金\r\n"
                                   "HJ21_Kamoku_33401=知らない科目\r\nHJ21_Jiyuu_4=当期純利益\r\nHJ21_Jiyuu_1=剰余金の配当\r\n"
                                   "[HJ_総勘定元帳]\r\nSakuseiKubun=0\r\n"));
    settings.LoadSettings();
    EXPECT_EQ(settings.SakuseiKubun, 1) << "not a number reads as 1";
    EXPECT_EQ(settings.MotochoKubun, 0);
    EXPECT_EQ(settings.KamokuItems[0].WariateIndex, 0);
    EXPECT_EQ(settings.KamokuItems[0].WariateName, QStringLiteral("資本金"));
    EXPECT_EQ(settings.KamokuItems[1].WariateIndex, -1) << "a name outside the table stays unassigned";
    EXPECT_EQ(settings.JiyuuItems[1].WariateIndex, 7);

    // A cleared assignment loses its key, so that it does not come back at the next load; the
    // other keys are rewritten from the tables.
    settings.KamokuItems[0].WariateIndex = 25;
    settings.JiyuuItems[0].WariateIndex = -1;
    settings.SakuseiKubun = 0;
    settings.SaveSettings();
    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(bytes.contains(platform::toCp932(QStringLiteral("[HJ_株主資本等変動計算書]\r\nSakuseiKubun=0\r\n"))));
    EXPECT_TRUE(bytes.contains(platform::toCp932(QStringLiteral("HJ21_Kamoku_31001=※※　独自科目　※※\r\n"))));
    EXPECT_FALSE(bytes.contains("HJ21_Jiyuu_1="));
    EXPECT_TRUE(bytes.contains(platform::toCp932(QStringLiteral("HJ21_Jiyuu_4=当期純利益\r\n"))));
    settings.JiyuuItems[0].WariateIndex = -1;
    settings.LoadSettings();
    EXPECT_EQ(settings.JiyuuItems[0].WariateIndex, -1) << "the cleared assignment stays cleared";
    EXPECT_TRUE(bytes.contains(platform::toCp932(QStringLiteral("[HJ_総勘定元帳]\r\nSakuseiKubun=0\r\n"))));
}

// ---- database cases ----

struct OwnRoot {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<schema::DataRoot> root;
    QString error;
};

// The ordinary sample in a root of this file's own, made on first use.
OwnRoot& ownRoot()
{
    static OwnRoot holder = [] {
        OwnRoot h;
        h.dir = std::make_unique<QTemporaryDir>();
        h.root = std::make_unique<schema::DataRoot>(schema::DbAccount{}, h.dir->path());
        h.error = testsupport::createSampleRoot(*h.root, {schema::sample::SampleKind::Ordinary});
        return h;
    }();
    return holder;
}

class EquityDbTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ownRoot().error.isEmpty()) << ownRoot().error.toStdString();
        core::SystemDef.USER = QStringLiteral("TALLEK");
        core::SystemDef.PASSWORD = QStringLiteral("vorbin");
        core::SystemDef.SYSDIR = ownRoot().root->sysDir();
        core::SystemDef.WorkDir = work.path();
        core::SystemDef.LogDir = work.path();
        core::SystemDef.ProgramRoot = work.path();
        core::SystemDef.ComputerName = QStringLiteral("PC-TEST");
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::DM = &dm;
        if (core::GengoTable.isEmpty())
            core::InitGengoTable();
        ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messageTexts();
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), ownRoot().root->dataFolder(1), 0)) << messageTexts();
        ASSERT_TRUE(dm.fnGetAccInfo()) << messageTexts();
        run({QStringLiteral("DELETE FROM KAMOKUMST WHERE KCODE STARTING WITH 'T'"),
             QStringLiteral("DELETE FROM EXTERKS WHERE REC >= 900")});
    }
    void TearDown() override
    {
        if (dm.IBDatabaseDAT.connected())
            dm.AccDatDisconnect(QString(), 0, 0);
    }

    std::string messageTexts() const
    {
        QStringList texts;
        for (const auto& m : messages.messages)
            texts << m.text;
        return texts.join(u'\n').toStdString();
    }

    // Each statement committed on its own.
    void run(const QStringList& statements)
    {
        for (const QString& sql : statements) {
            core::TransactionScope scope(dm.IBTransactionDAT);
            core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
            q.setParamCheck(false);
            q.sql() << sql;
            q.execQuery();
            scope.commit();
        }
    }

    // A further statement line of the settlement layout with one account (KCODE "Tnnn").
    void addLine(int rec, const QString& group, int subRec, const QString& lineName, const QString& accountName)
    {
        run({QStringLiteral("INSERT INTO EXTERKS(REC,KGROUP,SUBREC,KNAME1) VALUES(%1,'%2',%3,'%4')")
                 .arg(rec)
                 .arg(group)
                 .arg(subRec)
                 .arg(lineName),
             QStringLiteral("INSERT INTO KAMOKUMST(KCODE,USERCODE,GROUPM1,KNAME,USE,DAC,EXT1_KS) "
                            "VALUES('T%1','T%1','%2','%3',1,3,%1)")
                 .arg(rec)
                 .arg(group)
                 .arg(accountName)});
    }

    void writeSettings(const QStringList& lines) const
    {
        writeFile(QDir(work.path()).filePath(QStringLiteral("DkRendo.ini")),
                  lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    }

    linktest::SavedProgramState saved;
    QTemporaryDir work;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    core::TDM dm;
};

TEST_F(EquityDbTest, LoadAccountsNamesBlankLinesFromTheirAccountsAndTakesEveryLine)
{
    addLine(900, QStringLiteral("3340"), 2, QStringLiteral("　"), QStringLiteral("別途 積立"));
    addLine(901, QStringLiteral("3360"), 1, QString(), QStringLiteral(" "));      // no name anywhere: left out
    for (int i = 0; i < 60; ++i)                                                      // more than 50 lines
        addLine(910 + i, QStringLiteral("3600"), i + 1, QStringLiteral("予約権%1").arg(i + 1), QString());

    THojinZeiKabunusiSihonHendouKeisansyo settings;
    ASSERT_TRUE(settings.LoadAccounts()) << messageTexts();
    ASSERT_TRUE(settings.LoadReasons()) << messageTexts();
    QStringList keys;
    for (const auto& item : settings.KamokuItems)
        keys << item.Key + QLatin1Char('|') + item.GroupKey + QLatin1Char('|') + item.Name;
    EXPECT_TRUE(keys.contains(QStringLiteral("33401|33401|繰越利益剰余金"))) << keys.join(u',').toStdString();
    EXPECT_TRUE(keys.contains(QStringLiteral("33402|33402|別途積立")));
    EXPECT_FALSE(keys.join(u',').contains(QStringLiteral("3360")));
    EXPECT_TRUE(keys.contains(QStringLiteral("360060|360060|予約権60")));
    EXPECT_EQ(settings.KamokuItems.last().Key, QStringLiteral("360060"));
    ASSERT_EQ(settings.JiyuuItems.size(), 5);
    EXPECT_EQ(settings.JiyuuItems[3].Key, QStringLiteral("4"));
    EXPECT_EQ(settings.JiyuuItems[3].Name, QStringLiteral("当期純利益"));
    EXPECT_TRUE(messages.messages.isEmpty());
}

// Hand-made net-assets rows in statement order (row 0 unused).
struct EquityRows {
    statements::TBalanceArray balances{statements::TBALANCE{}};
    statements::TQSortArray sorts;
    statements::TBALANCE netIncome;

    void add(const char* group, qint64 opening, qint64 closing)
    {
        statements::TBALANCE row;
        row.KMK.GROUPM1 = QString::fromLatin1(group);
        row.KMK.KNAME = QStringLiteral("行") + row.KMK.GROUPM1;
        row.KURIKOSI = Currency::fromInt(opening);
        row.ZAN = Currency::fromInt(closing);
        balances.append(row);
        sorts.append(core::TQSORT{row.KMK.GROUPM1, int(balances.size()) - 1});
    }
    TBalanceRowsView view() { return {&balances, &sorts}; }
};

const QStringList kReasons = {
    QStringLiteral("HJ21_Jiyuu_1=剰余金の配当"), QStringLiteral("HJ21_Jiyuu_2=※※　独自事由　※※"),
    QStringLiteral("HJ21_Jiyuu_3=※※　独自事由　※※"), QStringLiteral("HJ21_Jiyuu_4=当期純利益"),
    QStringLiteral("HJ21_Jiyuu_5=自己株式の取得")};

TEST_F(EquityDbTest, MergesAccountsOfOneItemAndAddsNetIncomeOnceToTheLastRetainedEarningsRow)
{
    addLine(900, QStringLiteral("3340"), 2, QStringLiteral("別途積立"), QStringLiteral("別途積立"));
    writeSettings(QStringList{QStringLiteral("[HJ_株主資本等変動計算書]"), QStringLiteral("SakuseiKubun=1"),
                              QStringLiteral("HJ21_Kamoku_31001=資本金"), QStringLiteral("HJ21_Kamoku_32001=資本金"),
                              QStringLiteral("HJ21_Kamoku_33401=繰越利益剰余金"),
                              QStringLiteral("HJ21_Kamoku_33402=繰越利益剰余金")}
                  + kReasons + QStringList{QStringLiteral("[HJ_総勘定元帳]"), QStringLiteral("SakuseiKubun=0")});
    EquityRows rows;
    rows.add("3100", 1000, 1000);
    rows.add("3200", 200, 300);
    rows.add("3340", 5000, 4000);
    rows.add("3340", 0, 0);
    rows.netIncome.ZAN = Currency::fromInt(700);

    TNetAssetsChangesBuilder builder(rows.view(), &rows.netIncome);
    builder.MakeChangesStatement();
    EXPECT_EQ(builder.ChangesFlag, 1);
    EXPECT_EQ(builder.GeneralLedgerFlag, 0);

    TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
    IXMLNode root = doc.CreateRoot(QStringLiteral("DATA"), {});
    WriteChangesStatement(doc, root, builder.EquityItems);
    const QString text = platform::fromCp932(doc.SaveToBytes());
    EXPECT_EQ(text.mid(text.indexOf(QStringLiteral("<StatementChangesNetAssets>"))),
              QStringLiteral("<StatementChangesNetAssets><Select>1</Select>"
                             "<ChangesNetAssetsItem><AccountList>資本金</AccountList>"
                             "<BalanceEndPreviousPeriod>1200</BalanceEndPreviousPeriod><ChangesItemsDuringPeriod>"
                             "<TotalChangesItemsDuringPeriod>100</TotalChangesItemsDuringPeriod>"
                             "</ChangesItemsDuringPeriod><BalanceEndCurrentPeriod>1300</BalanceEndCurrentPeriod>"
                             "</ChangesNetAssetsItem>"
                             "<ChangesNetAssetsItem><AccountList>繰越利益剰余金</AccountList>"
                             "<BalanceEndPreviousPeriod>5000</BalanceEndPreviousPeriod><ChangesItemsDuringPeriod>"
                             "<TotalChangesItemsDuringPeriod>-549300</TotalChangesItemsDuringPeriod>"
                             "<ChangesItem><Reason>剰余金の配当</Reason><Amount>-500000</Amount></ChangesItem>"
                             "<ChangesItem><Reason>利益準備金の積立</Reason><Amount>-50000</Amount></ChangesItem>"
                             "<ChangesItem><Reason>当期純利益</Reason><Amount>700</Amount></ChangesItem>"
                             "</ChangesItemsDuringPeriod><BalanceEndCurrentPeriod>4000</BalanceEndCurrentPeriod>"
                             "</ChangesNetAssetsItem></StatementChangesNetAssets></DATA>"));
}

TEST_F(EquityDbTest, UnassignedLineOrReasonStopsWithCode6NamingIt)
{
    struct Case {
        const char* missingKey;
        QString detail;
    } cases[] = {
        {"HJ21_Kamoku_33401", QStringLiteral("繰越利益剰余金")},
        {"HJ21_Jiyuu_1", QStringLiteral("剰余金の配当")},
    };
    for (const Case& c : cases) {
        QStringList settings = QStringList{QStringLiteral("[HJ_株主資本等変動計算書]"),
                                           QStringLiteral("HJ21_Kamoku_33401=繰越利益剰余金")} + kReasons;
        settings.removeIf([&](const QString& l) { return l.startsWith(QString::fromLatin1(c.missingKey)); });
        writeSettings(settings);
        EquityRows rows;
        rows.add("3340", 10, 20);
        TNetAssetsChangesBuilder builder(rows.view(), &rows.netIncome);
        try {
            builder.MakeChangesStatement();
            ADD_FAILURE() << c.missingKey << ": no error";
        } catch (const EDataExportError& e) {
            EXPECT_EQ(e.ErrorCode, 6) << c.missingKey;
            EXPECT_EQ(e.message(), kChangesMismatchMessage);
            EXPECT_EQ(e.Detail, c.detail);
        }
        EXPECT_FALSE(dm.IBTransactionDAT.inTransaction()) << "committed on the way out";
    }
}

TEST_F(EquityDbTest, StatementNotChosenBuildsNothingButReadsTheLedgerSwitch)
{
    writeSettings({QStringLiteral("[HJ_株主資本等変動計算書]"), QStringLiteral("SakuseiKubun=0"),
                   QStringLiteral("[HJ_総勘定元帳]"), QStringLiteral("SakuseiKubun=1")});
    EquityRows rows;
    rows.add("3340", 10, 20); // unassigned, but nothing is built
    TNetAssetsChangesBuilder builder(rows.view(), nullptr);
    builder.MakeChangesStatement();
    EXPECT_EQ(builder.ChangesFlag, 0);
    EXPECT_EQ(builder.GeneralLedgerFlag, 1);
    EXPECT_TRUE(builder.EquityItems.isEmpty());
}

// ---- appropriation statement ----

QString writtenAppropriation(const TRiekiSyobunKeisansyoItemValue& value)
{
    TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
    IXMLNode root = doc.CreateRoot(QStringLiteral("DATA"), {});
    WriteAppropriationStatement(doc, root, value);
    const QString text = platform::fromCp932(doc.SaveToBytes());
    return text.mid(text.indexOf(QStringLiteral("<StatementAppropriationRetainedEarnings>")));
}

TEST_F(EquityDbTest, AppropriationOfALossWithFiveDirectorsAndNoAuditors)
{
    core::AccInf.YAKUMEI = {QStringLiteral("理事長"), QStringLiteral("理事"), QStringLiteral("監事")};
    const QStringList directors = {QStringLiteral("甲野"), QStringLiteral("乙野"), QStringLiteral("丙野"),
                                   QStringLiteral("丁野"), QStringLiteral("戊野"), QStringLiteral("　")};
    for (int i = 0; i < directors.size(); ++i)
        core::funcPutAccReg(QStringLiteral("決算書"), QStringLiteral("理事") + QStringLiteral("１２３４５６")[i],
                            QStringLiteral("文字"), directors[i]);
    core::funcPutAccReg(QStringLiteral("決算書"), QStringLiteral("総会元号"), QStringLiteral("文字"), QStringLiteral("令和"));
    core::funcPutAccReg(QStringLiteral("決算書"), QStringLiteral("総会年"), QStringLiteral("文字"), QStringLiteral("6"));
    core::funcPutAccReg(QStringLiteral("決算書"), QStringLiteral("総会月"), QStringLiteral("文字"), QStringLiteral("5"));
    core::funcPutAccReg(QStringLiteral("決算書"), QStringLiteral("総会日"), QStringLiteral("文字"), QStringLiteral("28"));

    // The facility settings: defaults, except two amounts and their names.
    std::map<QString, QVariant> stored = {
        {QStringLiteral("利益金処分１￥(0)"), QVariant::fromValue(Currency::fromInt(300))},
        {QStringLiteral("利益金処分１(0)"), QStringLiteral("繰越損失")},
        {QStringLiteral("利益金処分３￥(0)"), QVariant::fromValue(Currency::fromInt(-100))},
        {QStringLiteral("利益金処分３(0)"), QStringLiteral("填補")},
    };
    QStringList asked;
    auto reader = [&](const QString& scode, const QString& group, const QString& key, const QVariant& def,
                      const QString& type) -> QVariant {
        asked << scode + QLatin1Char('|') + group + QLatin1Char('|') + key + QLatin1Char('|') + type;
        const auto found = stored.find(key);
        if (found != stored.end())
            return found->second;
        return type == QStringLiteral("金額") ? QVariant::fromValue(Currency{}) : def;
    };

    const auto value = MakeAppropriationStatement(Currency::fromInt(-1500), reader);
    EXPECT_TRUE(asked.contains(QStringLiteral("|施設別決算書|タイトル－(0)|文字")));
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
    EXPECT_EQ(writtenAppropriation(value),
              QStringLiteral("<StatementAppropriationRetainedEarnings><StatementTitle>損失</StatementTitle>"
                             "<StatementAppropriationRetainedEarningsAGMApprovalDate/>"
                             "<AppropriationUnappropriatedRetainedEarningsEndYearAbstract>"
                             "<UnappropriatedRetainedEarningsEndYear Label=\"当期未処分利益\" Amount=\"-1500\">"
                             "<Item Label=\"当期未処分利益\">-1500</Item></UnappropriatedRetainedEarningsEndYear>"
                             "<DispositionDeficit Label=\"損失処理額\" Amount=\"200\">"
                             "<Item Label=\"繰越損失\">300</Item><Item Label=\"填補\">-100</Item></DispositionDeficit>"
                             "</AppropriationUnappropriatedRetainedEarningsEndYearAbstract>"
                             "<StatementAppropriationRetainedEarningsNotesAbstract><DirectorsReportAbstract>"
                             "<DirectorsReportingDate>2024-05-28</DirectorsReportingDate>"
                             "<Directors><DirectorTitle>理事長</DirectorTitle><DirectorName>甲野</DirectorName></Directors>"
                             "<Directors><DirectorTitle>理事</DirectorTitle><DirectorName>乙野</DirectorName></Directors>"
                             "<Directors><DirectorTitle>理事</DirectorTitle><DirectorName>丙野</DirectorName></Directors>"
                             "<Directors><DirectorTitle>理事</DirectorTitle><DirectorName>丁野</DirectorName></Directors>"
                             "<Directors><DirectorTitle>理事</DirectorTitle><DirectorName>戊野</DirectorName></Directors>"
                             "</DirectorsReportAbstract><AuditorsReportAbstract><AuditorsReportingDate/>"
                             "<Auditors/><Auditors/></AuditorsReportAbstract>"
                             "</StatementAppropriationRetainedEarningsNotesAbstract>"
                             "</StatementAppropriationRetainedEarnings></DATA>"));
}

TEST_F(EquityDbTest, AppropriationOfAProfitReadsTheStoredFacilitySettings)
{
    core::AccInf.YAKUMEI = {QStringLiteral("理事長"), QStringLiteral("理事"), QStringLiteral("監事")};
    core::funcPutAccReg(QStringLiteral("決算書"), QStringLiteral("監査１"), QStringLiteral("文字"), QStringLiteral("監査 太郎"));
    run({QStringLiteral("DELETE FROM SISETREG WHERE RGROUP='施設別決算書'"),
         QStringLiteral("INSERT INTO SISETREG(SCODE,RGROUP,RCODE,RTYPE,RTEXT) "
                        "VALUES('','施設別決算書','積立金取崩２￥(0)','金額','40')"),
         QStringLiteral("INSERT INTO SISETREG(SCODE,RGROUP,RCODE,RTYPE,RTEXT) "
                        "VALUES('','施設別決算書','積立金取崩２(0)','文字','別途積立金')")});

    const auto value = MakeAppropriationStatement(Currency::fromInt(900), {});
    EXPECT_EQ(value.TitleKind, QStringLiteral("利益"));
    EXPECT_TRUE(value.ReserveLines[0].Flag);
    EXPECT_EQ(value.ReserveLines[0].ItemAmount, QStringLiteral("40"));
    EXPECT_EQ(value.ReserveLines[2].ItemLabel, QStringLiteral("別途積立金"));
    EXPECT_FALSE(value.AppropriationLines[0].Flag);
    EXPECT_FALSE(value.DeficitLines[0].Flag);
    const QString text = writtenAppropriation(value);
    EXPECT_TRUE(text.contains(QStringLiteral("<ReversalVoluntaryReserve Label=\"任意積立金取崩額\" Amount=\"40\">"
                                             "<Item Label=\"別途積立金\">40</Item></ReversalVoluntaryReserve>")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("<AuditorsReportingDate/><Auditors><AuditorTitle>監事</AuditorTitle>"
                                             "<AuditorName>監査 太郎</AuditorName></Auditors><Auditors/>")))
        << text.toStdString();
    EXPECT_EQ(core::funcGetAccReg(QStringLiteral("決算書"), QStringLiteral("監査年"), QStringLiteral("文字"), QString())
                  .toString(),
              QStringLiteral("0"))
        << "missing settings are inserted with their defaults";
}

} // namespace
