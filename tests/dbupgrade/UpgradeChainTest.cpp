// The upgrade chains: every built step of a table run in order through its UpdateProc on the
// base database of a kind, each through the real isql-fb. The system chain ends in the
// catalogue comparison with a freshly created system database; the company chains check the
// data after each built stretch. Later steps extend these same cases.

#include "dbupgrade/DbUpdateList.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/session/AccInf.h"
#include "schema/SchemaScripts.h"
#include "schema/ScriptRunner.h"
#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/Catalogue.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>

#include <functional>
#include <map>

namespace {

using namespace upgradetest;

QString versionOf(const dbupgrade::TDbUpdateListRec& step)
{
    return QString::asprintf("%d.%d.%d", step.Major, step.Minor1, step.Minor2);
}

// Runs the table's steps with a routine, in order, calling the check of a version right after
// that step. Returns the version of the last step run.
QString runChain(const dbupgrade::TArrayDbUpdateListRec& steps,
                 const std::map<QString, std::function<void()>>& checks = {})
{
    QString last;
    for (const dbupgrade::TDbUpdateListRec& step : steps) {
        if (!step.UpdateProc)
            break;
        const QString version = versionOf(step);
        const int result = step.UpdateProc();
        if (result != dbupgrade::kStepDone) {
            ADD_FAILURE() << "step " << version.toStdString() << " returned " << result << "\n"
                          << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
            return version;
        }
        last = version;
        auto check = checks.find(version);
        if (check != checks.end()) {
            SCOPED_TRACE("after " + version.toStdString());
            check->second();
        }
    }
    return last;
}

TEST(UpgradeChainTest, SystemDatabaseEndsEqualToACreatedOne)
{
    UpgradeSession session;
    session.installSystemBase();
    const QString db = session.systemFile();
    const dbupgrade::TDbUpdateList list;

    const std::map<QString, std::function<void()>> checks = {
        {QStringLiteral("0.3.1"),
         [&] { EXPECT_EQ(queryValue(db, QStringLiteral("SELECT REC FROM VERSION")), QStringLiteral("1")); }},
        {QStringLiteral("3.0.7"),
         [&] {
             EXPECT_EQ(queryRows(db, QStringLiteral("SELECT LEVELNO, PAGENO, MENUNO FROM JOBCONTROL ORDER BY 1, 3")),
                       QStringList({QStringLiteral("5|1|0"), QStringLiteral("5|10|3"), QStringLiteral("1001|11|1"),
                                    QStringLiteral("1001|12|2"), QStringLiteral("1001|10|3")}));
         }},
        {QStringLiteral("4.0.0"),
         [&] {
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT RESERVE2 FROM SYSTEMINI WHERE REC = 10")), QStringLiteral("63"));
         }},
        {QStringLiteral("7.0.0"),
         [&] {
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT RESERVE3 || '|' || SSTR FROM SYSTEMINI WHERE REC = 10")),
                       QStringLiteral(u"1|NAME=税理士法人みどり\rJYUSHO=東京都千代田区1-1\rTEL=03-1234-5678\r"));
         }},
        {QStringLiteral("9.0.4"),
         [&] {
             QStringList settings = queryRows(db, QStringLiteral("SELECT OPCODE, SCODE, STEXT FROM SYSREG WHERE SCODE "
                                                                 "CONTAINING '開く区分' OR SCODE CONTAINING 'なし区分'"));
             settings.sort();
             EXPECT_EQ(settings,
                       QStringList({QStringLiteral(u"100000010|取引先＿入力なし区分|0"),
                                    QStringLiteral(u"100000010|取引先＿自動開く区分|1"),
                                    QStringLiteral(u"100000010|取引先＿辞書開く区分|0"),
                                    QStringLiteral(u"100000010|取引先＿連想開く区分|1"),
                                    QStringLiteral(u"100000010|摘要＿入力なし区分|0"),
                                    QStringLiteral(u"100000010|摘要＿自動開く区分|0"),
                                    QStringLiteral(u"100000010|摘要＿辞書開く区分|1"),
                                    QStringLiteral(u"100000010|摘要＿連想開く区分|0"),
                                    QStringLiteral(u"100000012|取引先＿入力なし区分|0"),
                                    QStringLiteral(u"100000012|取引先＿自動開く区分|0"),
                                    QStringLiteral(u"100000012|取引先＿辞書開く区分|1"),
                                    QStringLiteral(u"100000012|取引先＿連想開く区分|0"),
                                    QStringLiteral(u"100000012|摘要＿入力なし区分|1"),
                                    QStringLiteral(u"100000012|摘要＿自動開く区分|1"),
                                    QStringLiteral(u"100000012|摘要＿辞書開く区分|1"),
                                    QStringLiteral(u"100000012|摘要＿連想開く区分|0")}));
         }},
    };
    ASSERT_EQ(runChain(list.SystemSteps, checks), QStringLiteral("12.0.0"));

