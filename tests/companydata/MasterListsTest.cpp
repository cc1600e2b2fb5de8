// The master lists: product versions from the registry, operators of a group on old and new
// OPERATOR schemas, logged-on operators, and the facility list of general and medical data.
#include "DmTestSupport.h"
#include "companydata/DataInfomation.h"
#include "companydata/LoginUserListOnDef.h"
#include "companydata/SeihinVersionList.h"
#include "companydata/SitenList.h"
#include "companydata/UserList.h"
#include "core/EIBError.h"
#include "platform/Cp932.h"
#include "schema/DbAccount.h"
#include "schema/SchemaScripts.h"
#include "tests/support/RecordingMessageService.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace companydata;

namespace {

void runAll(core::TIBDatabase& db, const QStringList& statements) {
    for (const QString& sql : statements) {
        core::TIBTransaction t;
        t.addDatabase(&db);
        t.startTransaction();
        core::TIBSQL q(&db, &t);
        q.setParamCheck(false);
        q.sql() << sql;
        q.execSQL();
        t.commit();
    }
}

class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), had_(qEnvironmentVariableIsSet(name)),
                                                           old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// ---------------------------------------------------------------------------------------------
// Product versions

class SeihinVersionListTest : public testing::Test {
protected:
    void SetUp() override {
        QFile file(registryPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(platform::toCp932(QStringLiteral(
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORVO\\TallekZaimu15]\r\n"
            "\"Version\"=\"15.0.0\"\r\n\"Type\"=\"財務15再\"\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORVO\\TALLEKZAIMU16]\r\n"
            "\"Version\"=\"16.2.1\"\r\n\"Type\"=\"財務16.2\"\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORVO\\TALLEKZAIMU_BAD]\r\n"
            "\"Version\"=\"16.3\"\r\n\"Type\"=\"二つだけ\"\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORVO\\OTHERPRODUCT]\r\n"
            "\"Version\"=\"17.0.0\"\r\n\"Type\"=\"他製品\"\r\n")));
        file.close();
        core::AppInfo = core::DefaultAppInfo();
    }
    void TearDown() override {
        core::EditionFlag = editionFlag_;
        core::AppInfo = appInfo_;
        TDataInfomation::SeihinVersionSource = nullptr;
    }

    QTemporaryDir dir;
    QString registryPath = dir.filePath(QStringLiteral("registry.reg"));
    ScopedEnv env{"TAXLINK_REGISTRY", registryPath.toLocal8Bit()};
    dmtest::ScopedSession session;
    quint8 editionFlag_ = core::EditionFlag;
    core::TAppInfoRec appInfo_ = core::AppInfo;
};

TEST_F(SeihinVersionListTest, BuiltInProgramAndInstalledVersionsNewestFirst) {
    core::EditionFlag = 0;
    core::SystemDef.AppVersionNo = 15;
    TSeihinVersionList list;
    list.BlankName = QStringLiteral("選択なし");
    list.Execute(true);

    // Installed 15.0 repeats the program's own version and is left out; a two-part version and
    // another product's key are skipped.
    QStringList expected{QStringLiteral("選択なし"), QStringLiteral("財務16.2")};
    for (int edition = 23; edition >= 12; --edition)
        expected << QStringLiteral("%1版").arg(edition);
    expected << QStringLiteral("11版") << QStringLiteral("10版") << QStringLiteral("09版");
    EXPECT_EQ(list.Names(), expected);
    EXPECT_EQ(list.Count, expected.size());
    EXPECT_TRUE(list.GetListText().startsWith(QStringLiteral("選択なし\r\n財務16.2\r\n23版\r\n")));

    EXPECT_EQ(list.GetVersionText(0), QString());
    EXPECT_EQ(list.GetVersionText(1), QStringLiteral("16.2"));
    EXPECT_EQ(list.GetVersionText(2), QStringLiteral("15.0"));
    EXPECT_EQ(list.GetVersionText(list.Count - 1), QStringLiteral("1.0"));
    EXPECT_EQ(list.IndexOfName(QStringLiteral("12版")), 13);
    EXPECT_EQ(list.IndexOfName(QStringLiteral("無い版")), -1);
    for (const int outside : {-1, int(list.Count)}) {
        EXPECT_EQ(list.GetVersionText(outside), QString());
        EXPECT_EQ(list.GetName(outside), QString());
    }
}

