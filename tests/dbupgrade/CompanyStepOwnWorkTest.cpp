// The database work of the company steps from 3.0.0 on, before or after their scripts, on a
// created company database of the current schema (made once per process, copied per case, its
// kind's seed rows left out) with small fixtures; a few cases run the whole step through the
// real SQL tool with the installed files.

#include "dbupgrade/company/CompanyStep300.h"
#include "dbupgrade/company/CompanyStep400.h"
#include "dbupgrade/company/CompanyStep700.h"
#include "dbupgrade/company/CompanyStep802.h"
#include "dbupgrade/company/CompanyStep803.h"
#include "dbupgrade/company/CompanyStep1000.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/dialog/TDbUpdateBox.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"

#include "core/Globals.h"
#include "core/version/EasyEncode.h"
#include "schema/DbAccount.h"
#include "schema/SchemaScripts.h"
#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"
#include "tests/support/ModalAnswerer.h"
#include "controls/buttons/TxCheckBox.h"
#include "controls/buttons/TxPlButton.h"

#include "core/db/IBDatabase.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

namespace {

using namespace upgradetest;

QString createdTemplate()
{
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        const QString file = dir.filePath(QStringLiteral("company-created.fdb"));
        schema::createSchemaDatabase(schema::DbAccount{}, file, schema::DatabaseKind::Company)->close();
        path = file;
    }
    return path;
}

// A session on a copy of the created database, with the data kind in AccInf.
class CreatedData {
public:
    CreatedData(int dataType, int codeType, int edition = 0)
    {
        QFile::remove(session.companyFile());
        QFile::copy(createdTemplate(), session.companyFile());
        QFile::setPermissions(session.companyFile(), QFile::ReadOwner | QFile::WriteOwner);
        core::AccInf.DATATYPE = dataType;
        core::AccInf.CODETYPE = codeType;
        core::EditionFlag = quint8(edition);
    }
    QString db() const { return session.companyFile(); }
    QStringList rows(const QString& sql) const { return queryRows(db(), sql); }
    QString value(const QString& sql) const { return queryValue(db(), sql); }
    void exec(const QStringList& statements) const { execute(db(), statements); }

    UpgradeSession session;
};