    // A system database created at 12.0.0 in the same folder.
    const QString referenceFolder = QDir(session.root()).filePath(QStringLiteral("reference"));
    QDir().mkpath(referenceFolder);
    const QString reference = QDir(referenceFolder).filePath(QStringLiteral("qmaccdef.fdb"));
    schema::finishDatabase(schema::createSchemaDatabase(schema::DbAccount{}, reference, schema::DatabaseKind::System),
                           schema::DbAccount{}, reference);
    const CatalogueDifference difference = compareCatalogues(reference, db);
    EXPECT_GT(difference.compared, 300); // the comparison saw the whole catalogue
    EXPECT_TRUE(difference.missing.isEmpty()) << difference.missing.join(QLatin1Char('\n')).toStdString();
    if (!difference.extra.isEmpty())
        RecordProperty("extra", difference.extra.join(QLatin1Char(' ')).toStdString());

    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT GNAME, GSIGN, CAST(STARTDATE AS DATE), YEAROFFSET FROM GENGO ORDER BY YEAROFFSET")),
              queryRows(reference,
                        QStringLiteral("SELECT GNAME, GSIGN, CAST(STARTDATE AS DATE), YEAROFFSET FROM GENGO ORDER BY YEAROFFSET")));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) || '|' || MIN(RECNO) || '|' || MAX(RECNO) FROM USERCODE")),
              QStringLiteral("20|1|20"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM DATAPLACEMAN")), QStringLiteral("100"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT NAME || '|' || PATH FROM DATAPLACEMAN WHERE REC = 7")),
              QStringLiteral("|") + core::SystemDef.SYSDIR + QStringLiteral("07"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT OPNAME || '|' || JOBLEVEL || '|' || PASWORD || '|' || MYNUMBER_ADM || "
                                            "'|' || SHONIN FROM OPERATOR WHERE GROUPID = 10000 AND OPCODE = 1")),
              QStringLiteral(u"システムユーザー|9||0|0"));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT REC, MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM VERSION ORDER BY REC"))
                  .last(),
              QStringLiteral("18|12.0.0"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT MEMO FROM VERSION WHERE REC = 18")),
              QStringLiteral(u"2026/04/01 09:30:15,10,山田太郎,PC-TEST"));
    // The registered data set kept its row.
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT ENTTEXT || '|' || PASNAME || '|' || DATACODE || '|' || CLOUD || '|' || "
                                            "READ_ONLY FROM DATALIST WHERE REC = 1")),
              QStringLiteral(u"みなと商事|/data/0001||0|0"));
}

// A company database created by the schema scripts with the trial-balance procedures of the
// kind (the only objects of the created schema that differ by kind).
QString createdCompanyDatabase(const QString& folder, CompanyKind kind)
{
    QDir().mkpath(folder);
    const QString file = QDir(folder).filePath(QStringLiteral("qmacc.fdb"));
    auto created = schema::createSchemaDatabase(schema::DbAccount{}, file, schema::DatabaseKind::Company);
    for (const QString& script : schema::trialBalanceScripts(kindScriptName(kind)))
        schema::runScript(*created, script.mid(QStringLiteral(":/schema/").size()), schema::readScript(script));
    schema::finishDatabase(std::move(created), schema::DbAccount{}, file);
    return file;
}

