// The company steps from 3.0.0 on: which of their listed files they append for a data kind and
// edition, when a missing name ends them with 18, the frame around the files (character set,
// MEMO form) and the lines of their own that need no database. No database is opened here.

#include "dbupgrade/company/CompanyStep300.h"
#include "dbupgrade/company/CompanyStep400.h"
#include "dbupgrade/company/CompanyStep1000.h"
#include "dbupgrade/company/ExternalStepLists.h"
#include "dbupgrade/runner/UpdateFiles.h"
#include "dbupgrade/steps/TrialBalanceSql.h"

#include "core/Globals.h"
#include "platform/Cp932.h"
#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace upgradetest;
using dbupgrade::CompanyDataKind;

const CompanyDataKind kHoujin{1, 1, false};
const CompanyDataKind kHoujinOem{1, 1, true};
const CompanyDataKind kKojin{2, 1, false};
const CompanyDataKind kFudousan{2, 2, false};
const CompanyDataKind kIryou{3, 1, false};

// A sql folder holding, for the version, the listed names (or the given ones) as one comment line.
class SqlFolder {
public:
    SqlFolder() { core::SystemDef.SqlDir = dir_.path(); }

    void put(const core::TVersionTriple& version, const QStringList& names)
    {
        const QDir folder(dbupgrade::ExternalScriptFolder(version));
        QDir().mkpath(folder.path());
        for (const QString& name : names) {
            QFile file(folder.filePath(name));
            file.open(QIODevice::WriteOnly);
            file.write("/* " + name.toLatin1() + " */\r\n");
        }
    }
    void putListed(const core::TVersionTriple& version)
    {
        QStringList names;
        for (const dbupgrade::ListedFile& file : dbupgrade::CompanyStepFiles(version, kHoujin))
            names << file.name;
        put(version, names);
    }
    void remove(const core::TVersionTriple& version, const QString& name)
    {
        QFile::remove(QDir(dbupgrade::ExternalScriptFolder(version)).filePath(name));
    }

private:
    QTemporaryDir dir_;
};

// The names taken, or "18" when the step ends for a missing file.
QString taken(const core::TVersionTriple& version, const CompanyDataKind& kind, const dbupgrade::StepFacts& facts = {})
{
    dbupgrade::ExternalStepPlan plan;
    plan.version = version;
    plan.files = dbupgrade::CompanyStepFiles(version, kind, facts);
    QStringList names;
    if (!dbupgrade::BuildExternalStepScript(plan, &names))
        return QStringLiteral("18");
    for (QString& name : names)
        name = name.mid(5, name.size() - 9); // "qmvup07.sql" -> "07"
    return names.join(QLatin1Char(' '));
}

struct SelectionCase {
    const char* what;
    core::TVersionTriple version;
    CompanyDataKind kind;
    dbupgrade::StepFacts facts;
    QStringList missing; // names removed from the full set
    const char* expected;
};

