#include "link/export/EDataExportError.h"
#include "link/export/XmlSaveDoc.h"
#include "platform/Cp932.h"
#include "tests/platform/PlatformTestUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

#include <gtest/gtest.h>

using namespace taxreturn;

namespace {

const QByteArray kDeclaration = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n");

TXmlSaveDoc exportDoc()
{
    return TXmlSaveDoc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
}

TEST(XmlWriterTest, EscapesTextAndAttributesOnceOrTwiceBySwitch)
{
    const QString data = QStringLiteral("A&B<C>\"'&lt;");
    EXPECT_EQ(XmlEscape(data), QStringLiteral("A&amp;B&lt;C&gt;&quot;&apos;&amp;lt;"));

    struct Case {
        bool doubled;
        QByteArray escaped;
    } cases[] = {
        {true, "A&amp;amp;B&amp;lt;C&amp;gt;&amp;quot;&amp;apos;&amp;amp;lt;"},
        {false, "A&amp;B&lt;C&gt;&quot;&apos;&amp;lt;"},
    };
    for (const Case& c : cases) {
        TXmlSaveDoc doc = exportDoc();
        doc.DoubleEscape = c.doubled;
        IXMLNode root = doc.CreateRoot(QStringLiteral("R"), {});
        doc.AddTextNode(root, QStringLiteral("T"), QStringLiteral("Label"), data, data);
        EXPECT_EQ(doc.SaveToBytes(),
                  kDeclaration + "<R><T Label=\"" + c.escaped + "\">" + c.escaped + "</T></R>")
            << "doubled " << c.doubled;
    }
}

TEST(XmlWriterTest, WritesElementsInCallOrderWithoutWhitespace)
{
    TXmlSaveDoc doc = exportDoc();
    IXMLNode root = doc.CreateRoot(QStringLiteral("REPORT"), {});
    IXMLNode group = doc.AddNode(nullptr, QStringLiteral("Assets"), QStringLiteral("Label"), QString());
    doc.AddTextNode(group, QStringLiteral("Item"), QString(), QStringLiteral("ignored"), QString());
    doc.AddNodeAttrs(root, QStringLiteral("Line"),
                     {{QStringLiteral("Label"), QStringLiteral("x")}, {QString(), QStringLiteral("y")},
                      {QStringLiteral("Amount"), QStringLiteral("-5")}});
    doc.AddTextNodeAttrs(root, QStringLiteral("Note"), QStringLiteral("a\r\nb"), {});
    EXPECT_EQ(doc.SaveToBytes(), kDeclaration + "<REPORT><Assets Label=\"\"><Item/></Assets>"
                                                "<Line Label=\"x\" Amount=\"-5\"/><Note>a\r\nb</Note></REPORT>");

    TXmlSaveDoc withStandalone(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QStringLiteral("yes"));
    withStandalone.CreateRoot(QStringLiteral("R"), {});
    EXPECT_EQ(withStandalone.SaveToBytes(),
              QByteArray("<?xml version=\"1.0\" encoding=\"Shift_JIS\" standalone=\"yes\"?>\r\n<R/>"));
}

TEST(XmlWriterTest, WritesCp932AndRefusesCharactersOutsideIt)
{
    TXmlSaveDoc doc = exportDoc();
    IXMLNode root = doc.CreateRoot(QStringLiteral("R"), {});
    doc.AddTextNode(root, QStringLiteral("T"), {}, {}, QStringLiteral("ヂル～－"));
    EXPECT_EQ(doc.SaveToBytes(), kDeclaration + "<R><T>\x83\x61\x83\x8B\x81\x60\x81\x7C</T></R>");

    doc.AddTextNode(root, QStringLiteral("KOMONSAKINAME"), {}, {}, QStringLiteral("Café"));
    try {
        doc.SaveToBytes();
        FAIL() << "a character outside CP932 was written";
    } catch (const EDataExportError& error) {
        EXPECT_EQ(error.ErrorCode, kErrorUnwritableChar);
        EXPECT_TRUE(error.Detail.contains(QStringLiteral("é"))) << error.Detail.toStdString();
        EXPECT_TRUE(error.Detail.contains(QStringLiteral("KOMONSAKINAME"))) << error.Detail.toStdString();
    }
}

TEST(XmlWriterTest, SaveReplacesTheFileOnlyWhenTheWholeDocumentIsWritten)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("out.xml");
    platformtest::writeBytes(target, "old");

    TXmlSaveDoc bad = exportDoc();
    bad.AddTextNode(bad.CreateRoot(QStringLiteral("R"), {}), QStringLiteral("T"), {}, {}, QStringLiteral("é"));
    EXPECT_THROW(bad.SaveToFile(target), EDataExportError);
    EXPECT_EQ(platformtest::readBytes(target), QByteArray("old"));

    TXmlSaveDoc good = exportDoc();
    good.CreateRoot(QStringLiteral("R"), {});
    good.SaveToFile(target);
    EXPECT_EQ(platformtest::readBytes(target), kDeclaration + "<R/>");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.xml")});

    try {
        good.SaveToFile(dir.filePath("missing/out.xml"));
        FAIL() << "a file in a missing folder was reported written";
    } catch (const EDataExportError& error) {
        EXPECT_EQ(error.ErrorCode, kErrorFileWrite);
    }
}

// A write that the system cuts short (here the file-size limit, as a full disk would) names the
// system's reason, and the old file stays.
TEST(XmlWriterTest, ShortWriteNamesTheSystemsReason)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("out.xml");
    platformtest::writeBytes(target, "old");
    TXmlSaveDoc doc = exportDoc();
    IXMLNode root = doc.CreateRoot(QStringLiteral("R"), {});
    for (int i = 0; i < 4000; ++i)
        doc.AddTextNode(root, QStringLiteral("Item"), {}, {}, QStringLiteral("0123456789"));

    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit limited = saved;
    limited.rlim_cur = 8192;
    void (*formerHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    QString detail;
    try {
        doc.SaveToFile(target);
    } catch (const EDataExportError& error) {
        detail = error.Detail;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, formerHandler);

    EXPECT_EQ(detail, QFileInfo(target).absoluteFilePath() + QStringLiteral(": ")
                          + QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_EQ(platformtest::readBytes(target), QByteArray("old"));
}

TEST(XmlWriterTest, RefusesNamesThatAreNotXmlNames)
{
    TXmlSaveDoc doc = exportDoc();
    IXMLNode root = doc.CreateRoot(QStringLiteral("R"), {});
    for (const QString& name : {QStringLiteral("A&B"), QStringLiteral("1st"), QStringLiteral("a b"), QString()})
        EXPECT_THROW(doc.AddNode(root, name, {}, {}), EDataExportError) << name.toStdString();
    EXPECT_THROW(doc.AddNode(root, QStringLiteral("X"), QStringLiteral("a<"), QStringLiteral("v")), EDataExportError);
}

} // namespace