TEST(CompanyStepOwnWorkTest, Step304AsksForTheTriggerAndRunsItsFiles)
{
    CreatedData data(1, 1);
    EXPECT_FALSE(dbupgrade::PrepareCompanyStep304().hasKamokumstTrigger);
    ASSERT_EQ(dbupgrade::RunCompanyStep304(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    EXPECT_EQ(data.value(QStringLiteral("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = 'KAMOKUMST_AFTER_UPDATE2'")),
              QStringLiteral("1"));
    EXPECT_EQ(data.value(QStringLiteral("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1")),
              QStringLiteral("3.0.4"));
    EXPECT_TRUE(dbupgrade::PrepareCompanyStep304().hasKamokumstTrigger);
}

TEST(CompanyStepOwnWorkTest, Step306MarksMedicalAccountsAndRecomputesConvertedOpenings)
{
    // Accounts: two balance-sheet ones (one of them 元入金), one profit-and-loss one after them.
    const QStringList fixture = {
        QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, KNAME, BPFLG, HOJOSW) VALUES ('1101', '1101', '1000', '現金', 'B', '－')"),
        QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, KNAME, BPFLG, HOJOSW) VALUES ('2601', '2601', '2000', '元入金', 'B', '－')"),
        QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, KNAME, BPFLG, HOJOSW) VALUES ('4101', '4101', '4000', '売上', 'P', '－')"),
        QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, KNAME, BPFLG, HOJOSW) VALUES ('9999', '9999', '9900', '諸口', 'X', '－')"),
        QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('9999', '諸口')"),
    };
    QStringList balances;
    for (const char* account : {"1101", "2601", "4101"}) {
        balances << QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '%1', ' ', ' ', 1234.5)")
                        .arg(QLatin1String(account));
        for (const int period : {0, 4})
            balances << QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, ZEIGAKU) "
                                       "VALUES (' ', '%1', ' ', ' ', %2, 7, 7)")
                            .arg(QLatin1String(account))
                            .arg(period);
    }
    const QString touched = QStringLiteral("SELECT KCODE || ':' || MNUM FROM KAMOKU_PZ WHERE NUKIZAN = 1234.5 AND ZEIGAKU = 0 "
                                           "ORDER BY KCODE, MNUM");

    struct Case {
        const char* what;
        int dataType;
        int convert;
        int startMonth;
        QStringList expected;
    };
    const std::vector<Case> cases = {
        {"individual, start month 1: owner account kept, walk ends at P", 2, 1, 1, {QStringLiteral("1101:0")}},
        {"corporation, start month 1: every B row", 1, 1, 1, {QStringLiteral("1101:0"), QStringLiteral("2601:0")}},
        {"individual, start month 4: B and P rows at period 4", 2, 1, 4,
         {QStringLiteral("1101:4"), QStringLiteral("2601:4"), QStringLiteral("4101:4")}},
        {"not converted: nothing", 1, 0, 4, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreatedData data(c.dataType, 1);
        data.exec(fixture + balances);
        core::AccInf.CONVERT = c.convert;
        core::AccInf.KAISINO = c.startMonth;
        core::AccInf.SysKCode[core::skMotoirekin] = QStringLiteral("2601");
        EXPECT_EQ(dbupgrade::PrepareCompanyStep306().accountVariant, 0);
        EXPECT_EQ(data.rows(touched), c.expected);
    }

    // Medical data with 400 accounts: no variant, but 諸口 can have no sub-accounts.
    CreatedData medical(3, 1);
    QStringList accounts = fixture;
    for (int i = 0; i < 396; ++i)
        accounts << QStringLiteral("INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, BPFLG) VALUES ('%1', '%1', '3000', 'B')")
                        .arg(5000 + i);
    medical.exec(accounts);
    core::AccInf.CONVERT = 0;
    EXPECT_EQ(dbupgrade::PrepareCompanyStep306().accountVariant, 0);
    EXPECT_EQ(medical.value(QStringLiteral("SELECT HOJOSW FROM KAMOKUMST WHERE KCODE = '9999'")), QStringLiteral(u"×"));
    EXPECT_EQ(medical.value(QStringLiteral("SELECT HOJOSW FROM KAMOKUMST WHERE KCODE = '1101'")), QStringLiteral(u"－"));
    medical.exec({QStringLiteral("DELETE FROM KAMOKUMST WHERE KCODE STARTING WITH '5' AND KCODE > '5372'")});
    EXPECT_EQ(dbupgrade::PrepareCompanyStep306().accountVariant, 1); // 377 accounts
}