TEST(ExternalStepFilesTest, FilesTakenByKindEditionAndPresence)
{
    UpgradeSession session;
    const std::vector<SelectionCase> cases = {
        {"3.0.0 every file", {3, 0, 0}, kKojin, {}, {}, "01 02 03 04 05 06 07 08 09 10"},
        {"3.0.3 other data: none", {3, 0, 3}, kHoujin, {}, {}, ""},
        {"3.0.3 medical, 02 missing is passed over", {3, 0, 3}, kIryou, {}, {"qmvup02.sql"}, "01 03 04 05 06"},
        {"3.0.4 trigger present", {3, 0, 4}, kHoujin, {true, 0, false}, {}, "01 02 03"},
        {"3.0.4 trigger missing", {3, 0, 4}, kHoujin, {false, 0, false}, {}, "01 02 03 04"},
        {"3.0.6 medical 377 accounts", {3, 0, 6}, kIryou, {false, 1, false}, {}, "01"},
        {"3.0.6 medical 567 accounts", {3, 0, 6}, kIryou, {false, 2, false}, {}, "02"},
        {"3.0.6 medical 400 accounts", {3, 0, 6}, kIryou, {false, 0, false}, {}, ""},
        {"3.0.7 other data", {3, 0, 7}, kHoujin, {}, {}, "01 08"},
        {"4.0.0 medical", {4, 0, 0}, kIryou, {}, {}, "01 04 05 06 09"},
        {"4.0.2 every file for medical data", {4, 0, 2}, kIryou, {}, {}, "01 02 03 04 05 06"},
        {"5.0.0 standard never 09", {5, 0, 0}, kHoujin, {}, {}, "02 04 05 06 07 08 10 11"},
        {"5.0.0 partner edition 09", {5, 0, 0}, kHoujinOem, {}, {}, "02 04 05 06 07 08 09 10 11"},
        {"5.0.5 individual standard", {5, 0, 5}, kKojin, {}, {}, "01 02"},
        {"5.0.5 corporation standard", {5, 0, 5}, kHoujin, {}, {}, "01 02 04"},
        {"5.0.5 corporation partner", {5, 0, 5}, kHoujinOem, {}, {}, "01 02 05"},
        {"6.0.0 medical: ten", {6, 0, 0}, kIryou, {}, {}, "01 02 10 11 12 13 14 15 17 18"},
        {"6.0.0 other: twelve", {6, 0, 0}, kFudousan, {}, {}, "01 02 03 04 05 06 07 08 09 15 16 18"},
        {"7.0.2 missing 01 passed over", {7, 0, 2}, kHoujin, {}, {"qmvup01.sql"}, "02"},
        {"7.0.3 other data", {7, 0, 3}, kHoujin, {}, {}, "02 03"},
        {"7.0.3 without 01, which it would pass over", {7, 0, 3}, kHoujin, {}, {"qmvup01.sql"}, "18"},
        {"7.0.4 medical without code 116", {7, 0, 4}, kIryou, {false, 0, false}, {}, "70201 70202 01 02 04"},
        {"7.0.4 with code 116", {7, 0, 4}, kHoujin, {false, 0, true}, {}, "01 02 03"},
        {"7.0.4 with code 116, 70201 missing", {7, 0, 4}, kHoujin, {false, 0, true}, {"qmvup70201.sql"}, "18"},
        {"8.0.2 order, other data", {8, 0, 2}, kHoujin, {}, {}, "07 01 02 05 06"},
        {"8.0.2 order, medical", {8, 0, 2}, kIryou, {}, {}, "07 03 04 05 06"},
        {"8.0.3 medical: none", {8, 0, 3}, kIryou, {}, {}, ""},
        {"9.0.4 medical", {9, 0, 4}, kIryou, {}, {}, "02 03 05 07"},
        {"11.1.0 other", {11, 1, 0}, kKojin, {}, {}, "01 03 04"},
        {"15.0.0 medical", {15, 0, 0}, kIryou, {}, {}, "02"},
    };
    for (const SelectionCase& c : cases) {
        SCOPED_TRACE(c.what);
        SqlFolder folder;
        folder.putListed(c.version);
        for (const QString& name : c.missing)
            folder.remove(c.version, name);
        EXPECT_EQ(taken(c.version, c.kind, c.facts), QLatin1String(c.expected));
    }
}

