// The analysis-cloud dump file as a whole: its layout against a golden file, the sections that
// depend on the data version and type, the budget rules it adds, and its failures.

#include "cloudexchange/analysis/WebDbSqlDump.h"
#include "core/Exception.h"
#include "tests/cloudexchange/analysis/DumpCompany.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

QString dataFile(const QString& name) { return QStringLiteral(TAXLINK_CLOUDEXCHANGE_TEST_DATA "/") + name; }

// The lines that change from run to run (paths and times) get a fixed text.
QByteArray masked(QByteArray bytes, const QString& dumpPath) {
    bytes.replace(dumpPath.toUtf8(), "<dump>");
    static const QRegularExpression times(QStringLiteral(R"((Creation Date   : |Created Time: )[0-9/: ]+)"));
    static const QRegularExpression version(QStringLiteral(R"(^(\(\d+,\d+,\d+,)'[0-9: -]+'\);)"),
                                            QRegularExpression::MultilineOption);
    QString text = QString::fromUtf8(bytes);
    text.replace(times, QStringLiteral("\\1<time>"));
    text.replace(version, QStringLiteral("\\1<time>);"));
    return text.toUtf8();
}

QString section(const QByteArray& dump, const QString& from, const QString& to) {
    const QString text = QString::fromUtf8(dump);
    const qsizetype a = text.indexOf(from);
    const qsizetype b = text.indexOf(to, a + 1);
    return a < 0 ? QString() : text.mid(a, b < 0 ? -1 : b - a);
}

TEST(WebDbSqlDump, SmallCompanyMatchesTheGoldenFile) {
    dumptest::DumpSession session(dumptest::fixtureCompany());
    cloudexchange::TWebDbSqlDump dump;
    dump.DatabaseName = QStringLiteral("zebrik_d_123456789012_3");
    ASSERT_TRUE(dump.MakeDump());
    EXPECT_TRUE(session.messages.messages.isEmpty());
    EXPECT_FALSE(session.dm.IBTransactionDAT.inTransaction());
    const QByteArray actual = masked(session.dumpBytes(), session.dumpPath());
    const QString golden = dataFile(QStringLiteral("small-company.sql"));
    if (qEnvironmentVariableIsSet("TAXLINK_UPDATE_GOLDEN")) {
        QFile out(golden);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(actual);
    }
    QFile expected(golden);
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(actual, expected.readAll());
}

TEST(WebDbSqlDump, VersionsBelow802SendNoBudgetsAndWriteNoDefaultRules) {
    dumptest::DumpSession session(dumptest::fixtureCompany(), 1, 8, 0, 1);
    cloudexchange::TWebDbSqlDump dump;
    dump.DatabaseName = QStringLiteral("zebrik_d_x_1");
    ASSERT_TRUE(dump.MakeDump());
    const QByteArray bytes = session.dumpBytes();
    EXPECT_EQ(section(bytes, QStringLiteral("DELETE FROM JOBCONTROL;"), QStringLiteral("DELETE FROM KAKOSIWAKE1;")),
              QStringLiteral("DELETE FROM JOBCONTROL;\r\n\r\n"));
    EXPECT_EQ(section(bytes, QStringLiteral("DELETE FROM DADUD_YOSAN_KIHONRULE;"), QStringLiteral("DELETE FROM KAMOKU_KOSEI_GROUP;")),
              QStringLiteral("DELETE FROM DADUD_YOSAN_KIHONRULE;\r\n\r\n"));
    EXPECT_EQ(section(bytes, QStringLiteral("DELETE FROM KAMOKU_KOSEI_GROUP;"), QStringLiteral("DELETE FROM ZEBRIK_YOJITU_HYOKARULE;")),
              QStringLiteral("DELETE FROM KAMOKU_KOSEI_GROUP;\r\n\r\n"
                             "DELETE FROM KAMOKU_KOSEI_GROUP WHERE (FGNAME='未払金／未払費用');\r\n"));
    // KAMOKU_MS reads its second and third budgets as 0 below 8.0.2; no default rule was added.
    core::TIBTransaction t;
    t.addDatabase(&session.dm.IBDatabaseDAT);
    t.startTransaction();
    core::TIBSQL q(&session.dm.IBDatabaseDAT, &t);
    q.sql() << QStringLiteral("SELECT COUNT(*) FROM DADUD_YOSAN_KIHONRULE");
    q.execQuery();
    EXPECT_EQ(q.fields(0).asInteger(), 0);
    q.close();
    t.rollback();
}