TEST_F(SeihinVersionListTest, PartnerEditionListsOnlyInstalledProductsAndSorts) {
    core::EditionFlag = 1;
    core::SystemDef.AppVersionNo = 0;
    TSeihinVersionList list;
    list.Execute(false);
    EXPECT_EQ(list.Names(), (QStringList{QStringLiteral("財務15再"), QStringLiteral("財務16.2")}));
    list.Sort(1);
    EXPECT_EQ(list.Names(), (QStringList{QStringLiteral("財務16.2"), QStringLiteral("財務15再")}));
    EXPECT_EQ(list.GetVersionText(0), QStringLiteral("16.2"));
    list.Sort(0);
    EXPECT_EQ(list.GetName(0), QStringLiteral("財務15再"));

    // Data-set information names versions through the list once it is installed.
    InstallSeihinVersionSource();
    const TDataInfomation info;
    EXPECT_EQ(info.GetDataVersionName(16, 2), QStringLiteral("財務16.2"));
    EXPECT_EQ(info.GetDataVersionName(9, 1), QStringLiteral("9.1"));
}

// ---------------------------------------------------------------------------------------------
// Databases of the lists: a data module on databases of the test's own

class MasterListsDbTest : public testing::Test {
protected:
    void SetUp() override {
        core::SystemDef.LogDir = work.path();
        core::SystemDef.WorkDir = work.path();
        core::SystemDef.ProgramRoot = work.path();
        core::SystemDef.LocalAdmin = 0;
        core::SystemDef.Supervisor = 0;
        core::SystemDef.JobLevel = 1;
        core::FatalDbError = false;
        core::DM = &dm;
    }

    // A system database of the current schema with the statements run, connected as the
    // data module's system database.
    void openSystem(const QStringList& statements) {
        const QString path = work.filePath(QStringLiteral("qmaccdef.fdb"));
        std::unique_ptr<core::TIBDatabase> db =
            schema::createSchemaDatabase(schema::DbAccount{}, path, schema::DatabaseKind::System);
        runAll(*db, statements);
        schema::finishDatabase(std::move(db), schema::DbAccount{}, path);
        schema::configure(dm.IBDatabaseDEF, schema::DbAccount{}, path);
        dm.IBDatabaseDEF.open();
    }

    QTemporaryDir work;
    dmtest::ScopedSession session;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    dmtest::FakeDM dm;
};

// Operators of group 10000 (besides the system user 1, whose code is below 10): 12 an approver
// and My Number administrator, 15 a plain one, 20 with a level that has no name (left out by
// the join); one of another group.
const QStringList kOperators{
    QStringLiteral("INSERT INTO LEVELNAME (LEVELNO, NAME) VALUES (1, '一般')"),
    QStringLiteral("INSERT INTO OPERATOR (GROUPID,OPCODE,OPNAME,JOBLEVEL,PASWORD,JIMUSHO,OKINIIRI,MYNUMBER_ADM,SHONIN) "
                   "VALUES (10000,15,'入力担当',1,'pw15',0,1,0,0)"),
    QStringLiteral("INSERT INTO OPERATOR (GROUPID,OPCODE,OPNAME,JOBLEVEL,PASWORD,JIMUSHO,OKINIIRI,MYNUMBER_ADM,SHONIN) "
                   "VALUES (10000,12,'経理担当',9,'pw12',1,0,1,1)"),
    QStringLiteral("INSERT INTO OPERATOR (GROUPID,OPCODE,OPNAME,JOBLEVEL) VALUES (10000,20,'級なし',7)"),
    QStringLiteral("INSERT INTO OPERATOR (GROUPID,OPCODE,OPNAME,JOBLEVEL) VALUES (20000,13,'他グループ',1)"),
};

struct UserListCase {
    const char* schema;
    QStringList alter;      // run after the operators are in
    bool approversOnly;
    QStringList lines;      // expected display lines
    bool shonin12;          // read approval right of operator 12
    QString message;        // expected failure message; empty: none
};

