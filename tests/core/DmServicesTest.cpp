// The data module's smaller services: the data-folder path rules, the data-check and
// data-password gates, the cloud-share test and the deferred actions without a database; the
// SYSTEMINI rows, eras, schema version, registry lookup, style texts, communication IDs and
// operation history on a system and a company database.
#include "DmTestSupport.h"

#include "core/EIBError.h"
#include "core/dates/Gengo.h"
#include "schema/DataRoot.h"
#include "schema/ForcedWrites.h"
#include "schema/SchemaScripts.h"
#include "schema/ScriptRunner.h"
#include "tests/support/RecordingMessageService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

using core::AccInf;
using core::SystemDef;
using core::TDM;

// The globals these services change beyond those of dmtest::ScopedSession.
class ScopedServicesState {
public:
    ScopedServicesState()
        : accInf_(AccInf), gengo_(core::GengoTable), edition_(core::EditionFlag), launch_(core::LaunchModuleHook) {}
    ~ScopedServicesState() {
        AccInf = accInf_;
        core::GengoTable = gengo_;
        core::EditionFlag = edition_;
        core::LaunchModuleHook = launch_;
    }
    ScopedServicesState(const ScopedServicesState&) = delete;
    ScopedServicesState& operator=(const ScopedServicesState&) = delete;

private:
    core::TACCINF accInf_;
    core::TGengoArray gengo_;
    quint8 edition_;
    core::TLaunchModuleHook launch_;
};