TEST(WebDbSqlDump, BudgetRulesTakeTenRowsAPartWithRunningIds) {
    dumptest::DumpSession session(dumptest::fixtureCompany());
    QStringList rows;
    rows << QStringLiteral("INSERT INTO DADUD_YOSAN_KIHONRULE (FKOMOKU, FROW, FKBN, FWARIAI) VALUES ('売上債権', 1, '現金', 50)")
         << QStringLiteral("INSERT INTO DADUD_YOSAN_KIHONRULE (FKOMOKU, FROW, FKBN, FWARIAI) VALUES ('売上債権', 2, '掛', 50)");
    for (int i = 1; i <= 12; ++i)
        rows << QStringLiteral("INSERT INTO DADUD_YOSAN_KIHONRULE (FKOMOKU, FROW, FHIZUKE) VALUES ('納税', %1, '2024-%2-01')")
                    .arg(i)
                    .arg(i, 2, 10, QLatin1Char('0'));
    rows << QStringLiteral("INSERT INTO DADUD_YOSAN_KIHONRULE (FKOMOKU, FROW, FMEMO) VALUES ('その他', 1, 'O''B')");
    session.exec(rows);
    cloudexchange::TWebDbSqlDump dump;
    dump.DatabaseName = QStringLiteral("zebrik_d_x_1");
    ASSERT_TRUE(dump.MakeDump());
    const QStringList lines =
        section(session.dumpBytes(), QStringLiteral("DELETE FROM DADUD_YOSAN_KIHONRULE;"), QStringLiteral("DELETE FROM KAMOKU_KOSEI_GROUP;"))
            .split(QStringLiteral("\r\n"));
    const QString head =
        QStringLiteral("INSERT INTO DADUD_YOSAN_KIHONRULE(FID,FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,FHIZUKE,FKINGAKU) VALUES");
    ASSERT_EQ(lines.size(), 12) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines[1], head);
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("(1,'売上債権',1,'現金',50,"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(";")));
    EXPECT_EQ(lines[3], QStringLiteral("DELETE FROM DADUD_YOSAN_KIHONRULE WHERE (FKOMOKU='売上債権') AND (FKBN='設定単位');"));
    EXPECT_EQ(lines[6], head);
    EXPECT_EQ(lines[7].count(QStringLiteral("'納税'")), 10);
    EXPECT_TRUE(lines[7].startsWith(QStringLiteral("(3,'納税',1,")));
    EXPECT_TRUE(lines[7].endsWith(QStringLiteral("'2024/10/01',0);")));
    EXPECT_EQ(lines[8], head);
    // Two rows in part one: the first その他 row gets FID 2 + 11.
    EXPECT_TRUE(lines[9].startsWith(QStringLiteral("(13,'その他',1,'',0,0,'O\\'B',"))) << lines[9].toStdString();
    EXPECT_EQ(lines[10], QString());
}

TEST(WebDbSqlDump, AnEmptyRuleTableGetsTheSixDefaultsInTheCompany) {
    dumptest::DumpSession session(dumptest::fixtureCompany());
    cloudexchange::TWebDbSqlDump dump;
    dump.DatabaseName = QStringLiteral("zebrik_d_x_1");
    ASSERT_TRUE(dump.MakeDump());
    const QString part = section(session.dumpBytes(), QStringLiteral("(FID,FKOMOKU"), QStringLiteral("\r\nDELETE"));
    EXPECT_EQ(part.count(QStringLiteral("),(")), 5);
    EXPECT_TRUE(part.contains(QStringLiteral("(6,'売上債権',3,'手形',0,2,'','1970-01-02 00:00:00',0);")));
    core::TIBTransaction t;
    t.addDatabase(&session.dm.IBDatabaseDAT);
    t.startTransaction();
    core::TIBSQL q(&session.dm.IBDatabaseDAT, &t);
    q.sql() << QStringLiteral("SELECT COUNT(*) FROM DADUD_YOSAN_KIHONRULE");
    q.execQuery();
    EXPECT_EQ(q.fields(0).asInteger(), 6);
    q.close();
    t.rollback();
}