TEST(ExternalStepFilesTest, EveryListedNameIsInstalledForEveryKindAndEdition)
{
    UpgradeSession session; // the sql folder of the sources
    const QList<core::TVersionTriple> versions = {
        {3, 0, 0},  {3, 0, 1},  {3, 0, 3},  {3, 0, 4},  {3, 0, 6},  {3, 0, 7},  {4, 0, 0},  {4, 0, 2},
        {5, 0, 0},  {5, 0, 2},  {5, 0, 5},  {6, 0, 0},  {6, 1, 0},  {6, 1, 3},  {7, 0, 0},  {7, 0, 2},
        {7, 0, 3},  {7, 0, 4},  {8, 0, 0},  {8, 0, 2},  {8, 0, 3},  {9, 0, 0},  {9, 0, 1},  {9, 0, 2},
        {9, 0, 3},  {9, 0, 4},  {9, 0, 5},  {10, 0, 0}, {10, 0, 1}, {10, 0, 3}, {10, 0, 4}, {10, 0, 5},
        {11, 0, 0}, {11, 0, 1}, {11, 1, 0}, {12, 0, 0}, {13, 0, 0}, {13, 0, 3}, {14, 0, 0}, {15, 0, 0}};
    for (const core::TVersionTriple& version : versions) {
        for (const CompanyDataKind& kind : {kHoujin, kHoujinOem, kKojin, kFudousan, kIryou}) {
            const QList<dbupgrade::ListedFile> files = dbupgrade::CompanyStepFiles(version, kind);
            ASSERT_FALSE(files.isEmpty()) << dbupgrade::VersionText(version).toStdString();
            for (const dbupgrade::ListedFile& file : files) {
                const QString path = QDir(dbupgrade::ExternalScriptFolder(version)).filePath(file.name);
                QFile installed(path);
                ASSERT_TRUE(installed.open(QIODevice::ReadOnly)) << path.toStdString();
                const QByteArray bytes = installed.readAll();
                // CP932 text with CR LF line ends and at least one line.
                EXPECT_FALSE(bytes.trimmed().isEmpty()) << path.toStdString();
                EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << path.toStdString();
                EXPECT_EQ(platform::toCp932(platform::fromCp932(bytes)), bytes) << path.toStdString();
            }
        }
    }
}

// The trial balances that later steps' files bring are the created schema's, parameters and
// bodies alike (only the blank lines are left out): the files must follow the schema's generator.
TEST(ExternalStepFilesTest, TrialBalanceFilesHoldTheCreatedProcedures)
{
    UpgradeSession session; // the sql folder of the sources
    struct Case {
        core::TVersionTriple version;
        const char* file;
        const char* set;
        QStringList names;
    };
    const QList<Case> cases = {
        {{3, 0, 3}, "qmvup02.sql", "medical", {QStringLiteral("SP_SISANHYO_A4"), QStringLiteral("SP_SISANHYO_A3")}},
        {{3, 0, 3},
         "qmvup03.sql",
         "medical",
         {QStringLiteral("SP_SISANHYO_BUMON"), QStringLiteral("SP_SISANHYO_BUMON_A4"), QStringLiteral("SP_SISANHYO_BUMON_A3")}},
        {{6, 0, 0}, "qmvup03.sql", "ordinary", {QStringLiteral("SP_SISANHYO_KESSAN")}},
    };
    for (const Case& c : cases) {
        const QString path = QDir(dbupgrade::ExternalScriptFolder(c.version)).filePath(QLatin1String(c.file));
        QStringList lines = readCp932File(path).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty()) << path.toStdString();
        lines.removeFirst(); // the file's comment
        QStringList wanted{QStringLiteral("SET TERM ^ ;")};
        for (const QString& name : c.names)
            for (const QString& line : dbupgrade::TrialBalanceProcedure(QLatin1String(c.set), name, QStringLiteral("ALTER"))
                                           .split(QLatin1Char('\n')))
                if (!line.trimmed().isEmpty())
                    wanted << line;
        wanted << QStringLiteral("SET TERM ; ^") << QStringLiteral("COMMIT;");
        EXPECT_EQ(lines, wanted) << path.toStdString();
    }
}

