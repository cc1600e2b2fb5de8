#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "tests/platform/PlatformTestUtil.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <functional>
#include <sys/resource.h>

using namespace platform;
using platformtest::readBytes;
using platformtest::writeBytes;

namespace {

const QString kNone = QStringLiteral("<none>");

class IniFileTest : public ::testing::Test {
protected:
    QString file(const QString& name = QStringLiteral("test.ini")) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

// Section names chosen so that a byte-level parser would fail: ソ and 表 end in 0x5C "\",
// ゾ in 0x5D "]", ー in 0x5B "[".
TEST_F(IniFileTest, JapaneseNamesAndValuesRoundTripAsCp932WithCrLf) {
    TIniFile ini(file());
    ini.WriteString(QStringLiteral("表ソ"), QStringLiteral("漢字"), QStringLiteral("ｷｬﾝｾﾙ～"));
    ini.WriteString(QStringLiteral("ゾーン"), QStringLiteral("能"), QStringLiteral("予"));
    ini.WriteString(QStringLiteral("表ソ"), QStringLiteral("ア"), QStringLiteral("ヂ"));

    const QByteArray expected = "[\x95\x5C\x83\x5C]\r\n"
                                "\x8A\xBF\x8E\x9A=\xB7\xAC\xDD\xBE\xD9\x81\x60\r\n"
                                "\x83\x41=\x83\x61\r\n"
                                "\r\n"
                                "[\x83\x5D\x81\x5B\x83\x93]\r\n"
                                "\x94\x5C=\x97\x5C\r\n";
    EXPECT_EQ(readBytes(file()), expected);

    const TIniFile other(file());
    EXPECT_EQ(other.ReadString(QStringLiteral("表ソ"), QStringLiteral("漢字"), kNone), QStringLiteral("ｷｬﾝｾﾙ～"));
    EXPECT_EQ(other.ReadString(QStringLiteral("表ソ"), QStringLiteral("ア"), kNone), QStringLiteral("ヂ"));
    EXPECT_EQ(other.ReadString(QStringLiteral("ゾーン"), QStringLiteral("能"), kNone), QStringLiteral("予"));
    EXPECT_EQ(other.ReadSections(), (QStringList{QStringLiteral("表ソ"), QStringLiteral("ゾーン")}));
    EXPECT_EQ(other.ReadSection(QStringLiteral("表ソ")), (QStringList{QStringLiteral("漢字"), QStringLiteral("ア")}));
}

TEST_F(IniFileTest, HandWrittenFileReadsAsTheProfileFunctionsDo) {
    writeBytes(file(), toCp932(QStringLiteral("; comment\n"
                                              "[Setting]\n"
                                              "  Path = C:\\Tallek\\Data  \n"
                                              "Quoted=\" padded \"\n"
                                              "Single='x'\n"
                                              "Mismatched=\"abc'\n"
                                              "Empty=\n"
                                              "NoEquals line\n"
                                              ";Commented=1\n"
                                              "ア=katakana a\n"
                                              "Dup=first\n"
                                              "dup=second\n"
                                              "[ ゾーン ]\n"
                                              "能 = 予\n"
                                              "[Empty]\n")));
    const TIniFile ini(file());
    struct Case {
        QString section, key, expected;
    } cases[] = {
        {"setting", "PATH", "C:\\Tallek\\Data"},
        {"SETTING", "quoted", " padded "},
        {"Setting", "Single", "x"},
        {"Setting", "Mismatched", "\"abc'"},
        {"Setting", "Empty", ""},
        {"Setting", "NoEquals line", kNone},
        {"Setting", "Commented", kNone},
        {"Setting", ";Commented", kNone},
        {"Setting", QStringLiteral("ア"), "katakana a"},
        {"Setting", QStringLiteral("ヂ"), kNone}, // CP932 bytes differ from ア only by 0x20
        {"Setting", "DUP", "first"},
        {QStringLiteral("ゾーン"), QStringLiteral("能"), QStringLiteral("予")},
        {"Missing", "Path", kNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, kNone), c.expected) << c.section.toStdString() << "/" << c.key.toStdString();

    EXPECT_EQ(ini.ReadSection("setting"),
              (QStringList{"Path", "Quoted", "Single", "Mismatched", "Empty", QStringLiteral("ア"), "Dup"}));
    EXPECT_EQ(ini.ReadSections(), (QStringList{"Setting", QStringLiteral("ゾーン"), "Empty"}));
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("ゾーン")), QStringList{QStringLiteral("能=予")});
    EXPECT_EQ(ini.ReadSectionValues("Setting").at(1), QStringLiteral("Quoted= padded "));
    EXPECT_TRUE(ini.SectionExists("SETTING"));
    EXPECT_FALSE(ini.SectionExists("Empty")); // Delphi: a section without keys does not exist
    EXPECT_FALSE(ini.SectionExists("Missing"));
    EXPECT_TRUE(ini.ValueExists("setting", "empty"));
    EXPECT_FALSE(ini.ValueExists("Setting", "Commented"));
}

