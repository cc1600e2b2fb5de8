// Take-out and bring-back: the server side on the loopback server, the local side a system
// database under a test common application-data folder, and the second data selection played by
// a test launch hook that checks the session it is started in.

#include "tests/companydata/RegistryTestFixture.h"
#include "tests/platform/PlatformTestUtil.h"
#include "tests/support/TestEnvironment.h"

#include "controls/grid/TxGrid.h"
#include "core/modules/ModuleRegistry.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuLock.h"
#include "selection/DataSentakuState.h"
#include "selection/WhichDataSetBox.h"

#include <gtest/gtest.h>

using namespace selection;
using schema::sample::SampleKind;

namespace {

const QString kHomeDir = QStringLiteral("quorvo\\tallekzaimu");

class TakeOutTest : public registrytest::RegistryTest<TakeOutTest> {
protected:
    static void SetUpTestSuite()
    {
        createRoot({SampleKind::Ordinary, SampleKind::LateStart});
        common_ = std::make_unique<QTemporaryDir>();
        localRoot_ = std::make_unique<schema::DataRoot>(schema::DbAccount{},
                                                        common_->filePath(QStringLiteral("quorvo/tallekzaimu")));
        try {
            localRoot_->create();
        } catch (const std::exception& e) {
            setupError_ = QString::fromUtf8(e.what());
        }
    }
    static void TearDownTestSuite()
    {
        localRoot_.reset();
        common_.reset();
        RegistryTest::TearDownTestSuite();
    }

    void SetUp() override
    {
        TAXLINK_REQUIRE_SERVER(server);
        registrytest::RegistryTest<TakeOutTest>::SetUp();
        if (HasFatalFailure())
            return;
        core::SystemDef.TempDir = folder(QStringLiteral("temp"));
        core::SystemDef.IniDir = folder(QStringLiteral("ini"));
        core::SystemDef.DataCheck = 0;
        core::SystemDef.LocalAdmin = 0;
        core::SystemDef.JobLevel = 9; // may use every data set
        core::SystemDef.ServerWorkDir.clear();
        core::SystemDef.ServerTempDir = root_->root() + QStringLiteral("/temp"); // as the login sets it
        core::AppInfo.HomeDir = kHomeDir;
        core::DataCheckHook = nullptr;
        run({QStringLiteral("UPDATE DATALIST SET DATALOCK=0")});
        // The session on the server.
        dm.IBDatabaseDEF.close();
        core::SystemDef.USER = server.user;
        core::SystemDef.PASSWORD = server.password;
        core::SystemDef.HOSTNAME = server.host;
        core::ConnectMode = 1;
        ASSERT_TRUE(dm.fnAccDefConnected(server.host, 1)) << messageText().toStdString();
        host = server.host;
    }
    void TearDown() override
    {
        core::LaunchModuleHook = nullptr;
        if (dm.IBDatabaseDEF.connected())
            dm.IBDatabaseDEF.close();
        core::ConnectMode = 0;
        core::SystemDef.LocalAdmin = 0;
        RegistryTest::TearDown();
    }

    std::unique_ptr<TDataSentakuBox> open(int rec)
    {
        auto box = std::make_unique<TDataSentakuBox>();
        box->SetModuleParams(core::ModuleLaunchParams(QStringLiteral("SyoriType=0\r\nManualFree=1"), true));
        box->ShowBox2 = [this](controls::TMessage2InfoRec& info) {
            boxes << info.Lines[0].Text;
            return int(core::mrOk);
        };
        box->ShowDetailBox = [this](const controls::TMessageInfoRec& info) {
            details << info.MainText;
            return detailAnswer;
        };
        box->ShowWhichBox = [this](TWhichDataSetBox& which) {
            takenOutShown = which.TakenOut;
            which.BringBack = choice;
            return int(core::mrOk);
        };
        box->Prepare(1);
        for (int r = 0; r < box->Grid->RowCount(); ++r)
            if (box->Grid->RowValue(r) == rec)
                box->Grid->SetRow(r);
        return box;
    }

    // The local data selection: checks the session it runs in, puts the file given into the
    // work folder and answers.
    void localSide(const QString& expectedSyori, int answer, const QString& backupToLeave = QString())
    {
        launches.clear();
        core::LaunchModuleHook = [=, this](const QString& module, int modal, const QString& params) {
            launches << module + u' ' + QString::number(modal) + u' ' + params;
            EXPECT_EQ(core::ConnectMode, 0);
            EXPECT_TRUE(core::SystemDef.HOSTNAME.isEmpty());
            EXPECT_EQ(core::SystemDef.SYSDIR, localRoot_->sysDir());
            EXPECT_EQ(core::SystemDef.LocalAdmin, 1);
            EXPECT_TRUE(params.contains(QStringLiteral("OnlySA_Syori=") + expectedSyori));
            const QString work = params.section(QStringLiteral("OnlySA_BackupPath="), 1);
            if (!backupToLeave.isEmpty()) {
                QDir().mkpath(work);
                QFile::remove(work + QStringLiteral("/qmacc.fbk"));
                EXPECT_TRUE(QFile::copy(backupToLeave, work + QStringLiteral("/qmacc.fbk")));
            }
            return answer;
        };
    }