TEST(ExternalStepFilesTest, FrameCharacterSetAndMemoForms)
{
    UpgradeSession session;
    SqlFolder folder;
    core::SystemDef.OPNAME = QStringLiteral("Sato");
    const auto script = [](const core::TVersionTriple& version) {
        dbupgrade::ExternalStepPlan plan;
        plan.version = version;
        return platform::fromCp932(dbupgrade::BuildExternalStepScript(plan)->bytes());
    };
    EXPECT_FALSE(script({3, 0, 4}).contains(QStringLiteral("SET NAMES")));
    EXPECT_TRUE(script({3, 0, 6}).contains(QStringLiteral("SET NAMES SJIS_0208;")));
    EXPECT_TRUE(script({6, 1, 3}).contains(QStringLiteral("SET NAMES SJIS_0208;")));
    EXPECT_TRUE(script({10, 0, 0}).contains(QStringLiteral("MEMO='2026/04/01 09:30:15'")));
    EXPECT_TRUE(script({10, 0, 4}).contains(QStringLiteral("MEMO='2026/04/01 09:30:15,10,Sato,PC-TEST'")));

    const auto memoOf = [&](const core::TVersionTriple& version) {
        const QString text = script(version);
        const qsizetype start = text.indexOf(QStringLiteral("MEMO='")) + 6;
        return platform::toCp932(text.mid(start, text.indexOf(QStringLiteral("'\r\nWHERE REC=1;"), start) - start));
    };
    const QByteArray memo1005 = memoOf({10, 0, 5});
    EXPECT_EQ(memo1005.size(), 127);
    EXPECT_EQ(memo1005.trimmed(), QByteArray("2026/04/01 09:30:15,10,Sato,PC-TEST"));
    EXPECT_TRUE(memo1005.endsWith(' '));
    EXPECT_EQ(memoOf({11, 0, 0}), QByteArray("2026/04/01 09:30:15,10,Sato,PC-TEST"));
}

TEST(ExternalStepFilesTest, OwnLinesOfTheSteps)
{
    // 3.0.3: the rent row's name lock for individual 不動産 data only.
    EXPECT_EQ(dbupgrade::CompanyStep303Lines(kFudousan).size(), 3);
    EXPECT_TRUE(dbupgrade::CompanyStep303Lines(kIryou).isEmpty());
    EXPECT_TRUE(dbupgrade::CompanyStep303Lines(kKojin).isEmpty());

    // 4.0.0 for medical data with branches and departments of the cash-book application.
    const QStringList medical = dbupgrade::CompanyStep400RepairLines(kIryou, {QStringLiteral("9999"), 3, 1, 1, false, false});
    ASSERT_EQ(medical.size(), 2 + 8 + 2 + 2 + 1);
    EXPECT_EQ(medical[1], QStringLiteral(u"WHERE (KCODE='9999') AND (HOJOSW='×');"));
    EXPECT_EQ(medical[2], QStringLiteral(u"UPDATE CASHFMST SET CM_GROUP=70,CM_ORDER=41,CM_NAME1='ＶＩＩ　現金及び現金同等物の期末残高'\n"
                                         u"WHERE (CM_KIND=1)AND(CM_GROUP=60);"));
    EXPECT_TRUE(medical[5].endsWith(QStringLiteral(u"VALUES (43,15,1,40,38,1,1,0,'ＩＶ　現金及び現金同等物に係る換算差額',0);")));
    EXPECT_TRUE(medical[9].endsWith(QStringLiteral(u"VALUES (89,15,0,40,36,1,1,0,'ＩＶ　現金及び現金同等物に係る換算差額',0);")));
    EXPECT_EQ(medical.last(), QStringLiteral("COMMIT;"));
    // A layout already in the current form is not moved again.
    EXPECT_EQ(dbupgrade::CompanyStep400RepairLines(kIryou, {QStringLiteral("9999"), 0, 0, 0, true, false}).size(), 2 + 4 + 1);
    // Other data without branches, departments or the cash-book application: 諸口 only.
    const QStringList other = dbupgrade::CompanyStep400RepairLines(kHoujin, {QStringLiteral("O'1"), 0, 0, 0});
    EXPECT_EQ(other.size(), 3);
    EXPECT_TRUE(other[1].contains(QStringLiteral("KCODE='O''1'")));

    // The partition of a year into 16 periods.
    const std::vector<std::pair<int, int>> periods = {{0, 0}, {1, 0}, {2, 1}, {3, 2},  {4, 4},  {6, 6},
                                                      {7, 8}, {9, 10}, {10, 12}, {12, 14}, {13, 0}, {-1, 0}};
    for (const auto& [month, period] : periods)
        EXPECT_EQ(dbupgrade::PeriodBeforeStartMonth(month), period) << month;
}

} // namespace
