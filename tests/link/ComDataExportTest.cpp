#include "core/Globals.h"
#include "link/export/ComDataExport.h"
#include "link/export/MojiBunkatu.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "tests/platform/PlatformTestUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace taxreturn;
using platformtest::ScopedEnv;

namespace {

class TestExport : public TComDataExport {
public:
    using TComDataExport::TComDataExport;
    void SetDataNode(TXmlSaveDoc& doc) override { doc.AddNode(nullptr, QStringLiteral("DATA"), {}, {}); }
};

// Two installed versions of product generation 15 and one of 16 under the maker's key; the
// sub-keys enumerate sorted, so "TallekZaimu15Pro" is the last match.
const QString kRegistry = QStringLiteral(
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORVO\\TallekZaimu16]\r\n"
    "\"Product\"=\"タレック財務16\"\r\n\"Version\"=\"16.0.0\"\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORVO\\TallekZaimu15Pro]\r\n"
    "\"Product\"=\"タレック財務Pro\"\r\n\"Version\"=\"15.2.0\"\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORVO\\TallekZaimu15]\r\n"
    "\"Product\"=\"タレック財務\"\r\n\"Version\"=\"15.0.3\"\r\n");

class ComDataExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedAppInfo = core::AppInfo;
        core::AppInfo = core::DefaultAppInfo(); // RegKey \SOFTWARE\QUORVO, TALLEKZAIMU, quorvo\tallekzaimu
        platformtest::writeBytes(registryPath, platform::toCp932(kRegistry));
    }
    void TearDown() override { core::AppInfo = savedAppInfo; }

    QString diruIni() const { return dir.filePath("common/quorvo/tallekzaimu/ini/Diru.ini"); }
    void writeDiruIni(const QString& text) const
    {
        QDir().mkpath(QFileInfo(diruIni()).absolutePath());
        platformtest::writeBytes(diruIni(), platform::toCp932(text));
    }
    QString diruValue(const QString& key) const
    {
        return platform::TIniFile(diruIni()).ReadString(QStringLiteral("GROUPTSUSAN"), key, QStringLiteral("<none>"));
    }

    QTemporaryDir dir;
    QString registryPath = dir.filePath("registry.ini");
    ScopedEnv registryEnv{"TAXLINK_REGISTRY", registryPath.toLocal8Bit()};
    ScopedEnv commonEnv{"TAXLINK_COMMON_APPDATA", dir.filePath("common").toLocal8Bit()};
    core::TAppInfoRec savedAppInfo;
};

TEST_F(ComDataExportTest, WritesSystemAndBasicBytes)
{
    TestExport exporter(0, QString());
    EXPECT_EQ(exporter.IniDir, dir.filePath("common/quorvo/tallekzaimu/ini"));
    EXPECT_EQ(exporter.Caption, QStringLiteral("グループ通算のヂル（令和04年度版 以降） from タレック財務Pro"));
    exporter.KomonsakiName = QStringLiteral("A&B商事");
    exporter.KishuDate = QDate(2024, 4, 1);
    exporter.KimatuDate = QDate(2025, 3, 31);

    TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
    exporter.SetSystemNode(doc);
    exporter.SetBasicNode(doc);
    exporter.SetDataNode(doc);
    const QString expected = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
        "<REPORT><SYSTEM><GYOUMUPREFIX>RC25</GYOUMUPREFIX><VERSION>1</VERSION><FUNCTIONID>3</FUNCTIONID>"
        "<CONNECTEDPROGRAMVER>15.0.1</CONNECTEDPROGRAMVER><PROGRAMNAME>タレック財務Pro</PROGRAMNAME>"
        "<PROGRAMVER>15.2.0</PROGRAMVER></SYSTEM>"
        "<BASIC><KOMONSAKINAME>A&amp;amp;B商事</KOMONSAKINAME><JIGYOUNENDOFROM>20240401</JIGYOUNENDOFROM>"
        "<JIGYOUNENDOTO>20250331</JIGYOUNENDOTO><PATTERN><BS><CA><Doubtful>A2</Doubtful></CA>"
        "<PPE><DepImp>B6</DepImp></PPE><IOA><Doubtful>C2</Doubtful><DepImp>D6</DepImp></IOA></BS>"
        "<PL><Sales>E3</Sales><Cos>F1</Cos><Sga>G1</Sga></PL></PATTERN></BASIC><DATA/></REPORT>");
    EXPECT_EQ(doc.SaveToBytes(), platform::toCp932(expected));
}

