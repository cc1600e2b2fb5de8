// The literal forms of the analysis-cloud dump, on values the engine itself produces.

#include "cloudexchange/analysis/WebDumpCatalogue.h"
#include "cloudexchange/analysis/WebDumpValues.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "platform/Cp932.h"
#include "tests/cloudexchange/analysis/DumpCompany.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>
#include <QSet>

namespace {

using cloudexchange::DumpValueKind;

TEST(WebDumpValues, EscapeSqlTextKeepsEveryValueInsideItsQuotesAndOnItsLine) {
    const QString so = platform::fromCp932(QByteArrayLiteral("\x83\x5C")); // ソ: trail byte 0x5C
    const struct {
        QString in;
        QString out;
    } cases[] = {
        {QStringLiteral("O'Brien\\x"), QStringLiteral("O\\'Brien\\\\x")},
        {so + QStringLiteral("フト"), so + QStringLiteral("フト")},
        {QStringLiteral("a\r\nb"), QStringLiteral("a\\r\\nb")},
        {QString(QChar(0)) + QStringLiteral("z") + QChar(0x1A), QStringLiteral("\\0z\\Z")},
        {QString(), QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cloudexchange::EscapeSqlText(c.in), c.out) << c.in.toStdString();
}

TEST(WebDumpValues, ColoursAndDatesTakeTheCloudForms) {
    EXPECT_EQ(cloudexchange::ColorToDumpRGB(255), QStringLiteral("16711680"));      // red
    EXPECT_EQ(cloudexchange::ColorToDumpRGB(16711680), QStringLiteral("255"));      // blue
    EXPECT_EQ(cloudexchange::ColorToDumpRGB(16777215), QStringLiteral("16777215")); // white
    EXPECT_EQ(cloudexchange::ColorToDumpRGB(0x00336699), QStringLiteral("%1").arg(0x996633));
    // A system colour reference (button face) takes the colour the palette gives it.
    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    EXPECT_EQ(cloudexchange::ColorToDumpRGB(qint32(0x8000000F)),
              QString::number(face.red() * 65536 + face.green() * 256 + face.blue()));

    const QDateTime t(QDate(2024, 5, 31), QTime(14, 3, 9));
    EXPECT_EQ(cloudexchange::FormatDumpDate(DumpValueKind::DateTime, t), QStringLiteral("'2024-05-31 14:03:09'"));
    EXPECT_EQ(cloudexchange::FormatDumpDate(DumpValueKind::Date, t), QStringLiteral("'2024-05-31'"));
    EXPECT_EQ(cloudexchange::FormatDumpDate(DumpValueKind::Plain, t), QStringLiteral("'0000-00-00'"));
    EXPECT_EQ(cloudexchange::FormatDumpDate(DumpValueKind::DateTime, QDateTime(QDate(1899, 12, 30), QTime(0, 0))),
              QStringLiteral("'1970-01-02 00:00:00'"));
    EXPECT_EQ(cloudexchange::FormatDumpDate(DumpValueKind::DateTime, QDateTime(QDate(2040, 5, 1), QTime(0, 0))),
              QStringLiteral("'2038-01-01 00:00:00'"));
}

// Every value kind on a column of the engine: SELECT <expression> FROM RDB$DATABASE.
TEST(WebDumpValues, ColumnsBecomeLiteralsOfTheirKind) {
    dumptest::DumpSession session(dumptest::fixtureCompany());
    const QString longName = QStringLiteral("あいうえおかきくけこさ"); // 22 bytes
    const QString cutAtHalf = QStringLiteral("abcdefghijklmnopqrsあ"); // byte 20 is the first half of あ
    const struct {
        QString expression;
        DumpValueKind kind;
        int bytes;
        QString literal;
    } cases[] = {
        {QStringLiteral("CAST(NULL AS VARCHAR(10))"), DumpValueKind::Text, 0, QStringLiteral("null")},
        {QStringLiteral("CAST(NULL AS VARCHAR(10))"), DumpValueKind::Quoted, 0, QStringLiteral("''")},
        {QStringLiteral("CAST(NULL AS INTEGER)"), DumpValueKind::Plain, 0, QStringLiteral("null")},
        {QStringLiteral("CAST(NULL AS INTEGER)"), DumpValueKind::Integer, 0, QStringLiteral("null")},
        {QStringLiteral("CAST(NULL AS TIMESTAMP)"), DumpValueKind::DateTime, 0, QStringLiteral("'0000-00-00 00:00:00'")},
        {QStringLiteral("CAST('O''Brien\\x' AS VARCHAR(20))"), DumpValueKind::Text, 0, QStringLiteral("'O\\'Brien\\\\x'")},
        {QStringLiteral("CAST('O''Brien' AS VARCHAR(20))"), DumpValueKind::Quoted, 0, QStringLiteral("'O\\'Brien'")},
        {QStringLiteral("CAST('%1' AS VARCHAR(30))").arg(longName), DumpValueKind::Text, 20,
         QStringLiteral("'あいうえおかきくけこ'")},
        {QStringLiteral("CAST('%1' AS VARCHAR(30))").arg(cutAtHalf), DumpValueKind::Text, 20,
         QStringLiteral("'abcdefghijklmnopqrs'")},
        {QStringLiteral("CAST('1899-12-30' AS DATE)"), DumpValueKind::DateTime, 0, QStringLiteral("'1970-01-02 00:00:00'")},
        {QStringLiteral("CAST('1970-01-01 10:00:00' AS TIMESTAMP)"), DumpValueKind::DateTime, 0,
         QStringLiteral("'1970/01/01 10:00:00'")},
        {QStringLiteral("CAST('2040-05-01' AS TIMESTAMP)"), DumpValueKind::DateTime, 0,
         QStringLiteral("'2038-01-01 00:00:00'")},
        {QStringLiteral("CAST('2023-04-01 00:00:00' AS TIMESTAMP)"), DumpValueKind::DateTime, 0,
         QStringLiteral("'2023/04/01'")},
        {QStringLiteral("CAST('2023-04-01' AS DATE)"), DumpValueKind::Quoted, 0, QStringLiteral("'2023/04/01'")},
        {QStringLiteral("CAST(1234.5000 AS NUMERIC(16,4))"), DumpValueKind::Currency, 0, QStringLiteral("1234.5")},
        {QStringLiteral("CAST(0.1 AS FLOAT)"), DumpValueKind::Float, 0, QStringLiteral("0.1")},
        {QStringLiteral("CAST(100.0 AS DOUBLE PRECISION)"), DumpValueKind::Double, 0, QStringLiteral("100")},
        {QStringLiteral("CAST(-7 AS INTEGER)"), DumpValueKind::Plain, 0, QStringLiteral("-7")},
        {QStringLiteral("CAST(255 AS INTEGER)"), DumpValueKind::Colour, 0, QStringLiteral("16711680")},
        {QStringLiteral("CAST(' 42 ' AS VARCHAR(8))"), DumpValueKind::IntegerText, 0, QStringLiteral("42")},
        {QStringLiteral("CAST('x' AS VARCHAR(8))"), DumpValueKind::IntegerText, 0, QStringLiteral("0")},
    };
    core::TIBTransaction t;
    t.addDatabase(&session.dm.IBDatabaseDAT);
    t.startTransaction();
    core::TIBSQL q(&session.dm.IBDatabaseDAT, &t);
    for (const auto& c : cases) {
        q.close();
        q.sql() = QStringList{QStringLiteral("SELECT %1 AS V FROM RDB$DATABASE").arg(c.expression)};
        q.execQuery();
        EXPECT_EQ(cloudexchange::FormatDumpValue(q.fields(0), c.kind, c.bytes), c.literal) << c.expression.toStdString();
    }
    // The chart types of the cloud: 1..6 → 0, 2, 3, 3, 2, 0.
    const QString expected[] = {QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("3"),
                                QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("0")};
    for (int type = 1; type <= 6; ++type) {
        q.close();
        q.sql() = QStringList{QStringLiteral("SELECT CAST(%1 AS INTEGER) AS V FROM RDB$DATABASE").arg(type)};
        q.execQuery();
        EXPECT_EQ(cloudexchange::FormatDumpValue(q.fields(0), DumpValueKind::ChartType, 0), expected[type - 1]);
    }
    q.close();
    t.rollback();
}

TEST(WebDumpCatalogue, FortySixSectionsWhoseQueriesRunOnTheCompanySchema) {
    const auto& sections = cloudexchange::dumpSections();
    ASSERT_EQ(sections.size(), 46u);
    EXPECT_EQ(cloudexchange::parseDumpValues(cloudexchange::kJournalValues).size(), 68u);
    QSet<QString> names;
    for (const auto& s : sections)
        names.insert(QString::fromUtf8(s.table));
    EXPECT_EQ(names.size(), 46);

    dumptest::DumpSession session(dumptest::fixtureCompany());
    core::TIBTransaction t;
    t.addDatabase(&session.dm.IBDatabaseDAT);
    t.startTransaction();
    core::TIBSQL q(&session.dm.IBDatabaseDAT, &t);
    for (const auto& s : sections) {
        if (s.special == cloudexchange::DumpSpecial::AccVersion || s.special == cloudexchange::DumpSpecial::KihonRule)
            continue;
        for (const bool medical : {false, true})
            for (const bool from802 : {false, true}) {
                q.close();
                q.sql() = QStringList{cloudexchange::sectionQuery(s, medical, from802)};
                if (q.paramCount() > 0)
                    q.paramByName(QStringLiteral("LEVELNO")).setInteger(200);
                EXPECT_NO_THROW(q.execQuery()) << s.table;
                int reads = 0;
                for (const auto& v : cloudexchange::parseDumpValues(s.values))
                    reads += v.readsColumn() ? 1 : 0;
                EXPECT_EQ(q.fieldCount(), reads) << s.table;
            }
    }
    q.close();
    t.rollback();
}

} // namespace
