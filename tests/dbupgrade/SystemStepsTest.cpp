// Edge cases of the system steps on small databases through the real isql-fb, and the old
// menu lookup of the menu-launch conversion.

#include "dbupgrade/DbUpdateList.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/system/MenuLaunchConversion.h"
#include "dbupgrade/system/SystemStepScripts.h"
#include "dbupgrade/system/SystemSteps.h"

#include "core/Globals.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

using namespace upgradetest;

std::function<int()> stepProc(const core::TVersionTriple& v)
{
    return dbupgrade::SystemStepProc(v);
}

// The system base with the data-list columns of the steps up to 4.0.2 (what 5.0.0 needs).
void bringBaseTo402(const QString& file)
{
    addVersionTrigger(file);
    execute(file, {QStringLiteral("ALTER TABLE DATALIST ADD VER_TEXT VARCHAR(20), ADD KYOYULOCK INTEGER DEFAULT 0, "
                                  "ADD UPDATE_LOCK INTEGER DEFAULT 0, ADD GASSAN INTEGER DEFAULT 0, "
                                  "ADD DATACODE VARCHAR(10) CHARACTER SET ASCII DEFAULT ''")});
}

TEST(SystemStepsTest, PlacesOf500InThePartnerEditionWithoutIndustryFiles)
{
    UpgradeSession session;
    core::EditionFlag = 1;
    // 40 bytes carry the folder as the place's name, 41 give "標準の場所".
    for (int length : {40, 41}) {
        SCOPED_TRACE(length);
        const QString base = session.root() + QLatin1Char('/');
        const QString folder = base + QString(length - base.size(), QLatin1Char('d'));
        ASSERT_EQ(folder.size(), length) << "temporary folder too long for the case";
        QDir().mkpath(folder);
        core::SystemDef.SYSDIR = folder;
        session.installSystemBase();
        bringBaseTo402(session.systemFile());
        execute(session.systemFile(), {QStringLiteral(u"INSERT INTO SYSREG (OPCODE, SCODE, STYPE, STEXT) VALUES "
                                                      u"(100009999, '試算表集計出力区分', '文字', '0')")});
        EXPECT_EQ(stepProc({5, 0, 0})(), 1);
        const QString file = session.systemFile();
        EXPECT_EQ(queryValue(file, QStringLiteral("SELECT COUNT(*) FROM DATAPLACEMAN")), QStringLiteral("100"));
        EXPECT_EQ(queryValue(file, QStringLiteral("SELECT NAME FROM DATAPLACEMAN WHERE REC = 0")),
                  length > 40 ? QStringLiteral(u"標準の場所") : folder);
        EXPECT_EQ(queryValue(file, QStringLiteral("SELECT PATH || '|' || ORDERKBN FROM DATAPLACEMAN WHERE REC = 7")),
                  folder + QStringLiteral("07|8"));
        EXPECT_EQ(queryValue(file, QStringLiteral(u"SELECT STEXT FROM SYSREG WHERE SCODE = '試算表集計出力区分'")),
                  QStringLiteral("1"));
        // The new place list fills its own data list.
        EXPECT_EQ(queryRows(file, QStringLiteral("SELECT REC, PATHNAME FROM SP_DATALIST_INSERT(3, '/srv/p3', 2)")),
                  QStringList({QStringLiteral("1|/srv/p3/0001"), QStringLiteral("2|/srv/p3/0002")}));
        QFile::remove(file);
    }
}

TEST(SystemStepsTest, SystemUserIsInsertedOnlyWhenMissingAndQuotesInFoldersAreSafe)
{
    UpgradeSession session;
    // A system folder whose name holds a single quote: the CONNECT target and the literals.
    core::SystemDef.SYSDIR = QDir(session.root()).filePath(QStringLiteral("o'neil"));
    QDir().mkpath(core::SystemDef.SYSDIR);
    session.installSystemBase();
    const QString file = session.systemFile();
    execute(file, {QStringLiteral(u"INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL) VALUES (10000, 1, '先客', 5)")});
    EXPECT_EQ(stepProc({0, 3, 1})(), 1);
    EXPECT_EQ(stepProc({0, 3, 2})(), 1);
    EXPECT_EQ(queryValue(file, QStringLiteral("SELECT OPNAME FROM OPERATOR WHERE GROUPID = 10000 AND OPCODE = 1")),
              QStringLiteral(u"先客"));
    EXPECT_EQ(queryRows(file, QStringLiteral("SELECT REC, MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM VERSION ORDER BY REC")),
              QStringList({QStringLiteral("1|0.3.1"), QStringLiteral("2|0.3.2")}));
}