// Lets the event loop run until the condition holds or a second has passed.
template <typename Condition>
bool processEventsUntil(Condition condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

class DmServicesTest : public testing::Test {
protected:
    dmtest::ScopedSession session;
    ScopedServicesState state;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
};

TEST_F(DmServicesTest, SplitDataFolderPath) {
    struct Case {
        QString path;
        QString dataNo;
        QString childNo;
    };
    const Case cases[] = {
        {QStringLiteral("C:\\work\\data\\0003\\02"), QStringLiteral("0003"), QStringLiteral("02")},
        {QStringLiteral("/home/work/data/0003/02"), QStringLiteral("0003"), QStringLiteral("02")},
        {QStringLiteral("C:\\work\\DATA\\0003"), QStringLiteral("0003"), QString()},
        {QStringLiteral("C:\\work\\Data"), QString(), QString()},
        {QStringLiteral("/srv/cb_data/0007/01/extra"), QStringLiteral("0007"), QStringLiteral("01")},
        // The first DATA component counts, and blanks (full-width too) vanish before comparing.
        {QStringLiteral("/x/da ta/0001/data/0002"), QStringLiteral("0001"), QStringLiteral("data")},
        {QStringLiteral("D:\\ＤＡＴＡ\\0001"), QString(), QString()}, // full-width letters are not DATA
        {QStringLiteral("C:\\work\\　data　\\00 12\\"), QStringLiteral("0012"), QString()},
        {QStringLiteral("C:\\work\\database\\0003"), QString(), QString()},
        {QString(), QString(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QString dataNo = QStringLiteral("old"), childNo = QStringLiteral("old");
        TDM::SplitDataFolderPath(c.path, dataNo, childNo);
        EXPECT_EQ(dataNo, c.dataNo);
        EXPECT_EQ(childNo, c.childNo);
    }
}

TEST_F(DmServicesTest, DataRecByPathInStandAloneMode) {
    TDM dm;
    core::ConnectMode = 0;
    struct Case {
        QString path;
        int rec;
        int child;
    };
    const Case cases[] = {
        {QStringLiteral("/home/me/DATA/12"), 12, 0},
        {QStringLiteral("C:\\work\\data\\0003\\02"), 3, 2},
        {QStringLiteral("/home/me/DATA/x1/02"), 0, 2},
        {QStringLiteral("   "), 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        int rec = -1, child = -1;
        dm.GetDataRecByPath(c.path, rec, child);
        EXPECT_EQ(rec, c.rec);
        EXPECT_EQ(child, c.child);
    }
}

TEST_F(DmServicesTest, DataCheckHookRunsWhenForcedOrSwitchedOn) {
    TDM dm;
    QStringList calls;
    int answer = 0;
    struct Case {
        int force;
        int dataCheck;
        bool hookSet;
        int expected;
        bool called;
    };
    const Case cases[] = {
        {0, 0, true, 1, false}, // the group's データ破損チェック区 is off
        {2, 0, true, 1, false}, // only 1 forces
        {1, 0, true, 0, true},
        {0, 1, true, 0, true},
        {1, 1, false, 1, false}, // no host hook: nothing to ask
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "force " << c.force << " check " << c.dataCheck << " hook " << c.hookSet);
        calls.clear();
        SystemDef.DataCheck = c.dataCheck;
        core::DataCheckHook = nullptr;
        if (c.hookSet)
            core::DataCheckHook = [&](const QString& host, const QString& folder, int quiet, QVariant& result) {
                calls << QStringLiteral("%1|%2|%3").arg(host, folder).arg(quiet);
                result = answer;
            };
        EXPECT_EQ(dm.CallDataCheckHook(QStringLiteral("srv"), QStringLiteral("/d/0001"), c.force, 1), c.expected);
        EXPECT_EQ(calls, c.called ? QStringList{QStringLiteral("srv|/d/0001|1")} : QStringList{});
    }
    answer = 1;
    SystemDef.DataCheck = 1;
    EXPECT_EQ(dm.CallDataCheckHook(QString(), QStringLiteral("/d/0001"), 0, 0), 1);
}

TEST_F(DmServicesTest, DataPasswordPrompt) {
    TDM dm;
    const std::optional<QString> cancel;
    struct Case {
        const char* name;
        std::vector<std::optional<QString>> answers;
        bool expected;
        int prompts;
    };
    const Case cases[] = {
        {"right at once", {QStringLiteral("pw12")}, true, 1},
        {"right on the third try", {QStringLiteral("x"), QStringLiteral("PW12"), QStringLiteral("pw12")}, true, 3},
        {"three wrong",
         {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"), QStringLiteral("pw12")},
         false,
         3},
        {"cancel on the second", {QStringLiteral("x"), cancel, QStringLiteral("pw12")}, false, 2},
        {"full-width blanks around", {QStringLiteral("　pw12 　")}, true, 1},
        {"blank inside is kept", {QStringLiteral("pw 12"), cancel}, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AccInf.DataPassword = QStringLiteral("pw12");
        messages.prompts.clear();
        messages.textAnswers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(dm.CheckDataPassword(), c.expected);
        ASSERT_EQ(messages.prompts.size(), c.prompts);
        const core::TextRequest& first = messages.prompts[0];
        EXPECT_EQ(first.caption, QStringLiteral("パスワードの確認"));
        EXPECT_EQ(first.prompt, QStringLiteral("パスワードを入力して下さい。"));
        EXPECT_EQ(first.promptColor, std::nullopt);
        EXPECT_TRUE(first.password);
        EXPECT_TRUE(first.showTextButton);
        EXPECT_TRUE(first.imeOff);
        EXPECT_EQ(first.maxLength, 8);
        EXPECT_TRUE(first.initialText.isEmpty());
        EXPECT_EQ(first.hint, QStringLiteral("パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。"
                                             "3回続けて失敗すると「データ選択」画面に戻ります。"));
        for (int i = 1; i < messages.prompts.size(); ++i) {
            EXPECT_EQ(messages.prompts[i].prompt, QStringLiteral("正しいパスワードを入力して下さい。"));
            EXPECT_EQ(messages.prompts[i].promptColor, std::optional<quint32>(255));
            EXPECT_TRUE(messages.prompts[i].initialText.isEmpty());
        }
    }
}

TEST_F(DmServicesTest, DataSetWithoutReadablePasswordOpensWithoutPrompt) {
    // A data set of version 7 whose データパスワードV2 does not decode is loaded with an empty
    // password (even when the old plain item is set): the gate then lets it open unasked.
    TDM dm;
    AccInf.DataMajor = 7;
    AccInf.DataPassword.clear();
    EXPECT_TRUE(dm.CheckDataPassword());
    EXPECT_TRUE(messages.prompts.isEmpty());
}

TEST_F(DmServicesTest, CloudShareMode) {
    TDM dm;
    struct Case {
        quint8 edition;
        quint8 connectMode;
        bool expected;
    };
    const Case cases[] = {{0, 0, true}, {0, 1, true}, {0, 2, false}, {1, 0, false}, {2, 1, false}};
    for (const Case& c : cases) {
        core::EditionFlag = c.edition;
        core::ConnectMode = c.connectMode;
        EXPECT_EQ(dm.IsCloudShareMode(0), c.expected) << int(c.edition) << "/" << int(c.connectMode);
        EXPECT_EQ(dm.IsCloudShareMode(1), c.expected);
    }
}

TEST_F(DmServicesTest, DeferredFormCloseAndModuleLaunch) {
    TDM dm;
    QWidget form;
    form.show();
    dm.StartFormClose(&form);
    EXPECT_TRUE(form.isVisible()); // not inside the handler that asked for it
    EXPECT_EQ(dm.TimerFormClose.interval(), 100);
    EXPECT_TRUE(processEventsUntil([&] { return !form.isVisible(); }));
    EXPECT_FALSE(dm.TimerFormClose.isActive());
    EXPECT_TRUE(dm.TimerFormCloseTag.isNull());

    // A form that went away before the timer fired is simply forgotten.
    auto gone = std::make_unique<QWidget>();
    dm.StartFormClose(gone.get());
    gone.reset();
    EXPECT_TRUE(processEventsUntil([&] { return !dm.TimerFormClose.isActive(); }));

    QStringList launches;
    core::LaunchModuleHook = [&](const QString& name, int modal, const QString& params) {
        launches << QStringLiteral("%1|%2|%3").arg(name).arg(modal).arg(params);
        // A module that asks for the next launch while it runs keeps its request.
        if (launches.size() == 1)
            dm.StartSyoriKidou(QStringLiteral("VxDataTusin"), 0, QString());
        return 1;
    };
    dm.StartSyoriKidou(QStringLiteral("VxTusinSettei"), 1, QStringLiteral("SyoriKbn=3"));
    EXPECT_TRUE(launches.isEmpty());
    EXPECT_TRUE(processEventsUntil([&] { return launches.size() == 2; }));
    EXPECT_EQ(launches, (QStringList{QStringLiteral("VxTusinSettei|1|SyoriKbn=3"), QStringLiteral("VxDataTusin|0|")}));
    EXPECT_TRUE(dm.SyoriKidouModuleName.isEmpty());
    EXPECT_EQ(dm.SyoriKidouModal, 0);
    EXPECT_TRUE(dm.SyoriKidouParams.isEmpty());
}

// ---- on databases ----

// One system database (with its registry rows, eras and version) and one company database with
// the settings tables for the whole suite; the tests keep to rows of their own.
class DmServicesDbTest : public DmServicesTest {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = std::make_unique<schema::DataRoot>(schema::DbAccount{}, dir_->path());
        try {
            root_->create();
            const QString folder = root_->dataFolder(1);
            QDir().mkpath(folder);
            const QString file = folder + QStringLiteral("/qmacc.fdb");
            // Only the settings tables: the whole company schema takes seconds to build.
            core::TIBDatabase db;
            schema::configure(db, {}, file);
            db.createDatabase();
            db.close();
            schema::setForcedWrites({}, file, false);
            db.open();
            for (const QString& script :
                 {QStringLiteral("company/010-domains.sql"), QStringLiteral("company/020-tables-settings.sql")})
                schema::runScript(db, script, schema::readScript(QStringLiteral(":/schema/") + script));
        } catch (const std::exception& e) {
            setupError_ = QString::fromUtf8(e.what());
        }
    }
    static void TearDownTestSuite() {
        root_.reset();
        dir_.reset();
    }

    void SetUp() override {
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
        SystemDef.USER = QStringLiteral("TALLEK");
        SystemDef.PASSWORD = QStringLiteral("vorbin");
        SystemDef.SYSDIR = root_->sysDir();
        SystemDef.LogDir = work.path();
        SystemDef.ProgramRoot = work.path();
        SystemDef.GROUPID = schema::DataRoot::defaultGroup;
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messages.texts().join(u'\n').toStdString();
    }

    void connectCompany() {
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), root_->dataFolder(1), 0))
            << messages.texts().join(u'\n').toStdString();
    }

    // Runs the statements (each committed) on a connection of its own.
    static void run(const QString& file, const QStringList& statements) {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, file);
        for (const QString& sql : statements) {
            core::TIBTransaction t;
            t.addDatabase(db.get());
            t.startTransaction();
            core::TIBSQL q(db.get(), &t);
            q.setParamCheck(false);
            q.sql() << sql;
            q.execSQL();
            t.commit();
        }
    }
    static void runSystem(const QStringList& statements) { run(root_->systemDatabasePath(), statements); }
    static void runCompany(const QStringList& statements) {
        run(root_->dataFolder(1) + QStringLiteral("/qmacc.fdb"), statements);
    }

    // The rows of a query, columns joined by "|", read on a connection of its own.
    static QStringList rows(const QString& file, const QString& sql) {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, file);
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << sql;
        QStringList out;
        for (q.execQuery(); !q.eof(); q.next()) {
            QStringList cols;
            for (int i = 0; i < q.fieldCount(); ++i)
                cols << (q.fields(i).isNull() ? QStringLiteral("<null>") : q.fields(i).asString());
            out << cols.join(u'|');
        }
        return out;
    }
    static QStringList systemRows(const QString& sql) { return rows(root_->systemDatabasePath(), sql); }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<schema::DataRoot> root_;
    static inline QString setupError_;

    QTemporaryDir work;
    TDM dm;
};