TEST(CompanyStepOwnWorkTest, Step307MakesItsTriggerOnceAndItsFileGivesTheBody)
{
    CreatedData data(3, 1);
    const QString source =
        QStringLiteral("SELECT RDB$TRIGGER_SOURCE FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = 'KAMOKUSZ_AFTER_DELETE2'");
    dbupgrade::PrepareCompanyStep307();
    const QString empty = data.value(source);
    EXPECT_TRUE(empty.contains(QStringLiteral("dvSITEN"))) << empty.toStdString();
    dbupgrade::PrepareCompanyStep307();
    EXPECT_EQ(data.value(source), empty);

    ASSERT_EQ(dbupgrade::RunCompanyStep307(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    EXPECT_TRUE(data.value(source).contains(QStringLiteral("KAMOKU_PZ")));
}

TEST(CompanyStepOwnWorkTest, Step700MovesOnlyPasswordsThatComeBackWhole)
{
    const QString group = QStringLiteral(u"基本設定");
    const QString settings = QStringLiteral("SELECT ACODE || '=' || COALESCE(ATEXT, '') FROM ACCREG WHERE AGROUP = '%1' "
                                            "ORDER BY ACODE")
                                 .arg(group);
    struct Case {
        const char* what;
        std::optional<QString> stored;
        bool moved;
        QString readBack; // what the data set then asks for
    };
    const std::vector<Case> cases = {
        {"missing", std::nullopt, true, QString()},
        {"blank only", QStringLiteral(u"　 　"), true, QString()},
        {"abc123", QStringLiteral("abc123"), true, QStringLiteral("abc123")},
        {"ten alphanumerics", QStringLiteral("abcdEFGH12"), true, QStringLiteral("abcdEFGH")},
        {"ab-12 refused", QStringLiteral("ab-12"), false, QString()},
        {"-abc refused", QStringLiteral("-abc"), false, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreatedData data(1, 1);
        if (c.stored)
            data.exec({QStringLiteral("INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('%1', '%2', '%3', '%4')")
                           .arg(group, QStringLiteral(u"データパスワード"), QStringLiteral(u"文字"), *c.stored)});
        const QStringList before = data.rows(settings);
        EXPECT_EQ(dbupgrade::PrepareCompanyStep700(), c.moved);
        const QStringList after = data.rows(settings);
        if (!c.moved) {
            EXPECT_EQ(after, before);
            continue;
        }
        if (c.readBack.isEmpty()) {
            EXPECT_TRUE(after.isEmpty()) << after.join(QLatin1Char(';')).toStdString();
            continue;
        }
        ASSERT_EQ(after.size(), 1);
        ASSERT_TRUE(after[0].startsWith(QStringLiteral(u"データパスワードV2=")));
        core::TEasyEncodeInfo info;
        info.key = QString::fromLatin1(core::kDataPasswordKey);
        core::InitEasyEncodeInfo(info);
        info.textLength = core::kDataPasswordLength;
        info.codedText = after[0].section(QLatin1Char('='), 1);
        core::EasyDecode(info);
        EXPECT_EQ(info.plainText, c.readBack);
    }

    // The whole step: a refused password fails it before any script, with the reason logged.
    CreatedData data(1, 1);
    data.exec({QStringLiteral("INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('%1', '%2', '%3', 'ab-12')")
                   .arg(group, QStringLiteral(u"データパスワード"), QStringLiteral(u"文字"))});
    EXPECT_EQ(dbupgrade::RunCompanyStep700(), dbupgrade::kStepScriptError);
    EXPECT_FALSE(QFile::exists(dbupgrade::UpdateScriptFile()));
    EXPECT_TRUE(readCp932File(dbupgrade::ErrDataupLogFile()).contains(QStringLiteral(u"データパスワード")));
    EXPECT_EQ(data.value(QStringLiteral("SELECT MAJOR FROM ACCVERSION WHERE REC = 1")), QStringLiteral("15"));
}

TEST(CompanyStepOwnWorkTest, Step704LooksForTaxCode116)
{
    CreatedData data(1, 1);
    EXPECT_FALSE(dbupgrade::PrepareCompanyStep704().hasTaxCode116);
    data.exec({QStringLiteral(u"INSERT INTO TAXMST (TAX_CODE, TAX_NAME) VALUES (116, '特定課税仕入')")});
    EXPECT_TRUE(dbupgrade::PrepareCompanyStep704().hasTaxCode116);
}

TEST(CompanyStepOwnWorkTest, Step802SeedsCorporationsAndConvertsTheMenus)
{
    const QString menus = QStringLiteral("SELECT LEVELNO || ':' || PROC_ID || ':' || COALESCE(PROC_OPTION, '') FROM JOBCONTROL2 "
                                         "ORDER BY PROC_ID");
    const auto jobRows = [](int level) {
        QStringList rows;
        int rec = 1;
        for (const auto& [page, menu] : std::vector<std::pair<int, int>>{{2, 0}, {2, 17}, {3, 0}, {3, 5}, {9, 9}})
            rows << QStringLiteral("INSERT INTO JOBCONTROL (REC, LEVELNO, PAGENO, MENUNO) VALUES (%1, %2, %3, %4)")
                        .arg(rec++)
                        .arg(level)
                        .arg(page)
                        .arg(menu);
        return rows;
    };

    {
        SCOPED_TRACE("individual, standard edition");
        CreatedData data(2, 1);
        data.exec(jobRows(200));
        EXPECT_EQ(dbupgrade::FinishCompanyStep802(), dbupgrade::kStepDone);
        EXPECT_EQ(data.value(QStringLiteral("SELECT COUNT(*) FROM KAMOKU_KOSEI_GROUP")), QStringLiteral("0"));
        EXPECT_EQ(data.value(QStringLiteral("SELECT COUNT(*) FROM ZEBRIK_YOJITU_HYOKARULE")), QStringLiteral("0"));
        EXPECT_EQ(data.rows(menus), QStringList({QStringLiteral("200:VxHojinKessansyo:"), QStringLiteral("200:VxKojinKessansyo:"),
                                                 QStringLiteral("200:VxSiwake:SyoriType=0")}));
    }
    {
        SCOPED_TRACE("medical, level 1200, partner edition");
        CreatedData data(3, 1, 1);
        QStringList rows = jobRows(1200);
        for (QString& row : rows)
            row.replace(QStringLiteral("VALUES ("), QStringLiteral("VALUES (10 + "));
        data.exec(jobRows(200) + rows);
        EXPECT_EQ(dbupgrade::FinishCompanyStep802(), dbupgrade::kStepDone);
        EXPECT_EQ(data.rows(menus), QStringList({QStringLiteral("200:VxCashFlow:"), QStringLiteral("200:VxKobetuIchiranhyo:"),
                                                 QStringLiteral("200:VxMBKessansyo:"), QStringLiteral("200:VxSiwake:SyoriType=0")}));
    }
    {
        SCOPED_TRACE("corporation, partner edition");
        CreatedData data(1, 1, 2);
        data.exec({QStringLiteral("INSERT INTO KAMOKUMST (KCODE, GROUPM1) VALUES ('7101', '7100')")});
        EXPECT_EQ(dbupgrade::FinishCompanyStep802(), dbupgrade::kStepDone);
        EXPECT_EQ(data.value(QStringLiteral("SELECT COUNT(*) || ':' || MIN(FKCODE) || ':' || MIN(FHCODE) || '.' "
                                            "FROM KAMOKU_KOSEI_GROUP")),
                  QStringLiteral("19:31100: ."));
        EXPECT_EQ(data.value(QStringLiteral("SELECT FMEISHOU || ':' || FBAD_RATE || ':' || FBAD_HANI || ':' || FGOOD_RATE "
                                            "|| ':' || FGOOD_HANI FROM ZEBRIK_YOJITU_HYOKARULE WHERE FGCODE = '5100'")),
                  QStringLiteral(u"変動費:1.0500:1:0.9500:0"));
        EXPECT_EQ(data.value(QStringLiteral("SELECT COUNT(*) FROM ZEBRIK_YOJITU_HYOKARULE")), QStringLiteral("12"));
        EXPECT_EQ(data.value(QStringLiteral("SELECT ZEBRIK_YOJITU_RATE1 || ':' || ZEBRIK_YOJITU_KIND2 FROM KAMOKUMST")),
                  QStringLiteral("0.9500:1"));
    }
    {
        SCOPED_TRACE("a failing insert leaves nothing of the work");
        CreatedData data(1, 1);
        data.exec(jobRows(200) +
                  QStringList{QStringLiteral(u"INSERT INTO ZEBRIK_YOJITU_HYOKARULE (FGCODE, FMEISHOU) VALUES ('6200', '既存')")});
        EXPECT_EQ(dbupgrade::FinishCompanyStep802(), dbupgrade::kStepOwnWorkFailed);
        EXPECT_EQ(data.value(QStringLiteral("SELECT COUNT(*) FROM KAMOKU_KOSEI_GROUP")), QStringLiteral("0"));
        EXPECT_EQ(data.value(QStringLiteral("SELECT COUNT(*) FROM ZEBRIK_YOJITU_HYOKARULE")), QStringLiteral("1"));
        EXPECT_EQ(data.value(QStringLiteral("SELECT COUNT(*) FROM JOBCONTROL2")), QStringLiteral("0"));
    }
}

TEST(CompanyStepOwnWorkTest, Step803SeedsIndividualDataByCodeTypeAndEdition)
{
    struct Case {
        int dataType;
        int codeType;
        int edition;
        const char* expected; // groups:rules
    };
    for (const Case& c : std::vector<Case>{{2, 1, 0, "10:10"}, {2, 2, 0, "3:10"}, {2, 4, 0, "7:10"}, {2, 1, 1, "15:10"},
                                           {2, 3, 1, "0:10"}, {2, 2, 2, "3:10"}, {3, 1, 0, "0:0"}, {1, 1, 0, "0:0"}}) {
        SCOPED_TRACE(testing::Message() << c.dataType << "/" << c.codeType << "/" << c.edition);
        CreatedData data(c.dataType, c.codeType, c.edition);
        EXPECT_EQ(dbupgrade::FinishCompanyStep({8, 0, 3}), dbupgrade::kStepDone);
        EXPECT_EQ(data.value(QStringLiteral("SELECT (SELECT COUNT(*) FROM KAMOKU_KOSEI_GROUP) || ':' || "
                                            "(SELECT COUNT(*) FROM ZEBRIK_YOJITU_HYOKARULE) FROM RDB$DATABASE")),
                  QLatin1String(c.expected));
    }
}

TEST(CompanyStepOwnWorkTest, Step904CarriesTheOperatorsPrintSettings)
{
    const QString kessan = QStringLiteral("SELECT ZEROKAMOKUPRINT || ZEROPRINT || SONSHITUSANKAKU || SOTOWAKUKAHEN || "
                                          "FUSAINOBUKAIPAGE || HANBAIHIKUMIIRE || TEGATASOSAI FROM KESSAN WHERE REC = 1");
    const auto run = [&](int dataType) {
        CreatedData data(dataType, 1);
        data.exec({QStringLiteral("UPDATE KESSAN SET ZEROKAMOKUPRINT = 9, ZEROPRINT = 9, SONSHITUSANKAKU = 9, "
                                  "SOTOWAKUKAHEN = 9, FUSAINOBUKAIPAGE = 9, HANBAIHIKUMIIRE = 9, TEGATASOSAI = 9")});
        core::SystemDef.ZeroPrint = 2;
        core::SystemDef.SankakuPlus = 1;
        core::SystemDef.Reserve2 = 2;
        core::SystemDef.SgaInclude = 1;
        core::SystemDef.BillOffset = 0;
        EXPECT_EQ(dbupgrade::FinishCompanyStep({9, 0, 4}), dbupgrade::kStepDone);
        return data.value(kessan);
    };
    EXPECT_EQ(run(1), QStringLiteral("1011010"));
    EXPECT_EQ(run(2), QStringLiteral("0000000"));
    EXPECT_EQ(run(3), QStringLiteral("9999999"));
}

TEST(CompanyStepOwnWorkTest, Step1400RepairsEachRowWithItsOwnMemo)
{
    const dbupgrade::CompanyDataKind other{1, 1, false};
    const QString memos = QStringLiteral("SELECT REC || ':' || REPLACE(MEMO, ASCII_CHAR(13) || ASCII_CHAR(10), '/') "
                                         "FROM ACCVERSION WHERE MAJOR = 13 ORDER BY REC");
    {
        SCOPED_TRACE("no 13.0.3 row");
        CreatedData data(1, 1);
        const dbupgrade::RepairPlan plan = dbupgrade::PrepareCompanyStep1400(other);
        EXPECT_EQ(plan.result, dbupgrade::kStepDone);
        EXPECT_TRUE(plan.lines.isEmpty());
    }
    {
        SCOPED_TRACE("two rows without the mark, the column missing: 13.0.0's files again, then each MEMO marked");
        CreatedData data(1, 1);
        data.exec({QStringLiteral("INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (10, 13, 0, 3, 'first')"),
                   QStringLiteral("INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (11, 13, 0, 3, 'it''s second')")});
        ASSERT_EQ(dbupgrade::RunCompanyStep1400(), dbupgrade::kStepDone)
            << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
        EXPECT_EQ(data.rows(memos), QStringList({QStringLiteral("10:first/V1304=1"), QStringLiteral("11:it's second/V1304=1")}));
        EXPECT_EQ(data.value(QStringLiteral("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = "
                                            "'MEISAI_JYOKEN_RULE' AND RDB$FIELD_NAME = 'FTEKIYOA_TIKAN_FIELD7'")),
                  QStringLiteral("1"));
        EXPECT_EQ(data.value(QStringLiteral("SELECT MAJOR FROM ACCVERSION WHERE REC = 1")), QStringLiteral("14"));
        // Marked: a second look finds nothing to repair.
        EXPECT_TRUE(dbupgrade::PrepareCompanyStep1400(other).lines.isEmpty());
    }
    {
        SCOPED_TRACE("column present, MEMO without the mark: only the mark");
        CreatedData data(3, 1);
        data.exec({QStringLiteral("CREATE TABLE MEISAI_JYOKEN_RULE (FTEKIYOA_TIKAN_FIELD7 INTEGER)"),
                   QStringLiteral("INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (3, 13, 0, 3, 'A=1')")});
        const dbupgrade::RepairPlan plan = dbupgrade::PrepareCompanyStep1400({3, 1, false});
        EXPECT_EQ(plan.lines, QStringList({QStringLiteral("ALTER TRIGGER ACCVERSION_AFTER_UPDATE INACTIVE;"),
                                           QStringLiteral("UPDATE ACCVERSION SET MEMO='A=1' || ASCII_CHAR(13) || ASCII_CHAR(10) || "
                                                          "'V1304=1'\nWHERE REC=3;"),
                                           QStringLiteral("COMMIT;"),
                                           QStringLiteral("ALTER TRIGGER ACCVERSION_AFTER_UPDATE ACTIVE;")}));
    }
    {
        SCOPED_TRACE("repair due, column missing, 1300's 02 missing: 18");
        CreatedData data(1, 1);
        data.exec({QStringLiteral("INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (3, 13, 0, 3, '')")});
        QTemporaryDir sql;
        core::SystemDef.SqlDir = sql.path();
        for (const QString& file : {QStringLiteral("1300/qmvup01.sql"), QStringLiteral("1300/qmvup03.sql"),
                                    QStringLiteral("1300/qmvup04.sql"), QStringLiteral("1400/qmvup01.sql"),
                                    QStringLiteral("1400/qmvup02.sql")}) {
            QDir(sql.path()).mkpath(QFileInfo(file).path());
            QFile out(QDir(sql.path()).filePath(file));
            out.open(QIODevice::WriteOnly);
            out.write("/* stand-in */\r\n");
        }
        EXPECT_EQ(dbupgrade::RunCompanyStep1400(), dbupgrade::kStepFileMissing);
        EXPECT_EQ(data.value(QStringLiteral("SELECT MAJOR FROM ACCVERSION WHERE REC = 1")), QStringLiteral("15"));
    }
}

TEST(CompanyStepOwnWorkTest, Step400RepairsTheMedicalCashFlowTemplateInItsScript)
{
    CreatedData data(3, 1);
    QStringList rows;
    for (const auto& [rec, kind, group, name] : std::vector<std::tuple<int, int, int, const char16_t*>>{
             {40, 1, 40, u"ＩＶ　増加額"}, {41, 1, 50, u"Ｖ　期首残高"}, {42, 1, 60, u"ＶＩ　期末残高"},
             // Layout 0 already in the current form: left as it is.
             {86, 0, 40, u"ＩＶ　換算差額"}, {87, 0, 50, u"Ｖ　増加額"}, {88, 0, 60, u"ＶＩ　期首残高"}, {89, 0, 70, u"ＶＩＩ　期末残高"}})
        rows << QStringLiteral("INSERT INTO CASHFMST (CM_REC, CM_KIND, CM_GROUP, CM_NAME1) VALUES (%1, %2, %3, '%4')")
                    .arg(rec)
                    .arg(kind)
                    .arg(group)
                    .arg(QString::fromUtf16(name));
    rows << QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, KNAME, HOJOSW) VALUES ('9999', '諸口', '×')")
         << QStringLiteral("INSERT INTO ACCDEF5 (SCODE, BCODE, MNUM, NUM1) VALUES ('', '01', 1, 5)");
    data.exec(rows);
    core::AccInf.SysKCode[core::skShokuchi] = QStringLiteral("9999");
    core::AccInf.SITEN = 1;
    core::AccInf.BUMON = 0;
    ASSERT_EQ(dbupgrade::RunCompanyStep400(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    EXPECT_EQ(data.rows(QStringLiteral("SELECT CM_REC || ':' || CM_GROUP || ':' || CM_ORDER || ':' || CM_JIGYOU FROM CASHFMST "
                                       "WHERE CM_KIND = 1 ORDER BY CM_GROUP")),
              QStringList({QStringLiteral("43:40:38:15"), QStringLiteral("40:50:39:0"), QStringLiteral("41:60:40:0"),
                           QStringLiteral("42:70:41:0")}));
    EXPECT_EQ(data.rows(QStringLiteral("SELECT CM_NAME1 FROM CASHFMST WHERE CM_KIND = 1 ORDER BY CM_GROUP")),
              QStringList({QStringLiteral(u"ＩＶ　現金及び現金同等物に係る換算差額"), QStringLiteral(u"Ｖ　現金及び現金同等物の増加額"),
                           QStringLiteral(u"ＶＩ　現金及び現金同等物の期首残高"), QStringLiteral(u"ＶＩＩ　現金及び現金同等物の期末残高")}));
    EXPECT_EQ(data.rows(QStringLiteral("SELECT CM_REC || ':' || CM_GROUP || ':' || CM_NAME1 FROM CASHFMST WHERE CM_KIND = 0 "
                                       "ORDER BY CM_GROUP")),
              QStringList({QStringLiteral(u"86:40:ＩＶ　換算差額"), QStringLiteral(u"87:50:Ｖ　増加額"),
                           QStringLiteral(u"88:60:ＶＩ　期首残高"), QStringLiteral(u"89:70:ＶＩＩ　期末残高")}));
    EXPECT_EQ(data.value(QStringLiteral("SELECT HOJOSW FROM KAMOKUMST WHERE KCODE = '9999'")), QStringLiteral(u"－"));
    EXPECT_EQ(data.value(QStringLiteral("SELECT NUM1 FROM ACCDEF5")), QStringLiteral("0"));
    EXPECT_EQ(data.value(QStringLiteral("SELECT MAJOR FROM ACCVERSION WHERE REC = 1")), QStringLiteral("4"));
}

TEST(CompanyStepOwnWorkTest, Step903RoundsTheBudgetsWithItsRoundingFunction)
{
    // The base data carries the older two-argument rounding function; 9.0.3's files let it be
    // called with the amount alone.
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    execute(session.companyFile(),
            {QStringLiteral("DELETE FROM KAMOKU_MS"),
             QStringLiteral("INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, BYOSAN, BYOSAN2, BYOSAN3) "
                            "VALUES (' ', '1101', ' ', ' ', 1, 1234.5, 10.4, -2.5)")});
    ASSERT_EQ(dbupgrade::RunCompanyStep903(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    EXPECT_EQ(queryValue(session.companyFile(), QStringLiteral("SELECT BYOSAN || ':' || BYOSAN2 || ':' || BYOSAN3 FROM KAMOKU_MS")),
              QStringLiteral("1235.0000:10.0000:-3.0000"));
}

TEST(CompanyStepOwnWorkTest, DialogRunsTheLastStepWithOneBackup)
{
    CreatedData data(1, 1);
    data.exec({QStringLiteral("UPDATE ACCVERSION SET MAJOR = 14, MINOR1 = 0, MINOR2 = 0 WHERE REC = 1")});
    dbupgrade::TDbUpdateBox box(nullptr, {0, QStringLiteral(u"テスト財務")});
    box.PrepareUpdateList(dbupgrade::kUpdateCompany, QStringLiteral("14.0.0"));
    ASSERT_EQ(box.ListView1->topLevelItemCount(), 1);
    EXPECT_EQ(box.List.BackupCount, 1);
    testsupport::ModalAnswerer answerer;
    answerer.then([&](QWidget*) {
        QTimer::singleShot(0, &box, [&] {
            box.cboxAgree->click();
            box.btnOk->Click();
        });
    });
    EXPECT_EQ(box.exec(), core::mrOk);
    EXPECT_TRUE(box.List.UpdateSucceeded);
    EXPECT_EQ(box.ListView1->topLevelItem(0)->text(2), QStringLiteral(u"完了"));
    EXPECT_EQ(data.value(QStringLiteral("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1")),
              QStringLiteral("15.0.0"));
}

} // namespace
