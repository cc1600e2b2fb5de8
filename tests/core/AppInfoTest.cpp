// Reading "AppInfo.ini" beside the program, and what the main form derives from it.
#include "core/session/AppInfo.h"
#include "core/session/Identity.h"

#include "platform/Cp932.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace core;

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

class AppInfoTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString program() const { return dir.filePath(QStringLiteral("taxlink")); }

    // Writes the lines as a CP932 file with CRLF line ends.
    void writeAppInfo(const QStringList& lines) {
        QFile file(dir.filePath(QStringLiteral("AppInfo.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(platform::toCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    }

    static TAppInfoRec marked() {
        TAppInfoRec info;
        info.OEM = u8("marker");
        info.DataFile = u8("kept.fdb");
        info.DataListCnt = 7;
        return info;
    }
};

// Reads through the INI file but fails on the n-th read.
class FailingSource : public AppInfoSource {
public:
    explicit FailingSource(int failAt) : failAt_(failAt) {}
    QString ReadString(const QString& section, const QString& key, const QString&) override {
        tick();
        return key == QStringLiteral("OEM") ? QStringLiteral("Tallek") : section + u'/' + key;
    }
    int ReadInteger(const QString&, const QString&, int def) override {
        tick();
        return def;
    }

private:
    void tick() {
        if (++reads_ == failAt_)
            throw std::runtime_error("read failed");
    }
    int failAt_;
    int reads_ = 0;
};

} // namespace

TEST_F(AppInfoTest, MissingFileLeavesAFilledRecordAlone) {
    TAppInfoRec info = marked();
    EXPECT_EQ(LoadAppInfo(program(), info), 0);
    EXPECT_EQ(info.OEM, u8("marker"));
    EXPECT_EQ(info.DataFile, u8("kept.fdb"));
    EXPECT_EQ(info.DataListCnt, 7);
}

TEST_F(AppInfoTest, EmptyOrMissingOemGivesTheDefaults) {
    for (const QStringList& lines : {QStringList{u8("[Application]"), u8("OEM="), u8("[Zaimu]"), u8("DataFile=x.fdb")},
                                     QStringList{u8("[Zaimu]"), u8("DataFile=x.fdb")}}) {
        writeAppInfo(lines);
        TAppInfoRec info = marked();
        EXPECT_EQ(LoadAppInfo(program(), info), -1);
        EXPECT_EQ(info.OEM, u8("-"));
        EXPECT_EQ(info.DataFile, u8("qmacc.fdb"));
        EXPECT_EQ(info.DataListCnt, 120);
        EXPECT_EQ(info.HomeDir, u8("quorvo\\tallekzaimu"));
        EXPECT_TRUE(info.PelmaroMenuLimit);
    }
}

TEST_F(AppInfoTest, WithOemMissingKeysAreEmptyNotBuiltIn) {
    writeAppInfo({u8("[Application]"), u8("OEM=PashtelData"), u8("VerMajorDiff=3"), u8("[Zaimu]"),
                  u8("DataDefFile=sys.fdb")});
    TAppInfoRec info = marked();
    EXPECT_EQ(LoadAppInfo(program(), info), 1);
    EXPECT_EQ(info.OEM, u8("PashtelData"));
    EXPECT_EQ(info.DataDefFile, u8("sys.fdb"));
    EXPECT_EQ(info.DataFile, QString());
    EXPECT_EQ(info.AppTitle, QString());
    EXPECT_EQ(info.VerMajorDiff, 3);
    EXPECT_EQ(info.VerMinorDiff, 0);
    EXPECT_EQ(info.DataListCnt, 120);
    EXPECT_TRUE(info.PelmaroMenuLimit);
}

TEST_F(AppInfoTest, Cp932ValuesAreKeptAsRead) {
    writeAppInfo({u8("[Application]"), u8("OEM=Tallek"), u8("RegKey=\\SOFTWARE\\ポ表"), u8("[Zaimu]"),
                  u8("AppTitle=タレック財務ソ表"), u8("RegKey=ソフト\\KEY"), u8("HomeDir=quorvo\\ソ表"),
                  u8("DataListCnt=$20"), u8("[Menu]"), u8("DataCon01=データ送信｜ポ")});
    TAppInfoRec info;
    ASSERT_EQ(LoadAppInfo(program(), info), 1);
    EXPECT_EQ(info.RegKey, u8("\\SOFTWARE\\ポ表"));
    EXPECT_EQ(info.AppTitle, u8("タレック財務ソ表"));
    EXPECT_EQ(info.ZaimuRegKey, u8("ソフト\\KEY"));
    EXPECT_EQ(info.HomeDir, u8("quorvo\\ソ表"));
    EXPECT_EQ(NativeSubPath(info.HomeDir), u8("quorvo/ソ表"));
    EXPECT_EQ(info.DataListCnt, 32);
    EXPECT_EQ(info.DataCon01, u8("データ送信｜ポ"));
}

TEST_F(AppInfoTest, PelmaroMenuLimitIsOffOnlyForFalse) {
    const struct {
        const char* line; // nullptr: no key
        bool limit;
    } cases[] = {
        {"PelmaroMenuLimit=FALSE", false}, {"PelmaroMenuLimit=False", false}, {"PelmaroMenuLimit=false", false},
        {"PelmaroMenuLimit=0", true},      {"PelmaroMenuLimit=", true},       {"PelmaroMenuLimit=No", true},
        {nullptr, true},
    };
    for (const auto& c : cases) {
        QStringList lines{u8("[Application]"), u8("OEM=Tallek"), u8("[Menu]")};
        if (c.line)
            lines << u8(c.line);
        writeAppInfo(lines);
        TAppInfoRec info;
        info.PelmaroMenuLimit = !c.limit;
        ASSERT_EQ(LoadAppInfo(program(), info), 1);
        EXPECT_EQ(info.PelmaroMenuLimit, c.limit) << (c.line ? c.line : "(missing)");
    }
}

TEST_F(AppInfoTest, ReadFailuresGiveMinusTen) {
    writeAppInfo({u8("[Application]"), u8("OEM=Tallek")});
    TAppInfoRec info;
    const auto failAtFifth = [](const QString&) { return std::make_unique<FailingSource>(5); };
    EXPECT_EQ(LoadAppInfo(program(), info, failAtFifth), -10);
    EXPECT_EQ(info.OEM, u8("Tallek"));                      // read before the failure
    EXPECT_EQ(info.Since, u8("Application/Since"));
    EXPECT_EQ(info.AppName, QString());                     // never reached

    const auto failAtFirst = [](const QString&) { return std::make_unique<FailingSource>(1); };
    EXPECT_EQ(LoadAppInfo(program(), info, failAtFirst), -10);
}

TEST_F(AppInfoTest, AnUnopenableFileIsUnreadableNotEmpty) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("AppInfo.ini")));
    TAppInfoRec info = marked();
    EXPECT_EQ(LoadAppInfo(program(), info), -10);
    EXPECT_EQ(info.OEM, u8("marker"));
}

TEST(AppInfoEditionTest, OnlyTheExactOemValueMarksThePartnerEdition) {
    TAppInfoRec info;
    for (const auto& [oem, flag] : {std::pair{"PashtelData", 1}, std::pair{"pashteldata", 0},
                                    std::pair{"PASHTELDATA", 0}, std::pair{"-", 0}}) {
        info.OEM = u8(oem);
        EXPECT_EQ(EditionFlagFor(info), flag) << oem;
    }
}

TEST(IdentityTest, StartsBuiltInAndTakesTheAppInfoValues) {
    const TIdentity saved = Identity;
    EXPECT_EQ(Identity.DataFile, u8("qmacc.fdb"));
    EXPECT_EQ(Identity.DataDefFile, u8("qmaccdef.fdb"));
    EXPECT_EQ(Identity.DataListCnt, 120);
    TAppInfoRec info = DefaultAppInfo();
    info.DataFile = u8("other.fdb");
    info.DataListCnt = 50;
    CopyAppInfoToIdentity(info);
    EXPECT_EQ(Identity.DataFile, u8("other.fdb"));
    EXPECT_EQ(Identity.DataListCnt, 50);
    EXPECT_EQ(kTempBackupFile, u8("qmacc.fbk"));
    Identity = saved;
}