TEST_F(DmServicesDbTest, SystemIniRows) {
    runSystem({QStringLiteral("DELETE FROM SYSTEMINI WHERE REC IN (901, 902)")});
    core::TSystemIniRec rec;
    rec.REC = 901;
    rec.RESERVE3 = 7;
    rec.SSTR = QStringLiteral("stale");
    EXPECT_TRUE(dm.GetSysIni(rec)); // no row: cleared, not a failure
    EXPECT_EQ(rec.REC, 901);
    EXPECT_EQ(rec.RESERVE3, 0);
    EXPECT_TRUE(rec.SSTR.isEmpty());

    rec = core::TSystemIniRec{};
    rec.REC = 901;
    rec.RESERVE1 = 1;
    rec.RESERVE5 = -5;
    rec.SSTR = QStringLiteral("NAME=山田会計\r\nJYUSHO=東京都\r\nTEL=03-0000-0000");
    EXPECT_TRUE(dm.SetSysIni(rec)); // inserts
    rec.RESERVE2 = 2;
    EXPECT_TRUE(dm.SetSysIni(rec)); // updates the same row
    EXPECT_EQ(systemRows(QStringLiteral("SELECT REC,RESERVE1,RESERVE2,RESERVE5 FROM SYSTEMINI WHERE REC=901")),
              QStringList{QStringLiteral("901|1|2|-5")});

    core::TSystemIniRec back;
    back.REC = 901;
    EXPECT_TRUE(dm.GetSysIni(back));
    EXPECT_EQ(back.RESERVE1, 1);
    EXPECT_EQ(back.RESERVE2, 2);
    EXPECT_EQ(back.RESERVE5, -5);
    EXPECT_EQ(back.SSTR, rec.SSTR);
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(DmServicesTest, SystemIniFailures) {
    // Without a system database: the failure is reported and gives false.
    TDM dm;
    core::DM = &dm;
    QTemporaryDir logs;
    SystemDef.LogDir = logs.path();
    SystemDef.ProgramRoot = logs.path();
    core::TSystemIniRec rec;
    rec.REC = 10;
    EXPECT_FALSE(dm.GetSysIni(rec));
    EXPECT_FALSE(dm.SetSysIni(rec));
    ASSERT_EQ(messages.messages.size(), 2);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("システム情報の取得に失敗しました。")));
    EXPECT_TRUE(messages.messages[1].text.startsWith(QStringLiteral("システム情報の書き込みに失敗しました。")));
}