TEST_F(MasterListsDbTest, UserListOnOldAndNewOperatorSchemas) {
    const QString first = QStringLiteral("選択なし");
    const UserListCase cases[] = {
        {"current", {}, false, {first, "12:経理担当", "15:入力担当"}, true, {}},
        {"current", {}, true, {first, "12:経理担当"}, true, {}},
        // Before My Number: both rights read as not set.
        {"old", {"ALTER TABLE OPERATOR DROP MYNUMBER_ADM, DROP SHONIN"}, false, {first, "12:経理担当", "15:入力担当"},
         false, {}},
        // Approval known but My Number not: the second query cannot tell approvers, so none
        // is listed rather than every operator.
        {"without MYNUMBER_ADM", {"ALTER TABLE OPERATOR DROP MYNUMBER_ADM"}, true, {first}, false, {}},
        // The row query fails on both forms: after the fourth attempt the list gives up.
        {"without DATAPAS", {"ALTER TABLE OPERATOR DROP DATAPAS"}, false, {first}, false,
         QStringLiteral("ユーザーリストの取得に失敗しました。")},
    };
    for (const UserListCase& c : cases) {
        SCOPED_TRACE(c.schema);
        dm.IBDatabaseDEF.close();
        QFile::remove(work.filePath(QStringLiteral("qmaccdef.fdb")));
        openSystem(kOperators + c.alter);
        messages.messages.clear();

        TUserList list;
        list.FirstEntryName = first;
        list.GroupId = 10000;
        list.ApproversOnly = c.approversOnly;
        EXPECT_EQ(list.Execute(), c.message.isEmpty());
        EXPECT_EQ(list.Lines(), c.lines);
        EXPECT_EQ(list.Count, c.lines.size());
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
        } else {
            ASSERT_EQ(messages.messages.size(), 1);
            EXPECT_EQ(messages.messages[0].text, c.message);
            EXPECT_TRUE(messages.messages[0].detail.contains(QStringLiteral("OPERATORテーブル参照クエリーの作成エラー")));
        }
        const int i12 = list.IndexOfOpCode(12);
        if (c.lines.size() > 1) {
            ASSERT_EQ(i12, 1);
            const TUserListRec& rec = list.Entries()[i12];
            EXPECT_EQ(rec.Password, QStringLiteral("pw12"));
            EXPECT_EQ(rec.LevelName, QStringLiteral("管理者"));
            EXPECT_TRUE(rec.Jimusho);
            EXPECT_EQ(rec.Shonin, c.shonin12);
            EXPECT_EQ(rec.MyNumberAdm, c.shonin12);
        }
        EXPECT_EQ(list.GetOpCode(0), 0);
        EXPECT_EQ(list.GetOpCode(int(list.Count)), 0);
        EXPECT_EQ(list.GetOpCode(-1), 0);
    }
}

TEST_F(MasterListsDbTest, UserListTabFormatAndTheCallersTransaction) {
    openSystem(kOperators + QStringList{QStringLiteral("ALTER TABLE OPERATOR DROP MYNUMBER_ADM, DROP SHONIN")});
    TUserList list;
    list.GroupId = 10000;
    list.TabFormat = true;
    ASSERT_TRUE(list.Execute());
    EXPECT_EQ(list.Lines(), (QStringList{"\"12\"\t\"経理担当\"", "\"15\"\t\"入力担当\""}));
    list.TabFormat = false;
    ASSERT_TRUE(list.Execute());
    EXPECT_EQ(list.GetListText(), QStringLiteral("12:経理担当\r\n15:入力担当\r\n"));

    // Approvers cannot be asked for on this schema. Inside a caller's transaction the failure
    // is the caller's to handle: not shown, answered false, the transaction left active.
    list.ApproversOnly = true;
    list.SetTransaction(&dm.IBTransactionDEF, 0);
    dm.IBTransactionDEF.startTransaction();
    EXPECT_FALSE(list.Execute());
    EXPECT_TRUE(dm.IBTransactionDEF.inTransaction());
    EXPECT_TRUE(messages.messages.isEmpty());
    dm.IBTransactionDEF.rollback();

    // On the list's own transaction it is reported.
    list.SetTransaction(nullptr, -1);
    EXPECT_FALSE(list.Execute());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("ユーザーリストの取得に失敗しました。"));
    EXPECT_EQ(list.Count, 0);
}

