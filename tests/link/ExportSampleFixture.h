#pragma once
// The ordinary and the medical sample data set, made once per test run (embedded engine), and
// a test base that opens one of them through the data module as the export expects: system
// database connected, company database open, its settings loaded into AccInf, messages
// recorded instead of shown, and the program-wide state put back afterwards.

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "schema/DataRoot.h"
#include "schema/sample/SampleDataSet.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/SampleRoot.h"
#include "tests/link/SavedProgramState.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <initializer_list>
#include <memory>

namespace exporttest {

inline constexpr int kOrdinarySample = 1;
inline constexpr int kMedicalSample = 2;

struct SampleRootHolder {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<schema::DataRoot> root;
    QString error;
};

inline SampleRootHolder makeSampleRoot(std::initializer_list<schema::sample::SampleKind> kinds)
{
    SampleRootHolder h;
    h.dir = std::make_unique<QTemporaryDir>();
    h.root = std::make_unique<schema::DataRoot>(schema::DbAccount{}, h.dir->path());
    h.error = testsupport::createSampleRoot(*h.root, kinds);
    return h;
}

// The shared root with the samples as they are made, created on first use.
inline SampleRootHolder& sampleRoot()
{
    using schema::sample::SampleKind;
    static SampleRootHolder holder = makeSampleRoot({SampleKind::Ordinary, SampleKind::Medical});
    return holder;
}

class ExportSampleTest : public testing::Test {
protected:
    // The root the test opens its samples from.
    virtual SampleRootHolder& root() { return sampleRoot(); }

    void SetUp() override
    {
        ASSERT_TRUE(root().error.isEmpty()) << root().error.toStdString();
        core::SystemDef.USER = QStringLiteral("TALLEK");
        core::SystemDef.PASSWORD = QStringLiteral("vorbin");
        core::SystemDef.SYSDIR = root().root->sysDir();
        core::SystemDef.WorkDir = work.path();
        core::SystemDef.LogDir = work.path();
        core::SystemDef.ProgramRoot = work.path();
        core::SystemDef.ComputerName = QStringLiteral("PC-TEST");
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messages.texts().join(u'\n').toStdString();
        dm.LoadGengoTable(); // as the program does after the login: era dates need the eras
    }
    void TearDown() override
    {
        if (dm.IBDatabaseDAT.connected())
            dm.AccDatDisconnect(QString(), 0, 0);
    }

    // Opens the sample and loads its settings; false (with the messages in the failure) otherwise.
    void openSample(int sample)
    {
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), root().root->dataFolder(sample), 0))
            << messages.texts().join(u'\n').toStdString();
        ASSERT_TRUE(dm.fnGetAccInfo()) << messages.texts().join(u'\n').toStdString();
    }

    // Restores what the tests change of the program-wide state.
    linktest::SavedProgramState saved;
    QTemporaryDir work;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    core::TDM dm;
};

} // namespace exporttest