TEST_F(ComDataExportTest, EmptyClientNameAndUnknownPrefix)
{
    TestExport exporter(0, QString());
    exporter.KomonsakiName.clear();
    TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
    exporter.SetSystemNode(doc);
    exporter.SetBasicNode(doc);
    EXPECT_TRUE(doc.SaveToBytes().contains("<BASIC><KOMONSAKINAME/><JIGYOUNENDOFROM/>"));

    exporter.GyoumuPrefix = QStringLiteral("SY10");
    try {
        exporter.SetBasicNode(doc);
        FAIL() << "an unknown prefix was accepted";
    } catch (const EDataExportError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("業務Prefixが条件に加えられていません。"));
        EXPECT_EQ(error.ErrorCode, 256);
        EXPECT_EQ(error.Detail, QStringLiteral("SetBasicNode(BASICﾉｰﾄﾞを作成)"));
    }
}

// FUNCTIONID follows the caller's parameter; EXPORTFILE is the operator's own path: read and
// written back only when no calling program decides the path.
TEST_F(ComDataExportTest, FunctionIdAndExportFileByCaller)
{
    struct Case {
        int wParam;
        QString callerPath;
        int functionId;
        QString exportFile;    // after construction
        QString storedAfter;   // EXPORTFILE after the exporter is destroyed
    } cases[] = {
        {0, QString(), 3, "/old/out.xml", "/new/out.xml"},
        {0, "/caller/out.xml", 3, "/caller/out.xml", "/old/out.xml"},
        {7, "/caller/out.xml", 7, "/caller/out.xml", "/old/out.xml"},
        {7, QString(), 7, QString(), "/old/out.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.wParam << " " << c.callerPath.toStdString());
        writeDiruIni(QStringLiteral("[GROUPTSUSAN]\r\nDATA=d1\r\nKOMONSAKI=顧問先\r\nEXPORTFILE=/old/out.xml\r\n"));
        {
            TestExport exporter(c.wParam, c.callerPath);
            EXPECT_EQ(exporter.FunctionId, c.functionId);
            EXPECT_EQ(exporter.ExportFile, c.exportFile);
            EXPECT_EQ(exporter.KomonsakiName, QStringLiteral("顧問先"));
            EXPECT_EQ(exporter.DiruData, "d1");
            TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
            exporter.SetSystemNode(doc);
            EXPECT_TRUE(doc.SaveToBytes().contains("<FUNCTIONID>" + QByteArray::number(c.functionId) + "<"));
            exporter.ExportFile = QStringLiteral("/new/out.xml");
            exporter.KomonsakiName = QStringLiteral("新顧問先");
        }
        EXPECT_EQ(diruValue("EXPORTFILE"), c.storedAfter);
        EXPECT_EQ(diruValue("KOMONSAKI"), QStringLiteral("新顧問先"));
        EXPECT_EQ(diruValue("DATA"), "d1");
    }
}

TEST_F(ComDataExportTest, MissingDiruIniReadsEmptyAndIsCreated)
{
    {
        TestExport exporter(0, QString());
        EXPECT_EQ(exporter.ExportFile, "");
        EXPECT_EQ(exporter.KomonsakiName, "");
        EXPECT_EQ(exporter.SimeDay, 99);
        EXPECT_EQ(exporter.DataTypeFilter, 1);
    }
    EXPECT_EQ(platformtest::readBytes(diruIni()), QByteArray("[GROUPTSUSAN]\r\nDATA=\r\nKOMONSAKI=\r\nEXPORTFILE=\r\n"));
}

TEST_F(ComDataExportTest, ProductValuesFromTheLastMatchingSubKey)
{
    EXPECT_EQ(TComDataExport::ReadProductRegistryValue(15, "Product"), QStringLiteral("タレック財務Pro"));
    EXPECT_EQ(TComDataExport::ReadProductRegistryValue(15, "Version"), "15.2.0");
    EXPECT_EQ(TComDataExport::ReadProductRegistryValue(16, "Version"), "16.0.0");
    EXPECT_EQ(TComDataExport::ReadProductRegistryValue(14, "Version"), "");
    EXPECT_EQ(TComDataExport::ReadProductRegistryValue(15, "Missing"), "");

    core::AppInfo.RegKey = QStringLiteral("\\SOFTWARE\\Nobody");
    TestExport exporter(0, QString());
    EXPECT_EQ(exporter.ProgramName, "");
    EXPECT_EQ(exporter.ProgramVer, "");
}

TEST(ExportHelpersTest, RemoveBlanksAndSplitter)
{
    EXPECT_EQ(TComDataExport::RemoveBlanks(QStringLiteral(" 流動 資産　計　")), QStringLiteral("流動資産計"));

    struct Case {
        QString text;
        QStringList items;
    } cases[] = {
        {QString(), {QString()}},
        {"15,0,3", {"15", "0", "3"}},
        {"\"a, b\",c d", {"a, b", "c", "d"}},
        {"x,", {"x", ""}},
    };
    TMojiBunkatu splitter;
    for (const Case& c : cases) {
        splitter.Split(c.text);
        EXPECT_EQ(splitter.Items, c.items) << c.text.toStdString();
        EXPECT_EQ(splitter.Count, c.items.size());
        EXPECT_EQ(splitter.GetItem(splitter.Count), "");
    }
}

} // namespace