TEST_F(MasterListsDbTest, LoggedOnOperatorsOfTheGroup) {
    openSystem(kOperators + QStringList{
        // Operator 12 on one computer with two program versions is listed once.
        QStringLiteral("INSERT INTO LOGONUSERLIST (OPCODE,GROUPID,OPERATORCODE,PCNAME,APPVERSION) VALUES (100000012,10000,12,'PC-A',0)"),
        QStringLiteral("INSERT INTO LOGONUSERLIST (OPCODE,GROUPID,OPERATORCODE,PCNAME,APPVERSION) VALUES (100000012,10000,12,'PC-A',1)"),
        QStringLiteral("INSERT INTO LOGONUSERLIST (OPCODE,GROUPID,OPERATORCODE,PCNAME,APPVERSION) VALUES (100000015,10000,15,'PC-B',0)"),
        QStringLiteral("INSERT INTO LOGONUSERLIST (OPCODE,GROUPID,OPERATORCODE,PCNAME,APPVERSION) VALUES (100000020,10000,20,'PC-D',0)"),
        QStringLiteral("INSERT INTO LOGONUSERLIST (OPCODE,GROUPID,OPERATORCODE,PCNAME,APPVERSION) VALUES (200000013,20000,13,'PC-C',0)")});
    TLoginUserListOnDef list;
    EXPECT_EQ(list.Execute(10000, 100000015, false), 2);
    EXPECT_EQ(list.Lines(), (QStringList{"12:経理担当", "20:級なし"}));
    EXPECT_EQ(list.Entries()[0].PcName, QStringLiteral("PC-A"));
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());

    EXPECT_EQ(list.Execute(10000, 100000015, true), 3);
    EXPECT_EQ(list.GetOpCode(1), 15);
    EXPECT_EQ(list.GetOpName(2), QStringLiteral("級なし"));
    EXPECT_EQ(list.GetOpCode(3), 0);
    EXPECT_EQ(list.GetOpName(-1), QString());
}

// ---------------------------------------------------------------------------------------------
// Facilities. One company database for the suite: facilities 00 and 01, 02 (hospitals, 01 with
// departments), 03 (a care facility with departments); groups G1 = {01, 02}, G2 = {03};
// session 100000012 holds rights for 01 and 03, session 100000013 for all.

class SitenListTest : public MasterListsDbTest {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        path_ = dir_->filePath(QStringLiteral("qmacc.fdb"));
        try {
            std::unique_ptr<core::TIBDatabase> db =
                schema::createSchemaDatabase(schema::DbAccount{}, path_, schema::DatabaseKind::Company);
            runAll(*db, {
                "INSERT INTO SISETUMST (SCODE,SNAME,BUMEX,MB_JIGYOU) VALUES ('00','法人本部',0,8)",
                "INSERT INTO SISETUMST (SCODE,SNAME,BUMEX,MB_JIGYOU,XSTR) VALUES ('01','本店',1,8,'COLOR=255')",
                "INSERT INTO SISETUMST (SCODE,SNAME,BUMEX,MB_JIGYOU,XSTR) VALUES ('02','北\"支店',0,8,'COLOR=0')",
                "INSERT INTO SISETUMST (SCODE,SNAME,BUMEX,MB_JIGYOU) VALUES ('03','老健みどり',1,4)",
                "INSERT INTO SISETUGROUP (GCODE,GNAME) VALUES ('G1','本支店')",
                "INSERT INTO SISETUGROUP (GCODE,GNAME) VALUES ('G2','老健')",
                "INSERT INTO SISETUGROUPLIST (GCODE,SCODE) VALUES ('G1','01')",
                "INSERT INTO SISETUGROUPLIST (GCODE,SCODE) VALUES ('G1','02')",
                "INSERT INTO SISETUGROUPLIST (GCODE,SCODE) VALUES ('G2','03')",
                "INSERT INTO OPLICENSE (OPCODE,SCODE) VALUES (100000012,'01')",
                "INSERT INTO OPLICENSE (OPCODE,SCODE) VALUES (100000012,'03')",
                "INSERT INTO OPLICENSE (OPCODE,SCODE) SELECT 100000013,SCODE FROM SISETUMST",
            });
            schema::finishDatabase(std::move(db), schema::DbAccount{}, path_);
        } catch (const std::exception& e) {
            setupError_ = QString::fromUtf8(e.what());
        }
    }
    static void TearDownTestSuite() { dir_.reset(); }

    void SetUp() override {
        MasterListsDbTest::SetUp();
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
        accInf_ = core::AccInf;
        core::AccInf.DATATYPE = 1;
        core::AccInf.SITEN = 1;
        core::AccInf.BUMON = 1;
        core::AccInf.MedicalData = 0;
        core::AccInf.SHOUGOU = QStringLiteral("株式会社テスト");
        schema::configure(dm.IBDatabaseDAT, schema::DbAccount{}, path_);
        dm.IBDatabaseDAT.open();
    }
    void TearDown() override { core::AccInf = accInf_; }

    void medical() {
        core::AccInf.DATATYPE = 3;
        core::AccInf.MedicalData = 1;
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline QString path_;
    static inline QString setupError_;
    core::TACCINF accInf_;
};