TEST_F(DmServicesDbTest, SystemIniErrorInsideCallersTransactionPropagates) {
    core::TSystemIniRec rec;
    rec.REC = 902;
    rec.SSTR = QStringLiteral("丸数字①"); // outside JIS X 0208: refused before writing
    EXPECT_FALSE(dm.SetSysIni(rec));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("システム情報の書き込みに失敗しました。")));
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());

    messages.messages.clear();
    dm.IBTransactionDEF.startTransaction();
    EXPECT_THROW(dm.SetSysIni(rec), core::EIBError);
    EXPECT_TRUE(dm.IBTransactionDEF.inTransaction()); // the caller's to finish
    dm.IBTransactionDEF.rollback();
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_TRUE(systemRows(QStringLiteral("SELECT REC FROM SYSTEMINI WHERE REC=902")).isEmpty());
}

TEST_F(DmServicesDbTest, EraTableFromGengoOrBuiltIn) {
    runSystem({QStringLiteral("DELETE FROM GENGO WHERE GSIGN='X'"),
               QStringLiteral("INSERT INTO GENGO (GNAME,GSIGN,STARTDATE,YEAROFFSET) VALUES ('試験','X','2100/01/01',2100)")});
    core::GengoTable.clear();
    dm.LoadGengoTable();
    ASSERT_EQ(core::GengoTable.size(), 6);
    EXPECT_EQ(core::GengoTable[0].name, QStringLiteral("試験"));
    EXPECT_EQ(core::GengoTable[0].shortName, QStringLiteral("X"));
    EXPECT_EQ(core::GengoTable[0].startDate, QDate(2100, 1, 1));
    EXPECT_EQ(core::GengoTable[0].startYear, 2100);
    EXPECT_EQ(core::GengoTable[1].name, QStringLiteral("令和"));
    EXPECT_EQ(core::GengoTable[5].name, QStringLiteral("明治"));

    // An empty GENGO table gives the built-in eras.
    const QStringList saved =
        systemRows(QStringLiteral("SELECT GNAME,GSIGN,CAST(STARTDATE AS DATE),YEAROFFSET FROM GENGO WHERE GSIGN<>'X'"));
    runSystem({QStringLiteral("DELETE FROM GENGO")});
    dm.LoadGengoTable();
    ASSERT_EQ(core::GengoTable.size(), 5);
    EXPECT_EQ(core::GengoTable[0].name, QStringLiteral("令和"));
    EXPECT_EQ(core::GengoTable[0].startDate, QDate(2019, 5, 1));
    EXPECT_EQ(core::GengoTable[4].shortName, QStringLiteral("M"));
    QStringList restore;
    for (const QString& row : saved) {
        const QStringList f = row.split(u'|');
        restore << QStringLiteral("INSERT INTO GENGO (GNAME,GSIGN,STARTDATE,YEAROFFSET) VALUES ('%1','%2','%3',%4)")
                       .arg(f[0], f[1], f[2], f[3]);
    }
    runSystem(restore);

    // Without a readable table (no connection) the built-in eras as well.
    core::GengoTable.clear();
    TDM unconnected;
    unconnected.LoadGengoTable();
    EXPECT_EQ(core::GengoTable.size(), 5);
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(DmServicesDbTest, SystemVersion) {
    SystemDef.SysDbMajor = SystemDef.SysDbMinor1 = SystemDef.SysDbMinor2 = -1;
    dm.GetSystemVersion();
    EXPECT_EQ(QStringLiteral("%1.%2.%3").arg(SystemDef.SysDbMajor).arg(SystemDef.SysDbMinor1).arg(SystemDef.SysDbMinor2),
              QStringLiteral("12.0.0"));

    TDM unconnected; // a failing read: 0.0.0 and no message
    unconnected.GetSystemVersion();
    EXPECT_EQ(SystemDef.SysDbMajor, 0);
    EXPECT_EQ(SystemDef.SysDbMinor1, 0);
    EXPECT_EQ(SystemDef.SysDbMinor2, 0);
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(DmServicesDbTest, DataRecByPathInServerModes) {
    const QString folder = root_->dataFolder(3);
    QString otherCase = folder;
    otherCase.replace(QStringLiteral("/data/"), QStringLiteral("/DaTa/"));
    for (quint8 mode : {quint8(1), quint8(2)}) {
        core::ConnectMode = mode;
        int rec = -1, child = -1;
        dm.GetDataRecByPath(otherCase, rec, child);
        EXPECT_EQ(rec, 3);
        EXPECT_EQ(child, 0);
        dm.GetDataRecByPath(folder + QStringLiteral("/none"), rec, child);
        EXPECT_EQ(rec, 0);
    }
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());
}

TEST_F(DmServicesDbTest, StyleTextResetsColours) {
    const int op = 100010;
    runSystem({QStringLiteral("DELETE FROM STYLECOLOR WHERE OPCODE=%1").arg(op),
               QStringLiteral("INSERT INTO STYLECOLOR (OPCODE,STYLENAME,LINECOLOR1,LINECOLOR2,NETCOLOR1,SSTR) "
                              "VALUES (%1,'020-PRINTLIST',255,65280,12632256,'old')")
                   .arg(op)});
    EXPECT_EQ(dm.GetStyleColorSstr(op, QStringLiteral("020-PRINTLIST")), QStringLiteral("old"));
    dm.PutStyleColorSstr(op, QStringLiteral("020-PRINTLIST"), QStringLiteral("COLOR=1\r\nPAGE=2"));
    dm.PutStyleColorSstr(op, QStringLiteral("Pallet_CustomColor"), QStringLiteral("ColorA=FFFFFF"));
    EXPECT_EQ(systemRows(QStringLiteral("SELECT STYLENAME,LINECOLOR1,LINECOLOR2,LINECOLOR3,LINECOLOR4,LINECOLOR5,"
                                        "NETCOLOR1,NETCOLOR2 FROM STYLECOLOR WHERE OPCODE=%1 ORDER BY STYLENAME")
                             .arg(op)),
              (QStringList{QStringLiteral("020-PRINTLIST|-1|-1|-1|-1|-1|-1|-1"),
                           QStringLiteral("Pallet_CustomColor|-1|-1|-1|-1|-1|-1|-1")}));
    EXPECT_EQ(dm.GetStyleColorSstr(op, QStringLiteral("020-PRINTLIST")), QStringLiteral("COLOR=1\r\nPAGE=2"));
    EXPECT_EQ(dm.GetStyleColorSstr(op, QStringLiteral("020-NONE")), QString());

    // Failures are dropped without a message.
    dm.PutStyleColorSstr(op, QStringLiteral("020-PRINTLIST"), QStringLiteral("①"));
    EXPECT_EQ(dm.GetStyleColorSstr(op, QStringLiteral("020-PRINTLIST")), QStringLiteral("COLOR=1\r\nPAGE=2"));
    TDM unconnected;
    EXPECT_EQ(unconnected.GetStyleColorSstr(op, QStringLiteral("020-PRINTLIST")), QString());
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());
}

