// A data root with the ordinary and the medical sample, made once per engine (embedded file
// path and the loopback server), and what the program reads from it: the system database at
// 12.0.0, the login, the registration in DATALIST and qmacc.ini, the company databases at
// 15.0.0 with balanced journals whose totals match the triggers' period totals.

#include "schema/DataRoot.h"
#include "schema/DataSetInfo.h"
#include "schema/SchemaScripts.h"
#include "schema/sample/SampleDataSet.h"
#include "schema/sample/SampleStatements.h"
#include "platform/IniFile.h"
#include "tests/schema/SchemaTestSupport.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>

using schematest::count;
using schematest::periodTotalMismatches;
using schematest::scalar;
using schematest::taxTotalMismatches;

namespace {

struct Embedded {
    static constexpr bool server = false;
};
struct Server {
    static constexpr bool server = true;
};

template <typename Engine>
class SampleRoot : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (Engine::server) {
            const auto account = testsupport::serverAccount();
            if (!account)
                return; // each test skips or fails through TAXLINK_REQUIRE_SERVER
            account_.host = account->host;
            account_.user = account->user;
            account_.password = account->password;
        }
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = std::make_unique<schema::DataRoot>(account_, dir_->path());
        try {
            root_->create();
            schema::sample::createSampleDataSet(*root_, 1, schema::sample::SampleKind::Ordinary);
            schema::sample::createSampleDataSet(*root_, 2, schema::sample::SampleKind::Medical);
        } catch (const std::exception& e) {
            setupError_ = QString::fromUtf8(e.what());
        }
    }
    static void TearDownTestSuite() {
        root_.reset();
        dir_.reset();
    }

    void SetUp() override {
        if (Engine::server) {
            TAXLINK_REQUIRE_SERVER(account);
            (void)account;
        }
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
    }

    static std::unique_ptr<core::TIBDatabase> system() {
        return schema::openDatabase(account_, root_->systemDatabasePath());
    }
    static std::unique_ptr<core::TIBDatabase> company(int rec) {
        return schema::openDatabase(account_, root_->dataFolder(rec) + QStringLiteral("/qmacc.fdb"));
    }

    static inline schema::DbAccount account_;
    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<schema::DataRoot> root_;
    static inline QString setupError_;
};

using Engines = testing::Types<Embedded, Server>;
class EngineNames {
public:
    template <typename T>
    static std::string GetName(int) {
        return T::server ? "Server" : "Embedded";
    }
};
TYPED_TEST_SUITE(SampleRoot, Engines, EngineNames);

TYPED_TEST(SampleRoot, SystemDatabaseHoldsWhatTheUpgradesUpTo12Left) {
    auto db = TestFixture::system();
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT MAJOR||'.'||MINOR1||'.'||MINOR2 FROM VERSION ORDER BY REC DESC ROWS 1")),
              QStringLiteral("12.0.0"));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT GNAME||GSIGN||YEAROFFSET FROM GENGO ORDER BY YEAROFFSET DESC ROWS 1")),
              QStringLiteral("令和R2019"));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*)||'/'||MIN(REC)||'/'||MAX(REC) FROM DATAPLACEMAN")),
              QStringLiteral("100/0/99"));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT PATH FROM DATAPLACEMAN WHERE REC=0")), TestFixture::root_->sysDir());
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*)||'/'||MIN(RECNO)||'/'||MAX(RECNO) FROM USERCODE")),
              QStringLiteral("20/1/20"));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT OPNAME||JOBLEVEL FROM OPERATOR WHERE GROUPID=10000 AND OPCODE=1")),
              QStringLiteral("システムユーザー9"));
    // The registry: rows 1..120, each for its folder; the empty ones have no name and no period.
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*)||'/'||MAX(REC) FROM DATALIST WHERE GROUPID=10000")),
              QStringLiteral("120/120"));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT PASNAME FROM DATALIST WHERE REC=120")),
              TestFixture::root_->dataFolder(120));
    EXPECT_EQ(count(*db, QStringLiteral("SELECT COUNT(*) FROM DATALIST WHERE REC>2 AND (ENTTEXT<>'' OR NENDO<>0)")), 0);
}

TYPED_TEST(SampleRoot, TheOperatorLogsInWithCodeAndPasswordAsTyped) {
    auto db = TestFixture::system();
    const struct {
        int code;
        const char* password;
        const char* expected; // NUM, LOGINCODE, JOBLEVEL
    } cases[] = {{10, "test", "0/10/9"}, {10, "test", "1/10/9"}, {10, "TEST", "-1/10/0"}, {10, "test ", "-1/10/0"},
                 {11, "test", "-1/11/0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        EXPECT_EQ(scalar(*db, QStringLiteral("SELECT NUM||'/'||LOGINCODE||'/'||JOBLEVEL FROM "
                                             "LOGONUSERTEST('TESTPC',10000,%1,2,'%2')")
                                  .arg(c.code)
                                  .arg(QString::fromUtf8(c.password))),
                  QLatin1String(c.expected));
    }
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT OPNAME FROM OPERATOR WHERE OPCODE=10")), QStringLiteral("テスト担当者"));
}

