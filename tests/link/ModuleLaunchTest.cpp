// The host's hooks: the launch of a module form by its name and the marking of a data set
// whose company database fails its validation.
#include "link/app/ModuleLaunch.h"

#include "ExportSampleFixture.h"

#include "companydata/DataInfomation.h"
#include "controls/forms/ScreenCursor.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/modules/ModuleRegistry.h"
#include "core/session/Identity.h"
#include "platform/IniFile.h"
#include "schema/DataRoot.h"
#include "tests/link/SavedProgramState.h"
#include "tests/support/RecordingMessageService.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

namespace {

const QString kNoInterface = QStringLiteral("処理を起動するためのインターフェースが実装されていません。\r"
                                            "ライブラリのロードに失敗した可能性があります。");
const QString kDamaged = QStringLiteral("データ検証の結果、このデータは破損している恐れがあります。\r"
                                        "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。\r"
                                        "ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。");

// What the last launched test module was given; the form itself is gone after a modal run.
struct LaunchRecord {
    std::optional<QStringList> params;
    bool modal = false;
    bool hourglassWhileRunning = false;
    int nestedLaunch = 0; // what a launch from inside the running module returned
};
LaunchRecord record;

class LaunchTestModule : public core::IModuleForm {
public:
    explicit LaunchTestModule(QWidget*) {}
    void SetModuleParams(const QStringList& params) override { record.params = params; }
    int RunModule(bool modal) override {
        record.modal = modal;
        const QCursor* cursor = QApplication::overrideCursor();
        record.hourglassWhileRunning = cursor != nullptr && cursor->shape() == Qt::WaitCursor;
        record.nestedLaunch = core::LaunchModuleHook(QStringLiteral("LaunchTestModule"), 1, QString());
        return modal ? 6 : 1;
    }
};

class FailingTestModule : public core::IModuleForm {
public:
    explicit FailingTestModule(QWidget*) {}
    void SetModuleParams(const QStringList&) override {}
    int RunModule(bool) override { throw std::runtime_error("module failed"); }
};

TEST(ModuleLaunch, LaunchesRegisteredModulesThroughTheHook) {
    core::RegisterModuleForm(core::ModuleFormClass<LaunchTestModule>(), QStringLiteral("LaunchTestModule"));
    core::RegisterModuleForm(core::ModuleFormClass<FailingTestModule>(), QStringLiteral("FailingTestModule"));
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages(messages);
    taxlink::InstallHostHooks();

    const struct {
        const char* what;
        const char* name;
        int modal;
        const char* params;
        bool busyBefore;
        int expected;
        std::optional<QStringList> passed; // none: no module was created
        bool missingInterfaceMessage;
    } cases[] = {
        {"modal", "LaunchTestModule", 1, "SyoriType=3", false, 6,
         QStringList{QStringLiteral("SyoriType=3"), QStringLiteral("FormStyle=2")}, false},
        {"without waiting, name in other case", "launchtestmodule", 0, "A=1\rB=2", false, 1,
         QStringList{QStringLiteral("A=1"), QStringLiteral("B=2"), QStringLiteral("FormStyle=0")}, false},
        {"empty name", "", 1, "SyoriType=3", false, -1, std::nullopt, false},
        {"unknown name", "VxKihonWiz", 1, "SyoriType=3", false, -1, std::nullopt, true},
        {"a launch in progress", "LaunchTestModule", 1, "SyoriType=3", true, -1, std::nullopt, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        record = {};
        messages.messages.clear();
        if (c.busyBefore)
            controls::SetBusyScreenCursor();
        EXPECT_EQ(core::LaunchModuleHook(QString::fromLatin1(c.name), c.modal, QString::fromLatin1(c.params)),
                  c.expected);
        EXPECT_EQ(record.params, c.passed);
        if (c.passed) {
            EXPECT_EQ(record.modal, c.modal == 1);
            EXPECT_TRUE(record.hourglassWhileRunning);
            EXPECT_EQ(record.nestedLaunch, -1); // re-entry while the hourglass shows
        }
        if (c.missingInterfaceMessage) {
            ASSERT_EQ(messages.messages.size(), 1);
            EXPECT_EQ(messages.messages[0].text, kNoInterface);
            EXPECT_EQ(messages.messages[0].kind, core::MessageKind::Error);
            EXPECT_EQ(messages.messages[0].buttons, core::mbOK);
        } else {
            EXPECT_TRUE(messages.messages.isEmpty());
        }
        if (c.busyBefore)
            controls::ResetScreenCursor();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }

    // A module that fails still gives the cursor back.
    EXPECT_THROW(core::LaunchModuleHook(QStringLiteral("FailingTestModule"), 1, QString()), std::runtime_error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    EXPECT_EQ(core::HostMenuHook(10, QString()), 0);
    EXPECT_EQ(core::HostMenuHook(11, QStringLiteral("TessaroMenu")), 0);
    taxlink::ClearHostHooks();
    EXPECT_FALSE(core::HostMenuHook);
    EXPECT_FALSE(core::LaunchModuleHook);
    EXPECT_FALSE(core::DataCheckHook);
}

// Overwrites the start of the header page, which the validation reports as damage.
void damageHeader(const QString& file) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.write(QByteArray(64, char(0x5A)));
}

TEST(ModuleLaunch, DataCheckMarksTheDamagedDataSetsOwnRow) {
    exporttest::SampleRootHolder& samples = exporttest::sampleRoot();
    ASSERT_TRUE(samples.error.isEmpty()) << samples.error.toStdString();
    const QString soundFile = samples.root->dataFolder(exporttest::kOrdinarySample) + u'/' + core::Identity.DataFile;

    QTemporaryDir dir;
    schema::DataRoot root(schema::DbAccount{}, dir.path());
    root.create();
    const QString child = root.dataFolder(1) + QStringLiteral("/01");
    const QString main = root.dataFolder(2);
    const QString sound = root.dataFolder(3);
    for (const QString& folder : {child, main, sound}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::copy(soundFile, folder + u'/' + core::Identity.DataFile));
    }
    damageHeader(child + u'/' + core::Identity.DataFile);
    damageHeader(main + u'/' + core::Identity.DataFile);

    linktest::SavedProgramState saved;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages(messages);
    core::TDM dm;
    core::DM = &dm;
    core::ConnectMode = 0;
    core::SystemDef.USER = QStringLiteral("TALLEK");
    core::SystemDef.PASSWORD = QStringLiteral("vorbin");
    core::SystemDef.SYSDIR = root.sysDir();
    core::SystemDef.LogDir = dir.path();
    ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messages.texts().join(u'\n').toStdString();

    auto exec = [&](const QString& sql) {
        core::TransactionScope scope(dm.IBTransactionDEF);
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        q.sql() = QStringList{sql};
        q.execSQL();
        scope.commit();
    };
    exec(QStringLiteral("INSERT INTO CHILD_DATALIST(REC,ROWNO,PASNAME,GASSAN) VALUES(1,1,'%1',10)").arg(child));
    // DATA_STATUS of DATALIST 1, CHILD_DATALIST 1/1, DATALIST 2 and 3.
    auto statuses = [&] {
        QList<int> out;
        core::TransactionScope scope(dm.IBTransactionDEF);
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        q.sql() = QStringList{QStringLiteral(
            "SELECT DATA_STATUS FROM (SELECT 1 AS K, DATA_STATUS FROM DATALIST WHERE REC=1 UNION ALL "
            "SELECT 2, DATA_STATUS FROM CHILD_DATALIST WHERE REC=1 AND ROWNO=1 UNION ALL "
            "SELECT 3, DATA_STATUS FROM DATALIST WHERE REC=2 UNION ALL "
            "SELECT 4, DATA_STATUS FROM DATALIST WHERE REC=3) ORDER BY K")};
        for (q.execQuery(); !q.eof(); q.next())
            out << q.fieldByName(QStringLiteral("DATA_STATUS")).asInteger();
        q.close();
        scope.commit();
        return out;
    };
    auto folderStatus = [](const QString& folder) {
        return platform::TIniFile(companydata::TDataInfomation::IniFileName(folder))
            .ReadInteger(QStringLiteral("DATASTS"), QStringLiteral("STATUS"), 0);
    };
    ASSERT_EQ(statuses(), (QList<int>{0, 0, 0, 0}));

    taxlink::InstallHostHooks();
    const struct {
        const char* what;
        QString folder;
        int quiet;
        int verdict;
        bool message;
        QList<int> statuses; // after the case; the marks add up
    } cases[] = {
        {"damaged child", child, 0, 0, true, {0, 1, 0, 0}},
        {"damaged data set, quiet", main, 1, 0, false, {0, 1, 1, 0}},
        {"sound data set", sound, 0, 1, false, {0, 1, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.messages.clear();
        core::SystemDef.DataBroken = c.verdict; // the opposite of what the check must leave
        QVariant verdict;
        core::DataCheckHook(QString(), c.folder, c.quiet, verdict);
        EXPECT_EQ(verdict.toInt(), c.verdict);
        EXPECT_EQ(core::SystemDef.DataBroken, 1 - c.verdict);
        if (c.message) {
            ASSERT_EQ(messages.texts(), QStringList{kDamaged});
            EXPECT_EQ(messages.messages[0].kind, core::MessageKind::Error);
        } else {
            EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
        }
        EXPECT_EQ(statuses(), c.statuses);
        EXPECT_EQ(folderStatus(c.folder), c.verdict == 0 ? 10 : 0);
    }
    taxlink::ClearHostHooks();
}

} // namespace