TEST(WebDbSqlDump, HundredRowTablesStartANewStatementAfterEveryHundredthRow) {
    const struct {
        int rows;
        int statements;
    } cases[] = {{0, 0}, {100, 1}, {101, 2}, {200, 2}};
    for (const auto& c : cases) {
        dumptest::DumpSession session(dumptest::fixtureCompany());
        QStringList rows;
        for (int i = 1; i <= c.rows; ++i)
            rows << QStringLiteral("INSERT INTO SIWAKE2 (REC, SWKREC, LINKKEY) VALUES (%1, %1, 'k%1')").arg(i);
        session.exec(rows);
        cloudexchange::TWebDbSqlDump dump;
        dump.DatabaseName = QStringLiteral("zebrik_d_x_1");
        ASSERT_TRUE(dump.MakeDump());
        const QStringList lines = section(session.dumpBytes(), QStringLiteral("DELETE FROM SIWAKE2;"),
                                          QStringLiteral("DELETE FROM SWK_SEARCH;"))
                                      .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 1 + 2 * c.statements) << c.rows;
        for (int s = 0; s < c.statements; ++s) {
            EXPECT_EQ(lines[1 + 2 * s], QStringLiteral("INSERT INTO SIWAKE2 VALUES"));
            const QString& values = lines[2 + 2 * s];
            EXPECT_TRUE(values.endsWith(QLatin1Char(';')));
            EXPECT_EQ(values.count(QStringLiteral("),(")) + 1, s == 0 ? qMin(c.rows, 100) : c.rows - 100) << c.rows;
        }
    }
}

TEST(WebDbSqlDump, MedicalDataSendsItsOwnColumnsAndReports) {
    dumptest::DumpSession ordinary(dumptest::fixtureCompany(), 1);
    cloudexchange::TWebDbSqlDump plain;
    plain.DatabaseName = QStringLiteral("d");
    ASSERT_TRUE(plain.MakeDump());
    const QByteArray p = ordinary.dumpBytes();
    EXPECT_EQ(section(p, QStringLiteral("DELETE FROM MSD_HOUKOKU;"), QStringLiteral("DELETE FROM DADUD_YOSAN_KANRI;")),
              QStringLiteral("DELETE FROM MSD_HOUKOKU;\r\n\r\n"));
    // GROUPR1 is read from GROUPM1, the seven medical texts are null.
    EXPECT_TRUE(section(p, QStringLiteral("INSERT INTO KAMOKUMST VALUES"), QStringLiteral("DELETE FROM KAMOKU_MS;"))
                    .contains(QStringLiteral("('1101','101',1,'1000','1100','1110','1100','1110',")));
    EXPECT_TRUE(section(p, QStringLiteral("INSERT INTO KAMOKUMST VALUES"), QStringLiteral("DELETE FROM KAMOKU_MS;"))
                    .contains(QStringLiteral("'2024/04/01',null,null,null,null,null,null,null)")));

    dumptest::DumpSession medical(dumptest::fixtureCompany(), 3);
    cloudexchange::TWebDbSqlDump dump;
    dump.DatabaseName = QStringLiteral("d");
    ASSERT_TRUE(dump.MakeDump());
    const QByteArray m = medical.dumpBytes();
    EXPECT_TRUE(section(m, QStringLiteral("DELETE FROM MSD_HOUKOKU;"), QStringLiteral("DELETE FROM DADUD_YOSAN_KANRI;"))
                    .contains(QStringLiteral("('報告','施設数','整数','3',null,null);")));
    EXPECT_TRUE(section(m, QStringLiteral("INSERT INTO KAMOKUMST VALUES"), QStringLiteral("DELETE FROM KAMOKU_MS;"))
                    .contains(QStringLiteral("('1101','101',1,'1000','1100','1110','9999',")));
}