TYPED_TEST(SampleRoot, RegistrationIsWhatTheDataListReads) {
    auto db = TestFixture::system();
    const QString folder = TestFixture::root_->dataFolder(1);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT ENTTEXT||'|'||SHOUGOU||'|'||PASNAME||'|'||NETDRIVE||'|'||DATATYPE||'|'||"
                                         "CODETYPE||'|'||NENDO||'|'||KISHU||'|'||KIMATU||'|'||VER_MAJOR||'.'||VER_MINOR1||'.'||"
                                         "VER_MINOR2||'|'||VER_TEXT||'|'||GASSAN||'|'||DATACODE||'|'||DATALOCK||'|'||READ_ONLY "
                                         "FROM DATALIST WHERE REC=1 AND GROUPID=10000")),
              QStringLiteral("みなと商事 第15期|株式会社みなと商事|%1|0|1|1|15|2024-04-01 00:00:00.0000|"
                             "2025-03-31 00:00:00.0000|15.0.0|15.0|0|1001|0|0")
                  .arg(folder));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT SHOUGOU||'|'||DATATYPE||'|'||NENDO FROM DATALIST WHERE REC=2")),
              QStringLiteral("医療法人社団けやき会|3|22"));

    // qmacc.ini beside the database, CP932 with CRLF, read back through the program's INI class.
    platform::TIniFile ini(folder + QStringLiteral("/qmacc.ini"));
    EXPECT_EQ(ini.ReadSection(QStringLiteral("DATASTS")),
              (QStringList{QStringLiteral("STATUS"), QStringLiteral("SHARE_STATUS"), QStringLiteral("UPDATE_LOCK"),
                           QStringLiteral("READ_ONLY")}));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("DATASTS"), QStringLiteral("STATUS"), 0), 1);
    const QStringList keys = ini.ReadSection(QStringLiteral("DATAINFO"));
    EXPECT_EQ(keys.join(QLatin1Char(',')),
              QStringLiteral("DATALISTNAME,CODE,DATAKBN,CODEKBN,SHOUGOU,KANA,NENDO,KISHU,KIMATU,TANTO,SITEN,SITENCNT,"
                             "BUMON,BUMONCNT,SIWAKE,TOTALSIWAKE,VERSION1,VERSION2,GASSANKBN,USEMYNUMBER,CLOUD_SHARE"));
    const auto read = [&](const char* key) { return ini.ReadString(QStringLiteral("DATAINFO"), QLatin1String(key), {}); };
    EXPECT_EQ(read("SHOUGOU"), QStringLiteral("株式会社みなと商事"));
    EXPECT_EQ(read("KISHU"), QStringLiteral("2024/04/01"));
    EXPECT_EQ(read("KIMATU"), QStringLiteral("2025/03/31"));
    EXPECT_EQ(read("VERSION1"), QStringLiteral("15.0.0"));
    EXPECT_EQ(read("BUMONCNT"), QStringLiteral("2"));
    auto co = TestFixture::company(1);
    EXPECT_EQ(read("SIWAKE"), scalar(*co, QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE TAISHAKU=1 AND DELFLG=0")));
    QFile raw(folder + QStringLiteral("/qmacc.ini"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_TRUE(bytes.startsWith("[DATASTS]\r\n"));
    EXPECT_TRUE(bytes.contains(QByteArray("SHOUGOU=\x8a\x94\x8e\xae\x89\xef\x8e\xd0", 16))) << "trade name not in CP932";

    // The medical data set counts its three facilities.
    platform::TIniFile medical(TestFixture::root_->dataFolder(2) + QStringLiteral("/qmacc.ini"));
    EXPECT_EQ(medical.ReadInteger(QStringLiteral("DATAINFO"), QStringLiteral("SITENCNT"), 0), 3);
    EXPECT_EQ(medical.ReadInteger(QStringLiteral("DATAINFO"), QStringLiteral("DATAKBN"), 0), 3);
}

TYPED_TEST(SampleRoot, CompanyDatabasesAreAt15WithTheVersionTrigger) {
    for (int rec : {1, 2}) {
        auto db = TestFixture::company(rec);
        EXPECT_EQ(scalar(*db, QStringLiteral("SELECT MAJOR||'.'||MINOR1||'.'||MINOR2 FROM ACCVERSION WHERE REC=1")),
                  QStringLiteral("15.0.0"));
        EXPECT_EQ(count(*db, QStringLiteral("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME IN "
                                            "('ACCVERSION_AFTER_UPDATE','SIWAKE_AFTER_INSERT','SIWAKE_AFTER_UPDATE')")),
                  3);
        EXPECT_EQ(count(*db, QStringLiteral("SELECT COUNT(*) FROM ACCDEF1")), 1);
    }
}

TYPED_TEST(SampleRoot, JournalsBalanceAndMatchThePeriodTotals) {
    for (int rec : {1, 2}) {
        SCOPED_TRACE(rec);
        auto db = TestFixture::company(rec);
        // Every entry is one debit and one credit line of the same gross amount.
        EXPECT_EQ(count(*db, QStringLiteral("SELECT COUNT(*) FROM SIWAKE D JOIN SIWAKE C ON C.REC=D.REC+1 "
                                            "WHERE D.TAISHAKU=1 AND C.TAISHAKU=2 AND D.NUK+D.ZEI<>C.NUK+C.ZEI")),
                  0);
        EXPECT_EQ(scalar(*db, QStringLiteral("SELECT SUM(IIF(TAISHAKU=1,NUK+ZEI,-(NUK+ZEI))) FROM SIWAKE")),
                  QStringLiteral("0"));
        EXPECT_GT(count(*db, QStringLiteral("SELECT COUNT(*) FROM SIWAKE")), 500);
        // Opening balances balance as well: debit natures (1, 4) against credit natures (2, 3).
        EXPECT_EQ(scalar(*db, QStringLiteral("SELECT SUM(IIF(K.DAC IN (1,4),S.KAISIZAN,-S.KAISIZAN)) FROM KAMOKU_SZ S "
                                             "JOIN KAMOKUMST K ON K.KCODE=S.KCODE")),
                  QStringLiteral("0"));
        EXPECT_EQ(periodTotalMismatches(*db), 0);
        EXPECT_EQ(taxTotalMismatches(*db), 0);
        EXPECT_EQ(scalar(*db, QStringLiteral("SELECT SUM(SIWAKECOUNT) FROM SISETUMST")),
                  scalar(*db, QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE TAISHAKU=1")));
        // Every month of the year and the closing period carry entries.
        EXPECT_EQ(scalar(*db, QStringLiteral("SELECT LIST(DISTINCT MNUM) FROM SIWAKE")),
                  QStringLiteral("1,2,3,5,6,7,9,10,11,13,14,15,16"));
        // The program continues the numbering after the sample's entries.
        EXPECT_EQ(scalar(*db, QStringLiteral("SELECT GEN_ID(SIWAKE_REC_GEN,0) FROM RDB$DATABASE")),
                  scalar(*db, QStringLiteral("SELECT MAX(SWKREC) FROM SIWAKE")));
    }
    auto medical = TestFixture::company(2);
    EXPECT_EQ(scalar(*medical, QStringLiteral("SELECT LIST(DISTINCT SCODE) FROM SIWAKE")), QStringLiteral("01,02,03"));
}

TYPED_TEST(SampleRoot, WaveDashIsStoredAsCp932AndReadBackUnchanged) {
    auto db = TestFixture::company(1);
    const QString note = QString::fromUtf8(schema::sample::kikanNote);
    ASSERT_TRUE(note.contains(QChar(0xFF5E)));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT FVALUE FROM KESSAN_CHUKIHYO_RENDO WHERE FXBRL_KEY='ItemDescriptionOtherNotes'")),
              note);
    const QString rent = scalar(*db, QStringLiteral("SELECT FIRST 1 TEKTEXT FROM SIWAKE WHERE TEKTEXT STARTING WITH '4月分家賃'"));
    EXPECT_EQ(rent, QStringLiteral("4月分家賃（4/1～4/30）"));
    // The bytes in the database are CP932 0x81 0x60, not what a UTF8 connection would store.
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT POSITION(x'8160' IN CAST(TEKTEXT AS VARCHAR(50) CHARACTER SET OCTETS)) "
                                         "FROM SIWAKE WHERE TEKTEXT STARTING WITH '4月分家賃' ROWS 1")),
              QStringLiteral("15")); // after "4月分家賃（4/1": 14 bytes
}

TYPED_TEST(SampleRoot, OrdinarySampleCarriesNotesAndEquitySettings) {
    auto db = TestFixture::company(1);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT ATEXT FROM ACCREG WHERE AGROUP='法人決算書' AND ACODE='個別注記表テンプレート'")),
              QStringLiteral("ヂル連動"));
    EXPECT_GE(count(*db, QStringLiteral("SELECT COUNT(*) FROM KESSAN_CHUKIHYO_RENDO WHERE FRENDO_ID=1")), 10);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT JIYUU FROM KES_HENDOUKEISAN WHERE REC=4")), QStringLiteral("当期純利益"));
    // The equity lines the link lists: net-assets statement lines of accounts in use.
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT LIST(KS.KGROUP||KS.SUBREC) FROM (SELECT DISTINCT KS.KGROUP,KS.SUBREC "
                                         "FROM KAMOKUMST K JOIN EXTERKS KS ON K.EXT1_KS=KS.REC WHERE KS.KGROUP>='3000' "
                                         "AND KS.KGROUP<'4000' AND K.USE=1 ORDER BY 1,2) KS")),
              QStringLiteral("31001,32001,33001,33201,33401,34001"));
    EXPECT_EQ(count(*db, QStringLiteral("SELECT COUNT(*) FROM ACCREG_BLOB_BINARY WHERE FGROUP='ヂル連動' AND FKEY='設定情報'")), 1);
    // The program's system accounts resolve by name.
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT CODE FROM SYSKMKCODEINF('繰越利益剰余金')")), QStringLiteral("3341"));
}

} // namespace