TEST_F(IniFileTest, ChangesTouchOnlyTheirOwnLines) {
    const QByteArray original = "; head\n"
                                "[A]\n"
                                "x=1\n"
                                "; note\n"
                                "\n"
                                "[B]\n"
                                "y = 2\n";
    struct Case {
        const char* what;
        QByteArray before;
        std::function<void(TIniFile&)> change;
        QByteArray after;
    } cases[] = {
        {"replace keeps key spelling and line end", original, [](TIniFile& i) { i.WriteString("a", "X", "9"); },
         "; head\n[A]\nx=9\n; note\n\n[B]\ny = 2\n"},
        {"new key after the last key line", original, [](TIniFile& i) { i.WriteInteger("A", "z", -3); },
         "; head\n[A]\nx=1\nz=-3\r\n; note\n\n[B]\ny = 2\n"},
        {"new section after a blank line", original, [](TIniFile& i) { i.WriteBool("C", "k", true); },
         "; head\n[A]\nx=1\n; note\n\n[B]\ny = 2\n\r\n[C]\r\nk=1\r\n"},
        {"last line without line end", "[A]\nx=1", [](TIniFile& i) { i.WriteString("A", "z", "3"); },
         "[A]\nx=1\r\nz=3\r\n"},
        {"key into a section without keys", "[A]\n[B]\n", [](TIniFile& i) { i.WriteString("a", "k", "v"); },
         "[A]\nk=v\r\n[B]\n"},
        {"delete key", original, [](TIniFile& i) { i.DeleteKey("b", "Y"); }, "; head\n[A]\nx=1\n; note\n\n[B]\n"},
        {"erase section with its comments", original, [](TIniFile& i) { i.EraseSection("a"); },
         "; head\n[B]\ny = 2\n"},
        {"delete missing key changes nothing", original, [](TIniFile& i) { i.DeleteKey("A", "nope"); }, original},
    };
    for (const auto& c : cases) {
        writeBytes(file(), c.before);
        TIniFile ini(file());
        c.change(ini);
        EXPECT_EQ(readBytes(file()), c.after) << c.what;
    }
}

TEST_F(IniFileTest, IntegersAndBooleansFollowDelphi) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {
        {"42", 42},         {"-5", -5},           {"+8", 8},          {"$1F", 31},
        {"0x1f", 31},       {"-$10", -16},        {"$FFFFFFFF", -1},  {" 12 ", 12},
        {"\"3\"", 3},       {"-2147483648", INT_MIN}, {"2147483648", 7}, {"$100000000", 7},
        {"12a", 7},         {"", 7},              {"$", 7},           {"1.5", 7},
        {"１２", 7},
    };
    QByteArray content = "[N]\r\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        content += "k" + QByteArray::number(qulonglong(i)) + "=" + toCp932(QString::fromUtf8(cases[i].value)) + "\r\n";
    writeBytes(file(), content);
    const TIniFile ini(file());
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ini.ReadInteger("N", "k" + QString::number(i), 7), cases[i].expected) << cases[i].value;

    writeBytes(file(), "[B]\r\nzero=0\r\ntwo=2\r\nword=yes\r\n");
    EXPECT_FALSE(ini.ReadBool("B", "zero", true));
    EXPECT_TRUE(ini.ReadBool("B", "two", false));
    EXPECT_TRUE(ini.ReadBool("B", "word", true));
    EXPECT_FALSE(ini.ReadBool("B", "word", false));
    EXPECT_TRUE(ini.ReadBool("B", "missing", true));
}

TEST_F(IniFileTest, MissingFileReadsDefaultsAndOnlyAWriteCreatesIt) {
    TIniFile ini(file());
    EXPECT_EQ(ini.ReadString("S", "k", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("S", "k", 5), 5);
    EXPECT_TRUE(ini.ReadSections().isEmpty());
    EXPECT_FALSE(ini.SectionExists("S"));
    ini.DeleteKey("S", "k");
    ini.EraseSection("S");
    EXPECT_FALSE(QFile::exists(file()));

    ini.WriteString("S", "k", "v");
    EXPECT_EQ(readBytes(file()), "[S]\r\nk=v\r\n");

    const QString inMissingFolder = dir.filePath("missing/test.ini");
    try {
        TIniFile(inMissingFolder).WriteString("S", "k", "v");
        FAIL() << "no error";
    } catch (const IniFileError& e) {
        EXPECT_EQ(e.path(), inMissingFolder);
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf(inMissingFolder), -1);
    }
    EXPECT_FALSE(QDir(dir.filePath("missing")).exists());
}

// A failed write must leave the old file whole and no temporary file behind. Root ignores
// permissions, so the disk-full case is made with a file size limit on this process.
TEST_F(IniFileTest, FailedWriteLeavesOldFileIntact) {
    const QByteArray old = "[S]\r\nk=old\r\n";
    struct Case {
        const char* what;
        std::function<void()> write;
    } cases[] = {
        {"character outside CP932",
         [&] { TIniFile(file()).WriteString("S", "k", QString::fromUtf8("ab𠀋")); }},
        {"line break in value", [&] { TIniFile(file()).WriteString("S", "k", "a\r\nb=c"); }},
        {"disk full", [&] {
             rlimit saved{};
             getrlimit(RLIMIT_FSIZE, &saved);
             rlimit small = saved;
             small.rlim_cur = 64;
             const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
             setrlimit(RLIMIT_FSIZE, &small);
             try {
                 TIniFile(file()).WriteString("S", "k", QString(200, u'x'));
             } catch (...) {
                 setrlimit(RLIMIT_FSIZE, &saved);
                 std::signal(SIGXFSZ, oldHandler);
                 throw;
             }
             setrlimit(RLIMIT_FSIZE, &saved);
             std::signal(SIGXFSZ, oldHandler);
         }},
    };
    for (const auto& c : cases) {
        writeBytes(file(), old);
        EXPECT_THROW(c.write(), std::runtime_error) << c.what;
        EXPECT_EQ(readBytes(file()), old) << c.what;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"test.ini"}) << c.what;
    }
}

} // namespace