TEST_F(DmServicesDbTest, CommunicationIdAndOperationHistory) {
    runCompany({QStringLiteral("DELETE FROM TUSIN_ID"), QStringLiteral("DELETE FROM OPINF"),
                QStringLiteral("INSERT INTO TUSIN_ID (REC,HOLDER,PASWORD) VALUES (1,'HOLDER-0001','pass0001')"),
                QStringLiteral("INSERT INTO OPINF (OPCODE,JOBNAME,PCNAME) VALUES (100010,'仕訳入力','pc1')"),
                QStringLiteral("INSERT INTO OPINF (OPCODE,JOBNAME,PCNAME) VALUES (100011,'元帳','pc2')")});
    connectCompany();
    AccInf.TusinHolder[1] = QStringLiteral("stale");
    AccInf.TusinPassword[1] = QStringLiteral("stale");
    AccInf.TusinHolder[2] = QStringLiteral("stale");
    dm.GetTusinId(1, 1);
    dm.GetTusinId(2, 2); // no such row: the slot is cleared
    EXPECT_EQ(AccInf.TusinHolder[1], QStringLiteral("HOLDER-0001"));
    EXPECT_EQ(AccInf.TusinPassword[1], QStringLiteral("pass0001"));
    EXPECT_TRUE(AccInf.TusinHolder[2].isEmpty());

    core::TACCINF loading; // a record being loaded, AccInf untouched
    dm.GetTusinId(1, 1, loading);
    EXPECT_EQ(loading.TusinHolder[1], QStringLiteral("HOLDER-0001"));

    dm.DeleteOpinf();
    EXPECT_TRUE(rows(root_->dataFolder(1) + QStringLiteral("/qmacc.fdb"), QStringLiteral("SELECT OPCODE FROM OPINF"))
                    .isEmpty());
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
    EXPECT_TRUE(messages.messages.isEmpty());
    dm.AccDatDisconnect(QString(), 0, 0);
}

} // namespace