    QString lockOf(int rec) { return rows(QStringLiteral("SELECT DATALOCK FROM DATALIST WHERE REC=%1").arg(rec)).value(0); }
    // The session is back on the server, whatever happened.
    void expectServerSession()
    {
        EXPECT_EQ(core::ConnectMode, 1);
        EXPECT_EQ(core::SystemDef.HOSTNAME, host);
        EXPECT_EQ(core::SystemDef.SYSDIR, root_->sysDir());
        EXPECT_EQ(core::SystemDef.LocalAdmin, 0);
        EXPECT_TRUE(dm.IBDatabaseDEF.connected());
    }

    static inline std::unique_ptr<QTemporaryDir> common_;
    static inline std::unique_ptr<schema::DataRoot> localRoot_;
    platformtest::ScopedEnv commonEnv{"TAXLINK_COMMON_APPDATA", QFile::encodeName(common_->path())};
    QString host;
    QStringList boxes, details, launches;
    int detailAnswer = core::mrOk;
    int choice = 0;
    int takenOutShown = -1;
};

} // namespace

TEST_F(TakeOutTest, TakeOutLocksAndBringBackRestoresOrKeepsTheLock)
{
    const QString login = QString::number(LockLoginCode(core::SystemDef.OPCODE, core::SystemDef.GROUPID));
    // A backup of the other company, for the bring-back that the match check refuses.
    const QString sakura = folder(QStringLiteral("sakura"));
    {
        auto box = open(2);
        ASSERT_EQ(box->SaveData(sakura), 1) << messageText().toStdString();
    }

    // A cancelled local choice leaves the row as it was.
    {
        auto box = open(1);
        localSide(QStringLiteral("Restore"), 2);
        box->TakeOutBringBack();
        EXPECT_EQ(takenOutShown, 0);
        ASSERT_EQ(launches.size(), 1) << messageText().toStdString();
        EXPECT_TRUE(launches.first().startsWith(QStringLiteral("VxDataSenkaku 1 SyoriType=5\rOnlySA_Syori=Restore\r")));
        EXPECT_EQ(lockOf(1), QStringLiteral("0"));
        expectServerSession();
    }
    // Take-out: the backup in the work folder, the row locked with the login code.
    QString work;
    {
        auto box = open(1);
        localSide(QStringLiteral("Restore"), 1);
        box->TakeOutBringBack();
        ASSERT_EQ(launches.size(), 1);
        work = launches.first().section(QStringLiteral("OnlySA_BackupPath="), 1);
        EXPECT_TRUE(QFile::exists(work + QStringLiteral("/qmacc.fbk")));
        EXPECT_EQ(lockOf(1), login);
        EXPECT_EQ(box->Grid->CellInt(colLock, box->Grid->Row()), login.toInt());
        expectServerSession();
    }
    const QString minato = folder(QStringLiteral("minato")) + QStringLiteral("/qmacc.fbk");
    ASSERT_TRUE(QFile::copy(work + QStringLiteral("/qmacc.fbk"), minato));

    // Bring-back of another company's data, refused at the check: the previous code stays.
    run({QStringLiteral("UPDATE DATALIST SET DATALOCK=77 WHERE REC=1")});
    {
        choice = 1;
        detailAnswer = core::mrCancel;
        auto box = open(1);
        localSide(QStringLiteral("Backup"), 1, sakura + QStringLiteral("/qmacc.fbk"));
        box->TakeOutBringBack();
        EXPECT_EQ(takenOutShown, 1);
        EXPECT_EQ(details.size(), 1) << messageText().toStdString();
        EXPECT_EQ(lockOf(1), QStringLiteral("77"));
        expectServerSession();
    }
    // A completed bring-back clears the lock.
    {
        detailAnswer = core::mrOk;
        details.clear();
        auto box = open(1);
        localSide(QStringLiteral("Backup"), 1, minato);
        box->TakeOutBringBack();
        EXPECT_TRUE(details.isEmpty());
        EXPECT_EQ(lockOf(1), QStringLiteral("0")) << messageText().toStdString();
        EXPECT_EQ(box->Grid->CellInt(colLock, box->Grid->Row()), 0);
        expectServerSession();
    }
    // Mode 2: nothing happens.
    {
        core::ConnectMode = 2;
        auto box = open(1);
        takenOutShown = -1;
        localSide(QStringLiteral("Restore"), 1);
        box->TakeOutBringBack();
        EXPECT_EQ(takenOutShown, -1);
        EXPECT_TRUE(launches.isEmpty());
        core::ConnectMode = 1;
    }
}