struct SitenCase {
    const char* name;
    qint32 opCode;
    qint32 jobLevel;
    QStringList lines;
};

TEST_F(SitenListTest, GeneralDataByOperatorRights) {
    const QStringList all{"法人全体", "(G1):本支店", "(G2):老健", "00:法人本部", "01:本店", "02:北\"支店",
                          "03:老健みどり", "01:本店", "03:老健みどり"};
    const SitenCase cases[] = {
        {"all operators", -1, 1, all},
        {"rights for every facility", 100000013, 1, all},
        // Without a right for 00 and 02: no whole company, no G1.
        {"rights for 01 and 03", 100000012, 1, {"(G2):老健", "01:本店", "03:老健みどり", "01:本店", "03:老健みどり"}},
        {"an administrator is never filtered", 100000012, 9, all},
    };
    for (const SitenCase& c : cases) {
        SCOPED_TRACE(c.name);
        core::SystemDef.JobLevel = c.jobLevel;
        TSitenList list;
        list.Options = soWholeCompany | soGroups | soFacilities | soDepartmentFacilities;
        list.Execute(c.opCode);
        EXPECT_EQ(list.Lines(), c.lines);
        EXPECT_EQ(list.Count, c.lines.size());
        EXPECT_EQ(list.OperatorCode, c.jobLevel == 9 ? -1 : c.opCode);
        EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
    }

    TSitenList list;
    list.Options = soWholeCompany | soGroups | soFacilities | soDepartmentFacilities;
    list.TabFormat = true;
    list.Execute(-1);
    EXPECT_EQ(list.Lines()[0], QStringLiteral("\"法人全体\"\t\"\"\t\"\""));
    EXPECT_EQ(list.Lines()[1], QStringLiteral("\"(G1)\"\t\"G1\"\t\"本支店\""));
    EXPECT_EQ(list.Lines()[5], QStringLiteral("\"02\"\t\"\"\t\"北'支店\""));
    struct Expected {
        qint32 kind, mbJigyou, bumex, color;
    };
    const Expected expected[] = {{0, 1, 0, 0},        {1, 1, 0, 0},        {1, 1, 0, 0},
                                 {2, 1, 0, 0xFFAF80}, {2, 1, 1, 255},      {2, 1, 0, 0xFFAF80},
                                 {2, 1, 1, 0xFFAF80}, {3, 1, 1, 255},      {3, 1, 1, 0xFFAF80}};
    ASSERT_EQ(list.Entries().size(), std::size(expected));
    for (int i = 0; i < list.Count; ++i) {
        const TSitenListRec& e = list.Entries()[i];
        EXPECT_EQ(e.Kind, expected[i].kind) << i;
        EXPECT_EQ(e.MbJigyou, expected[i].mbJigyou) << i;
        EXPECT_EQ(e.Bumex, expected[i].bumex) << i;
        EXPECT_EQ(e.Color, expected[i].color) << i;
    }
    EXPECT_EQ(list.GetItem(0), QStringLiteral(" "));
    EXPECT_EQ(list.GetItem(4), QStringLiteral("01"));
    EXPECT_EQ(list.GetItem(-1), QString());
    EXPECT_EQ(list.GetItem(int(list.Count)), QString());
}

TEST_F(SitenListTest, GeneralDataWithoutFacilitiesListsTheCompany) {
    core::AccInf.SITEN = 0;
    struct Case {
        quint8 options;
        qint32 bumex;
    };
    // Facilities alone carry the data set's department flag; the other forms do not.
    for (const Case c : {Case{soFacilities, 1}, Case{soWholeCompany | soFacilities, 0}, Case{soDepartmentFacilities, 0}}) {
        TSitenList list;
        list.Options = c.options;
        list.Execute(100000012);
        ASSERT_EQ(list.Count, 1) << int(c.options);
        EXPECT_EQ(list.GetItem(0), QStringLiteral(" "));
        EXPECT_EQ(list.Lines()[0], QStringLiteral("株式会社テスト"));
        EXPECT_EQ(list.Entries()[0].Bumex, c.bumex) << int(c.options);
    }
}

