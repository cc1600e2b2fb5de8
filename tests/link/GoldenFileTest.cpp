// The intermediate file of the ordinary and of the medical sample, byte for byte against the
// files in tests/link/data, which are checked by hand once. With TAXLINK_UPDATE_GOLDEN set
// the files are written anew instead (check them by hand again before keeping them):
//   TAXLINK_UPDATE_GOLDEN=1 test_link --gtest_filter='GoldenFile*'

#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/settings/QueryFactory.h"
#include "link/export/HojinZeiDataExport.h"
#include "platform/Cp932.h"
#include "tests/link/ExportSampleFixture.h"
#include "tests/platform/PlatformTestUtil.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

using namespace taxreturn;
using platformtest::ScopedEnv;

namespace {

const QString kRegistry = QStringLiteral(
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORVO\\TallekZaimu15]\r\n"
    "\"Product\"=\"タレック財務\"\r\n\"Version\"=\"15.0.3\"\r\n");

QString goldenPath(const QString& name)
{
    // From the source folder: __FILE__ may be relative to the build folder, not to where the test runs.
    return QStringLiteral(TAXLINK_SOURCE_DIR "/tests/link/data/") + name;
}

class GoldenFileTest : public exporttest::ExportSampleTest {
protected:
    void SetUp() override
    {
        ExportSampleTest::SetUp();
        savedAppInfo = core::AppInfo;
        core::AppInfo = core::DefaultAppInfo();
        platformtest::writeBytes(registryPath, platform::toCp932(kRegistry));
    }
    void TearDown() override
    {
        core::AppInfo = savedAppInfo;
        ExportSampleTest::TearDown();
    }

    // "DkRendo.ini" in the work folder from the copy the company database keeps, as the wizard
    // writes it after the data choice.
    void writeSettingsFile()
    {
        auto query = core::CreateIBQuery(QStringLiteral("ACCDAT"), false);
        core::TransactionScope scope(*query->transaction());
        query->sql() << QStringLiteral("SELECT FVALUE FROM ACCREG_BLOB_BINARY WHERE FGROUP='ヂル連動' AND FKEY='設定情報'");
        query->execQuery();
        ASSERT_FALSE(query->eof());
        platformtest::writeBytes(QDir(work.path()).filePath(QStringLiteral("DkRendo.ini")),
                                 query->fieldByName(QStringLiteral("FVALUE")).asBytes());
        query->close();
        scope.commit();
    }

    QByteArray exportSample(int taxMode)
    {
        THojinZeiDataExport exporter(0, QString());
        exporter.CreateChangesSettings();
        exporter.ChangesSettings->SakuseiKubun = 1;
        exporter.GeneralLedgerFlag = 1;
        exporter.KomonsakiName = core::AccInf.SHOUGOU;
        exporter.Nendo = core::AccInf.NENDO;
        exporter.KishuDate = core::AccInf.KISHU;
        exporter.KimatuDate = core::AccInf.KIMATU;
        exporter.DataKind = core::AccInf.DATATYPE;
        exporter.CodeKind = core::AccInf.CODETYPE;
        exporter.StartPeriod = 0;
        exporter.EndPeriod = 15;
        exporter.LastPeriod = 15;
        exporter.TaxMode = taxMode;
        const QString file = out.filePath(QStringLiteral("export.xml"));
        exporter.ExportToFile(file);
        return platformtest::readBytes(file);
    }

    void compareWithGolden(const QByteArray& actual, const QString& name)
    {
        const QString golden = goldenPath(name);
        if (qEnvironmentVariableIsSet("TAXLINK_UPDATE_GOLDEN")) {
            QDir().mkpath(QFileInfo(golden).absolutePath());
            platformtest::writeBytes(golden, actual);
            GTEST_SKIP() << "written " << golden.toStdString();
        }
        const QByteArray expected = platformtest::readBytes(golden);
        ASSERT_FALSE(expected.isEmpty()) << "no golden file " << golden.toStdString();
        if (actual != expected) {
            const QString actualPath = out.filePath(name);
            platformtest::writeBytes(actualPath, actual);
            qsizetype at = 0;
            while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
                ++at;
            out.setAutoRemove(false);
            FAIL() << name.toStdString() << " differs from byte " << at << "; written " << actualPath.toStdString()
                   << "\nexpected: " << platform::fromCp932(expected.mid(at, 120)).toStdString()
                   << "\nactual:   " << platform::fromCp932(actual.mid(at, 120)).toStdString();
        }
    }

    QTemporaryDir out;
    QString registryPath = out.filePath("registry.ini");
    ScopedEnv registryEnv{"TAXLINK_REGISTRY", registryPath.toLocal8Bit()};
    ScopedEnv commonEnv{"TAXLINK_COMMON_APPDATA", out.filePath("common").toLocal8Bit()};
    core::TAppInfoRec savedAppInfo;
};

// Corporation data, tax excluded: the three statements, the statement of changes in net assets,
// the notes and the general ledger.
TEST_F(GoldenFileTest, OrdinarySample)
{
    openSample(exporttest::kOrdinarySample);
    writeSettingsFile();
    compareWithGolden(exportSample(1), QStringLiteral("ordinary.xml"));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

// Medical-corporation data, tax included: the statements (the manufacturing schedule empty),
// the appropriation statement and the general ledger.
TEST_F(GoldenFileTest, MedicalSample)
{
    openSample(exporttest::kMedicalSample);
    compareWithGolden(exportSample(0), QStringLiteral("medical.xml"));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

} // namespace
