#include "link/export/EDataExportError.h"
#include "link/export/XmlSaveDoc.h"
#include "platform/Cp932.h"
#include "tests/link/XmlRoundTripDoc.h"
#include "tests/platform/PlatformTestUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
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

// Names built at run time come and go: a freed name's memory soon holds another one (the
// allocator hands the same block back), and each must still be written as itself.
TEST(XmlWriterTest, NamesBuiltAtRunTimeStayApart)
{
    TXmlSaveDoc doc = exportDoc();
    doc.CreateRoot(QStringLiteral("R"), {});
    QByteArray expected = kDeclaration + "<R>";
    for (const char* text : {"A1", "A1", "A2", "A1", "A3", "A3", "A2"}) {
        const QString name = QString::fromLatin1(text);
        doc.AddTextNode(nullptr, name, name, QStringLiteral("v"), QStringLiteral("t"));
        expected += QByteArray("<") + text + " " + text + "=\"v\">t</" + text + ">";
    }
    EXPECT_EQ(doc.SaveToBytes(), expected + "</R>");
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

// The bytes of a document with every escaped character, nested groups and a general ledger,
// against the file kept in xmldoc/, written by the writer before it held documents compactly.
TEST(XmlWriterTest, RoundTripDocumentKeepsItsBytes)
{
    const QString golden = QStringLiteral(TAXLINK_SOURCE_DIR "/tests/link/xmldoc/round-trip.xml");
    TXmlSaveDoc doc = exportDoc();
    xmldoctest::buildRoundTripDoc(doc);
    const QByteArray expected = platformtest::readBytes(golden);
    ASSERT_FALSE(expected.isEmpty()) << golden.toStdString();
    EXPECT_EQ(doc.SaveToBytes(), expected);

    QTemporaryDir dir;
    doc.SaveToFile(dir.filePath("out.xml"));
    EXPECT_EQ(platformtest::readBytes(dir.filePath("out.xml")), expected);

    // What the document gives back is what was added, escaped once.
    const std::vector<TXmlNode*> top = doc.DocumentElement()->children();
    ASSERT_FALSE(top.empty());
    EXPECT_EQ(top.front()->name(), QStringLiteral("SYSTEM"));
    EXPECT_EQ(top.front()->children().front()->text(), QStringLiteral("A&amp;B&lt;C&gt;D&quot;E&apos;F"));
    const TXmlNodeAttrs twice = top.front()->children().at(4)->attributes();
    ASSERT_EQ(twice.size(), 2);
    EXPECT_EQ(twice.at(0).Value, QStringLiteral("2&apos;"));
}

// A document whose stream fails after its first pieces went out.
class FailingStreamDoc : public TXmlSaveDoc {
public:
    FailingStreamDoc() : TXmlSaveDoc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString()) {}
    mutable int chunks = 0;

protected:
    bool WriteChunk(QIODevice& device, const char* data, qint64 size) const override
    {
        if (++chunks == 3)
            return false;
        return TXmlSaveDoc::WriteChunk(device, data, size);
    }
};

TEST(XmlWriterTest, SaveFailingMidwayLeavesTheTargetAndNoTemporaryFile)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("out.xml");
    platformtest::writeBytes(target, "old");

    FailingStreamDoc doc;
    xmldoctest::buildRoundTripDoc(doc, 6000); // several pieces of the stream
    try {
        doc.SaveToFile(target);
        FAIL() << "a failed write was reported saved";
    } catch (const EDataExportError& error) {
        EXPECT_EQ(error.ErrorCode, kErrorFileWrite);
        EXPECT_TRUE(error.Detail.contains(target)) << error.Detail.toStdString();
    }
    EXPECT_EQ(doc.chunks, 3);
    EXPECT_EQ(platformtest::readBytes(target), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.xml")});
}

} // namespace