struct CompanyChainCase {
    const char* name;
    CompanyKind kind;
    int dataType;
    int totalNames; // default rows of ACCTOTALNAME
};

class CompanyChainTest : public testing::TestWithParam<CompanyChainCase> {};

TEST_P(CompanyChainTest, BuiltStepsRunOnTheBase)
{
    const CompanyChainCase& c = GetParam();
    UpgradeSession session;
    session.installCompanyBase(c.kind);
    const QString db = session.companyFile();
    // A 諸口 account marked "no sub-accounts", known by its name in the special-account table.
    execute(db, {QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, KNAME, USE, DAC, BPFLG, HOJOSW) "
                                u"VALUES ('9990', '9990', '9900', '諸口', 1, 1, 'B', '×')"),
                 QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('9990', '諸口')")});
    const QStringList accountsBefore = queryRows(db, QStringLiteral("SELECT KCODE, KNAME FROM KAMOKUMST ORDER BY KCODE"));
    const dbupgrade::TDbUpdateList list;
    // The program has the company open with its settings loaded when the steps run.
    ASSERT_TRUE(core::DM->fnAccDatConnected(QString(), core::SystemDef.DataFolder, 0));
    ASSERT_TRUE(core::DM->fnGetAccInfo());
    const QString shokuchi = core::AccInf.SysKCode[core::skShokuchi];
    QStringList groupsBefore300; // account groups as 2.0.4 leaves them

    const std::map<QString, std::function<void()>> checks = {
        {QStringLiteral("0.1.1"),
         [&] {
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1")),
                       QStringLiteral("0.1.1"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KS_SETSWK_INIT")), QStringLiteral("70"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT GDNAM FROM GENKADIV WHERE CODE = 6")),
                       QStringLiteral(u"リース期間定額法"));
             // One KS_SETSWK row per facility and asset account of the data type's settings.
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KS_SETSWK")),
                       c.dataType == 3 ? QStringLiteral("0") : QStringLiteral("62"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT SDAI_HASUU3 || '|' || KESSAN_KIKAN || '|' || CASHFLOW_KIKAN2 "
                                                     "FROM ACCDEF1 WHERE REC = 1")),
                       QStringLiteral("0|-1|-1"));
             EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, KNAME FROM KAMOKUMST ORDER BY KCODE")), accountsBefore);
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT T_NINZU1 || '|' || Z_NINZU1 || '|' || ZZ_NINZU1 FROM "
                                                     "SP_MB_SELECT_SYUGYOU('01', '')")),
                       QStringLiteral("5|4|0"));
         }},
        {QStringLiteral("0.1.3"),
         [&] {
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KANSA_ITEM")), QStringLiteral("1"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT TITLE FROM KANSA")), QStringLiteral(u"監査報告書"));
         }},
        {QStringLiteral("0.1.4"),
         [&] {
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM CASHFMST")), QStringLiteral("102"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM CASHFMKU")), QStringLiteral("502"));
             EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, KNAME FROM KAMOKUMST ORDER BY KCODE")), accountsBefore);
         }},
        {QStringLiteral("0.1.5"),
         [&] {
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT CHUKI_TITLEPRINT FROM KESSAN WHERE REC = 1")), QStringLiteral("0"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM RDB$RELATION_CONSTRAINTS WHERE RDB$CONSTRAINT_NAME "
                                                     "IN ('TEKDIC_KAR_KCODE', 'KANSA_ITEM_MOTKCODE')")),
                       QStringLiteral("0"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM AO_SINKOKU")), QStringLiteral("0"));
         }},
        {QStringLiteral("0.2.2"),
         [&] {
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KAMOKUMST WHERE GROUPM0 IS DISTINCT FROM GROUPM1")),
                       QStringLiteral("0"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = "
                                                     "'KAMOKU_VIEW' AND RDB$FIELD_NAME = 'GROUPM0'")),
                       QStringLiteral("1"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KS_SETSWK_INIT")), QStringLiteral("70"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KS_SETSWK")),
                       c.dataType == 3 ? QStringLiteral("0") : QStringLiteral("62"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM UTIWAKE10B")), QStringLiteral("12"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM CASHFMKU")), QStringLiteral("502"));
         }},
        {QStringLiteral("0.3.1"),
         [&] { EXPECT_EQ(queryValue(db, QStringLiteral("SELECT '[' || WEB_HOLDER || ']' FROM ACCDEF1")), QStringLiteral("[]")); }},
        {QStringLiteral("0.3.3"),
         [&] {
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM ZEBRIK_HIKAKU")), QStringLiteral("35"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM ZEBRIK_HIKAKU_COL")), QStringLiteral("8"));
             // Every kind here has a set (medical data: B): the cash account gets the rising rule.
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT ZEBRIK_BADRATE || '|' || ZEBRIK_GOODKIND FROM KAMOKUMST "
                                                     "WHERE KCODE = '1110'")),
                       QStringLiteral("0.9500|1"));
         }},
        {QStringLiteral("0.4.1"),
         [&] {
             // Twelve items whatever the table held; 法人 takes the first code column.
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) || '|' || MIN(REC) || '|' || MAX(REC) FROM KANSA_ITEM")),
                       QStringLiteral("12|1|12"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT MOT_KCODE FROM KANSA_ITEM WHERE REC = 8")),
                       c.dataType == 1 ? QStringLiteral("1306") : QStringLiteral("2104"));
             // The special-account lookup: one empty row for an unknown name, the lower code of two.
             EXPECT_EQ(queryRows(db, QStringLiteral(u"SELECT '[' || CODE || ']' FROM SYSKMKCODEINF('存在しない科目')")),
                       QStringList({QStringLiteral("[]")}));
             execute(db, {QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1402', '二重の科目')"),
                          QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1401', '二重の科目')")});
             EXPECT_EQ(queryRows(db, QStringLiteral(u"SELECT CODE FROM SYSKMKCODEINF('二重の科目')")),
                       QStringList({QStringLiteral("1401")}));
         }},
        {QStringLiteral("1.0.5"),
         [&] {
             // The total-item names by kind: 法人 set A, 個人 不動産 set C, none for medical data.
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM ACCTOTALNAME")), QString::number(c.totalNames));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM ORGDIC_1 WHERE CREC = 0")), QStringLiteral("0"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM JOBCONTROL")), QStringLiteral("0"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT ZEBRIK_BADRATE || '|' || ZEBRIK_GOODKIND FROM KAMOKUMST "
                                                     "WHERE KCODE = '1110'")),
                       QStringLiteral("0.9500|1"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = "
                                                     "'KAMOKU_VIEW' AND RDB$FIELD_NAME = 'GROUPM0'")),
                       QStringLiteral("1"));
             // The replaced procedures answer.
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM SP_MONITOR_LISTUP('01', 0, 0, -1, 0, 0, 0, 0)")),
                       queryValue(db, QStringLiteral("SELECT MINVALUE(50, COUNT(*)) FROM SIWAKE WHERE SCODE = '01' AND TAISHAKU = 1")));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM SP_SISANHYO_BUMON(1, 1, '01', '01')")),
                       queryValue(db, QStringLiteral("SELECT COUNT(*) FROM SP_SISANHYO_BUMON(0, 0, '01', '01')")));
         }},
        {QStringLiteral("2.0.0"),
         [&] {
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM CASHFMKU WHERE CM_REC = 2 AND CF_KCODE = '9999'")),
                       QStringLiteral("1"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KAMOKUMST WHERE (GROUPM0 < '4000' OR GROUPM0 > '7000') "
                                                     "AND ZEBRIK_YOJITU_RATE1 IS NOT NULL")),
                       QStringLiteral("0"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM ZEBRIK_YOJITUHENDOU")), QStringLiteral("5"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM SP_SISANHYO_KESSAN(0)")),
                       queryValue(db, QStringLiteral("SELECT COUNT(*) FROM SP_SISANHYO_KESSAN(1)")));
         }},
        {QStringLiteral("2.0.4"),
         [&] {
             EXPECT_EQ(queryRows(db, QStringLiteral("SELECT REC, HOLDER, PASWORD FROM TUSIN_ID")),
                       QStringList({QStringLiteral("1||")}));
             // Every kind here has settings of account 1401: the defaults stay.
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KS_SETSWK_INIT")), QStringLiteral("70"));
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM SP_KANENDO_BUMON_ZANDAKA_A4('01', '01', 1)")),
                       queryValue(db, QStringLiteral("SELECT COUNT(DISTINCT L.REC) FROM EXTERA4 L JOIN KAMOKUMST K ON "
                                                     "K.EXT1_A4 = L.REC")));
             groupsBefore300 = queryRows(db, QStringLiteral("SELECT KCODE, GROUPM0 FROM KAMOKUMST ORDER BY KCODE"));
         }},
        {QStringLiteral("3.0.0"),
         [&] {
             // The total-item names keep their rows and gain the business division 0; the new
             // default of the account group changes no stored group.
             EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) || '|' || COUNT(IIF(MB_JIGYOU = 0, 1, NULL)) FROM "
                                                     "ACCTOTALNAME")),
                       QStringLiteral("%1|%1").arg(c.totalNames));
             EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, GROUPM0 FROM KAMOKUMST ORDER BY KCODE")), groupsBefore300);
         }},
        {QStringLiteral("4.0.0"),
         [&] {
             // The 諸口 account of the loaded settings lost its "no sub-accounts" mark.
             EXPECT_EQ(queryValue(db, QStringLiteral(u"SELECT COUNT(*) FROM KAMOKUMST WHERE KCODE = '%1' AND HOJOSW IN "
                                                     u"('－', '○')")
                                          .arg(shokuchi)),
                       QStringLiteral("1"))
                 << "諸口 " << shokuchi.toStdString();
         }},
    };
    EXPECT_EQ(runChain(list.DataSteps, checks), QStringLiteral("15.0.0"));
    if (core::DM->IBDatabaseDAT.connected())
        core::DM->AccDatDisconnect(QString(), 0, 0);

    const QString reference = createdCompanyDatabase(QDir(session.root()).filePath(QStringLiteral("reference")), c.kind);
    const CatalogueDifference difference = compareCatalogues(reference, db);
    EXPECT_GT(difference.compared, 1000); // the comparison saw the whole catalogue
    EXPECT_TRUE(difference.missing.isEmpty())
        << difference.missing.size() << " missing:\n" << difference.missing.join(QLatin1Char('\n')).toStdString();
    if (!difference.extra.isEmpty())
        RecordProperty("extra", difference.extra.join(QLatin1Char(' ')).toStdString());
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, KNAME FROM KAMOKUMST ORDER BY KCODE")), accountsBefore);
    // Row 1 holds the current version, the later rows the history of the steps.
    QStringList versions{QStringLiteral("15.0.0")};
    for (const dbupgrade::TDbUpdateListRec& step : list.DataSteps)
        versions << versionOf(step);
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION ORDER BY REC")),
              versions);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CompanyChainTest,
                         testing::Values(CompanyChainCase{"Houjin", CompanyKind::Houjin, 1, 38},
                                         CompanyChainCase{"KojinFudousan", CompanyKind::KojinFudousan, 2, 24},
                                         CompanyChainCase{"Iryou", CompanyKind::Iryou, 3, 0}),
                         [](const testing::TestParamInfo<CompanyChainCase>& info) { return std::string(info.param.name); });

} // namespace