TEST_F(SitenListTest, MedicalDataBusinessKindsGroupsAndFilters) {
    medical();
    struct Case {
        const char* name;
        qint32 opCode;
        qint32 jigyou;
        bool groupsOn;
        bool code00;
        QStringList lines;
    };
    const Case cases[] = {
        {"all operators", -1, 0, true, true,
         {"病院・診療所", "老人保健施設", "(G1):本支店", "(G2):老健", "00:法人本部", "01:本店", "02:北\"支店", "03:老健みどり"}},
        // Hospitals only with a right for every hospital (02 missing); "00" is no hospital here.
        {"rights for 01 and 03", 100000012, 0, true, true, {"老人保健施設", "(G2):老健", "01:本店", "03:老健みどり"}},
        {"hospitals without 00 and groups", -1, 8, false, false, {"病院・診療所", "01:本店", "02:北\"支店"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSitenList list;
        list.Options = soGroups | soFacilities;
        list.JigyouFilter = c.jigyou;
        list.GroupsOn = c.groupsOn;
        list.IncludeCode00 = c.code00;
        list.Execute(c.opCode);
        EXPECT_EQ(list.Lines(), c.lines);
        for (const TSitenListRec& e : list.Entries()) {
            if (e.Code == QLatin1String(" ")) {
                EXPECT_EQ(e.Kind, skGroup);
                EXPECT_EQ(e.MbJigyou, e.Name == QStringLiteral("病院・診療所") ? 8 : 4);
            } else if (e.Code.startsWith(u'G')) {
                EXPECT_EQ(e.Kind, skMedicalGroup);
                EXPECT_EQ(e.MbJigyou, 0);
            } else {
                EXPECT_EQ(e.MbJigyou, e.Code == QLatin1String("03") ? 4 : 8);
            }
        }
    }

    TSitenList whole;
    whole.Options = soWholeCompany | soDepartmentFacilities;
    whole.Execute(-1);
    EXPECT_EQ(whole.Lines(), (QStringList{"法人全体", "01:本店", "03:老健みどり"}));
    EXPECT_EQ(whole.Entries()[0].MbJigyou, 0);
}

TEST_F(MasterListsDbTest, FacilityListFailureLeavesTheCallersTransactionToTheCaller) {
    // A company database without the facility-group tables.
    const QString path = work.filePath(QStringLiteral("small.fdb"));
    {
        core::TIBDatabase db;
        schema::configure(db, schema::DbAccount{}, path);
        db.createDatabase();
        runAll(db, {"CREATE TABLE SISETUMST (SCODE VARCHAR(10) NOT NULL, SNAME VARCHAR(20), BUMEX INTEGER, "
                    "XSTR BLOB SUB_TYPE 1, MB_JIGYOU INTEGER)",
                    "CREATE TABLE OPLICENSE (OPCODE INTEGER, SCODE VARCHAR(10))"});
    }
    schema::configure(dm.IBDatabaseDAT, schema::DbAccount{}, path);
    dm.IBDatabaseDAT.open();
    const core::TACCINF saved = core::AccInf;
    core::AccInf.SITEN = 1;
    core::AccInf.MedicalData = 0;

    dm.IBTransactionDAT.startTransaction();
    core::TIBSQL insert(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    insert.sql() << QStringLiteral("INSERT INTO SISETUMST (SCODE,SNAME) VALUES ('01','PENDING')");
    insert.execSQL();
    TSitenList list;
    list.Options = soGroups | soFacilities;
    EXPECT_THROW(list.Execute(-1), core::EIBError);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("支店リストの取得に失敗しました。"));
    // The caller's uncommitted insert is still the caller's: rolled back, it is gone.
    ASSERT_TRUE(dm.IBTransactionDAT.inTransaction());
    dm.IBTransactionDAT.rollback();
    dm.IBTransactionDAT.startTransaction();
    core::TIBSQL count(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    count.sql() << QStringLiteral("SELECT COUNT(*) FROM SISETUMST");
    count.execQuery();
    EXPECT_EQ(count.fields(0).asInteger(), 0);
    count.close();
    dm.IBTransactionDAT.commit();
    core::AccInf = saved;
}

} // namespace