TEST(SystemStepsTest, StepsWithRequiredExternalFilesStopWith18)
{
    UpgradeSession session;
    session.installSystemBase();
    core::SystemDef.SqlDir = QDir(session.root()).filePath(QStringLiteral("no-sql"));
    // 8.0.0 on needs its files; 7.0.0 and 7.0.4 run without them.
    EXPECT_FALSE(dbupgrade::BuildSystemStepScript({8, 0, 0}).has_value());
    EXPECT_FALSE(dbupgrade::BuildSystemStepScript({11, 0, 1}).has_value());
    EXPECT_TRUE(dbupgrade::BuildSystemStepScript({7, 0, 4}).has_value());
    EXPECT_EQ(stepProc({12, 0, 0})(), dbupgrade::kStepFileMissing);
    EXPECT_FALSE(QFile::exists(QDir(core::SystemDef.WorkDir).filePath(QStringLiteral("qmvdataup.sql"))));
    EXPECT_TRUE(session.messages.messages.isEmpty());
}

TEST(MenuLaunchTest, FindOldMenuEntry)
{
    UpgradeSession session;
    struct Case {
        quint8 edition;
        int level, page, menu;
        QString program, option;
    };
    const QList<Case> cases = {
        {0, 5, 1, 15, QString(), QString()},
        {1, 5, 1, 15, QStringLiteral("VxPashtelSiwake"), QStringLiteral("SyoriType=1")},
        {2, 1000, 1, 17, QStringLiteral("VxKobetuIchiranhyo"), QString()},
        {1, 5, 1, 19, QStringLiteral("VxKobetuMotocho"), QString()},
        {1, 5, 1, 16, QString(), QString()},
        {1, 5, 2, 15, QString(), QString()},
        {1, 1001, 1, 15, QString(), QString()}, // the extended table has no overrides
        {1, 1000, 11, 15, QString(), QString()}, // outside the general table
    };
    EXPECT_EQ(dbupgrade::GeneralMenuTable().size(), 200u);
    EXPECT_EQ(dbupgrade::ExtendedMenuTable().size(), 240u);
    for (const Case& c : cases) {
        core::EditionFlag = c.edition;
        QString program = QStringLiteral("x");
        QString option = QStringLiteral("x");
        dbupgrade::FindOldMenuEntry(c.level, c.page, c.menu, program, option);
        EXPECT_EQ(program, c.program) << c.level << " " << c.page << " " << c.menu;
        EXPECT_EQ(option, c.option) << c.level << " " << c.page << " " << c.menu;
    }
}

TEST(MenuLaunchTest, ConversionAfter802AllOrNothing)
{
    UpgradeSession session;
    core::EditionFlag = 1;
    session.installSystemBase();
    const QString file = session.systemFile();
    addVersionTrigger(file);
    execute(file, {QStringLiteral("INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (5, 1, 15)"),
                   QStringLiteral("INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (5, 1, 17)"),
                   QStringLiteral("INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (6, 1, 18)")});
    EXPECT_EQ(stepProc({8, 0, 2})(), 1);
    EXPECT_EQ(queryRows(file, QStringLiteral("SELECT LEVELNO, PROC_ID, PROC_OPTION FROM JOBCONTROL2 ORDER BY 1, 2")),
              QStringList({QStringLiteral("5|VxKobetuIchiranhyo|"), QStringLiteral("5|VxPashtelSiwake|SyoriType=1"),
                           QStringLiteral("6|VxKobetuMeisaihyo|")}));

    // A table that refuses the third insert (its own external script): nothing of the
    // conversion stays, 19.
    session.installSystemBase();
    addVersionTrigger(file);
    execute(file, {QStringLiteral("INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (5, 1, 15)"),
                   QStringLiteral("INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (5, 1, 17)"),
                   QStringLiteral("INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (6, 1, 18)")});
    core::SystemDef.SqlDir = QDir(session.root()).filePath(QStringLiteral("sql"));
    QDir().mkpath(QDir(core::SystemDef.SqlDir).filePath(QStringLiteral("802")));
    QFile script(QDir(core::SystemDef.SqlDir).filePath(QStringLiteral("802/sysup01.sql")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("CREATE TABLE JOBCONTROL2 (LEVELNO INTEGER NOT NULL, PROC_ID VARCHAR(40) NOT NULL,\r\n"
                 "PROC_OPTION VARCHAR(127) DEFAULT '', CHECK (PROC_ID <> 'VxKobetuMeisaihyo'));\r\nCOMMIT;\r\n");
    script.close();
    EXPECT_EQ(stepProc({8, 0, 2})(), dbupgrade::kStepOwnWorkFailed);
    EXPECT_EQ(queryValue(file, QStringLiteral("SELECT COUNT(*) FROM JOBCONTROL2")), QStringLiteral("0"));
}

} // namespace