TEST(WebDbSqlDump, WebMeetingRowsAreSentOnlyWhenMeetingsAreOn) {
    for (const int on : {0, 1}) {
        dumptest::DumpSession session(dumptest::fixtureCompany());
        session.exec({QStringLiteral("INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES "
                                     "('ＷＥＢ会議設定', 'ＷＥＢ会議を行う', '整数', '%1')").arg(on)});
        cloudexchange::TWebDbSqlDump dump;
        dump.DatabaseName = QStringLiteral("d");
        ASSERT_TRUE(dump.MakeDump());
        const QString accreg = section(session.dumpBytes(), QStringLiteral("DELETE FROM ACCREG;"),
                                       QStringLiteral("DELETE FROM ACCTOTALNAME;"));
        EXPECT_EQ(accreg.contains(QStringLiteral("'ＷＥＢ会議設定'")), on == 1) << on;
        EXPECT_EQ(accreg.count(QStringLiteral("INSERT INTO ACCREG VALUES('")), 26);
    }
}

TEST(WebDbSqlDump, FailuresAreShownAndLeaveNoTransactionOpen) {
    {
        // No database name: nothing happens.
        dumptest::DumpSession session(dumptest::fixtureCompany());
        cloudexchange::TWebDbSqlDump dump;
        EXPECT_FALSE(dump.MakeDump());
        EXPECT_FALSE(QFile::exists(session.dumpPath()));
    }
    {
        // A missing data template: the file ends after the table-create block.
        dumptest::DumpSession session(dumptest::fixtureCompany());
        cloudexchange::TWebDbSqlDump dump;
        dump.DatabaseName = QStringLiteral("d");
        dump.DataTemplate = session.folder() + QStringLiteral("/none.sql");
        EXPECT_FALSE(dump.MakeDump());
        ASSERT_EQ(session.messages.messages.size(), 1);
        EXPECT_TRUE(session.messages.messages[0].text.contains(QStringLiteral("SQLDumpファイルの作成に失敗しました。")));
        EXPECT_TRUE(session.dumpBytes().endsWith("--  Table Create\r\n-- ==============================================\r\n\r\n"));
        EXPECT_FALSE(session.dm.IBTransactionDAT.inTransaction());
    }
    {
        // A failing query (a table the company lacks) rolls back what the dump started; the
        // default rules committed before stay.
        dumptest::DumpSession session(dumptest::fixtureCompany());
        session.exec({QStringLiteral("DROP TABLE ZEBRIK_YOJITU_HYOKARULE")});
        cloudexchange::TWebDbSqlDump dump;
        dump.DatabaseName = QStringLiteral("d");
        EXPECT_FALSE(dump.MakeDump());
        EXPECT_EQ(session.messages.messages.size(), 1);
        EXPECT_FALSE(session.dm.IBTransactionDAT.inTransaction());
        core::TIBTransaction t;
        t.addDatabase(&session.dm.IBDatabaseDAT);
        t.startTransaction();
        core::TIBSQL q(&session.dm.IBDatabaseDAT, &t);
        q.sql() << QStringLiteral("SELECT COUNT(*) FROM DADUD_YOSAN_KIHONRULE");
        q.execQuery();
        EXPECT_EQ(q.fields(0).asInteger(), 6);
        q.close();
        t.rollback();
    }
    {
        // A dump file that cannot be created raises the in-use error.
        dumptest::DumpSession session(dumptest::fixtureCompany());
        cloudexchange::TWebDbSqlDump dump;
        dump.DatabaseName = QStringLiteral("d");
        QDir().mkpath(session.dumpPath()); // a folder where the file should go
        try {
            dump.MakeDump();
            ADD_FAILURE() << "no error";
        } catch (const core::Exception& e) {
            EXPECT_TRUE(e.message().endsWith(QStringLiteral("\r\n\"") + session.dumpPath() + QStringLiteral("\"が使用中です。")))
                << e.message().toStdString();
        }
    }
}

} // namespace
