#include "DbFixture.h"

#include "core/db/FbStatus.h"
#include "platform/Cp932.h"

#include <functional>

using core::Currency;
using core::EIBError;
using core::IBSQLParam;
using core::TIBSQL;
using core::TIBTransaction;
using dbtest::Engine;

namespace {

// ｷｬﾝｾﾙ (half-width), ～ 0x8160, ソ 0x835C and 表 0x955C (trail byte "\").
const QString japanese = QStringLiteral("ｷｬﾝｾﾙ～ソ表");
const QByteArray japaneseBytes = QByteArray::fromHex("b7acddbed98160835c955c");

} // namespace

class IBSQLTest : public dbtest::DbFixture {
protected:
    void SetUp() override {
        DbFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        db_ = create();
        run(*db_, {QStringLiteral("CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(40), CODE CHAR(6), "
                                  "AMOUNT NUMERIC(16,4), QTY INTEGER, BIG BIGINT, RATE DOUBLE PRECISION, D DATE, "
                                  "TS TIMESTAMP, TM TIME, FLAG BOOLEAN, MEMO BLOB SUB_TYPE 1, DATA BLOB SUB_TYPE 0)")});
        t_.addDatabase(db_.get());
        t_.startTransaction();
    }

    // INSERT of one column (besides ID) with the value the setter gives.
    void insert(int id, const QString& column, const std::function<void(IBSQLParam&)>& set) {
        TIBSQL q(db_.get(), &t_);
        q.sql().append(QStringLiteral("INSERT INTO T (ID, %1)").arg(column));
        q.sql().append(QStringLiteral("VALUES (:ID, :VALUE)"));
        q.paramByName(QStringLiteral("ID")).setInteger(id);
        set(q.paramByName(QStringLiteral("VALUE")));
        q.execSQL();
    }

    int rowCount() { return scalar(*db_, QStringLiteral("SELECT COUNT(*) FROM T")).toInt(); }

    std::unique_ptr<core::TIBDatabase> db_;
    TIBTransaction t_;
};

TEST_P(IBSQLTest, ValuesRoundTripThroughTheirColumns) {
    const QDateTime stamp(QDate(2024, 3, 31), QTime(23, 59, 58, 123));
    {
        TIBSQL q(db_.get(), &t_);
        q.sql().append(QStringLiteral("INSERT INTO T (ID, NAME, CODE, AMOUNT, QTY, BIG, RATE, D, TS, TM, FLAG)"));
        q.sql().append(QStringLiteral("VALUES (:ID, :NAME, :CODE, :AMOUNT, :QTY, :BIG, :RATE, :D, :TS, :TM, :FLAG)"));
        q.paramByName(QStringLiteral("ID")).setInteger(1);
        q.paramByName(QStringLiteral("NAME")).setString(japanese);
        q.paramByName(QStringLiteral("CODE")).setString(QStringLiteral("ソ表"));
        q.paramByName(QStringLiteral("AMOUNT")).setCurrency(Currency::fromRaw(123456789012345));
        q.paramByName(QStringLiteral("QTY")).setInteger(-2147483647 - 1);
        q.paramByName(QStringLiteral("BIG")).setInt64(9007199254740993); // not exact as a double
        q.paramByName(QStringLiteral("RATE")).setDouble(0.1);
        q.paramByName(QStringLiteral("D")).setDate(QDate(2024, 2, 29));
        q.paramByName(QStringLiteral("TS")).setDateTime(stamp);
        q.paramByName(QStringLiteral("TM")).setTime(QTime(12, 34, 56, 789));
        q.paramByName(QStringLiteral("FLAG")).setBoolean(true);
        q.execSQL();
        EXPECT_EQ(q.rowsAffected(), 1);
    }
    t_.commit();
    t_.startTransaction();

    TIBSQL q(db_.get(), &t_);
    q.sql().append(QStringLiteral("SELECT * FROM T"));
    q.execQuery();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.fieldByName(QStringLiteral("NAME")).asString(), japanese);
    // CHAR(6) in SJIS_0208 comes back padded with blanks to 12 bytes.
    EXPECT_EQ(q.fieldByName(QStringLiteral("CODE")).asString(), QStringLiteral("ソ表") + QString(8, QLatin1Char(' ')));
    EXPECT_EQ(q.fieldByName(QStringLiteral("AMOUNT")).asCurrency(), Currency::fromRaw(123456789012345));
    EXPECT_EQ(q.fieldByName(QStringLiteral("AMOUNT")).asString(), QStringLiteral("12345678901.2345"));
    EXPECT_DOUBLE_EQ(q.fieldByName(QStringLiteral("AMOUNT")).asDouble(), 12345678901.2345);
    EXPECT_EQ(q.fieldByName(QStringLiteral("AMOUNT")).asInt64(), 12345678901);
    EXPECT_EQ(q.fieldByName(QStringLiteral("QTY")).asInteger(), -2147483647 - 1);
    EXPECT_EQ(q.fieldByName(QStringLiteral("QTY")).asCurrency(), Currency::fromInt(-2147483648LL));
    EXPECT_EQ(q.fieldByName(QStringLiteral("BIG")).asInt64(), 9007199254740993);
    EXPECT_THROW(q.fieldByName(QStringLiteral("BIG")).asInteger(), EIBError);
    EXPECT_EQ(q.fieldByName(QStringLiteral("RATE")).asDouble(), 0.1);
    EXPECT_EQ(q.fieldByName(QStringLiteral("RATE")).asCurrency(), Currency::fromRaw(1000));
    EXPECT_EQ(q.fieldByName(QStringLiteral("D")).asDate(), QDate(2024, 2, 29));
    EXPECT_EQ(q.fieldByName(QStringLiteral("D")).asString(), QStringLiteral("2024/02/29"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("TS")).asDateTime(), stamp);
    EXPECT_EQ(q.fieldByName(QStringLiteral("TS")).asDate(), QDate(2024, 3, 31));
    EXPECT_EQ(q.fieldByName(QStringLiteral("TM")).asTime(), QTime(12, 34, 56, 789));
    EXPECT_TRUE(q.fieldByName(QStringLiteral("FLAG")).asBoolean());
    q.next();
    EXPECT_TRUE(q.eof());
}

TEST_P(IBSQLTest, NullsReadAsEmptyZeroAndInvalid) {
    insert(1, QStringLiteral("NAME"), [](IBSQLParam& p) { p.setString(QStringLiteral("x")); });
    TIBSQL q(db_.get(), &t_);
    q.sql().append(QStringLiteral("SELECT CODE, AMOUNT, QTY, RATE, D, TS, FLAG, MEMO, DATA FROM T"));
    q.execQuery();
    ASSERT_FALSE(q.eof());
    for (int i = 0; i < q.fieldCount(); ++i) {
        const core::IBSQLField& f = q.fields(i);
        EXPECT_TRUE(f.isNull()) << f.name().toStdString();
        EXPECT_EQ(f.asString(), QString()) << f.name().toStdString();
        EXPECT_EQ(f.asBytes(), QByteArray()) << f.name().toStdString();
    }
    EXPECT_EQ(q.fieldByName(QStringLiteral("AMOUNT")).asCurrency(), Currency{});
    EXPECT_EQ(q.fieldByName(QStringLiteral("QTY")).asInteger(), 0);
    EXPECT_EQ(q.fieldByName(QStringLiteral("RATE")).asDouble(), 0.0);
    EXPECT_FALSE(q.fieldByName(QStringLiteral("D")).asDate().isValid());
    EXPECT_FALSE(q.fieldByName(QStringLiteral("TS")).asDateTime().isValid());
    EXPECT_FALSE(q.fieldByName(QStringLiteral("FLAG")).asBoolean());

    // A parameter set to NULL (or cleared) writes NULL.
    insert(2, QStringLiteral("NAME"), [](IBSQLParam& p) { p.setString(QStringLiteral("x")); p.clear(); });
    insert(3, QStringLiteral("D"), [](IBSQLParam& p) { p.setDate(QDate()); });
    TIBSQL nulls(db_.get(), &t_);
    nulls.sql().append(QStringLiteral("SELECT COUNT(*) AS N FROM T WHERE NAME IS NULL AND D IS NULL"));
    nulls.execQuery();
    EXPECT_EQ(nulls.fieldByName(QStringLiteral("N")).asInteger(), 2);
}

TEST_P(IBSQLTest, CurrencyPassesNumericExactly) {
    const qint64 raws[] = {123456789012345, -1, 0, 1, 999999999999999999, -999999999999999999};
    int id = 0;
    for (qint64 raw : raws)
        insert(++id, QStringLiteral("AMOUNT"), [&](IBSQLParam& p) { p.setCurrency(Currency::fromRaw(raw)); });

    TIBSQL q(db_.get(), &t_);
    q.sql().append(QStringLiteral("SELECT AMOUNT, CAST(AMOUNT AS VARCHAR(30)) AS TEXT FROM T ORDER BY ID"));
    q.execQuery();
    for (qint64 raw : raws) {
        ASSERT_FALSE(q.eof());
        const Currency c = Currency::fromRaw(raw);
        EXPECT_EQ(q.fieldByName(QStringLiteral("AMOUNT")).asCurrency(), c);
        EXPECT_EQ(q.fieldByName(QStringLiteral("TEXT")).asCurrency(), c);
        EXPECT_EQ(q.fieldByName(QStringLiteral("AMOUNT")).asString(), c.toString());
        q.next();
    }
    EXPECT_TRUE(q.eof());
}

TEST_P(IBSQLTest, ServerConvertsParamValuesToColumnTypes) {
    const struct {
        const char* column;
        std::function<void(IBSQLParam&)> set;
        const char* stored; // CAST(column AS VARCHAR) on the server
    } cases[] = {
        {"QTY", [](IBSQLParam& p) { p.setString(QStringLiteral("42")); }, "42"},
        {"QTY", [](IBSQLParam& p) { p.setCurrency(Currency::fromInt(7)); }, "7"},
        {"AMOUNT", [](IBSQLParam& p) { p.setString(QStringLiteral("-12.5")); }, "-12.5000"},
        {"AMOUNT", [](IBSQLParam& p) { p.setInteger(3); }, "3.0000"},
        {"AMOUNT", [](IBSQLParam& p) { p.setDouble(0.25); }, "0.2500"},
        {"NAME", [](IBSQLParam& p) { p.setInteger(-7); }, "-7"},
        {"NAME", [](IBSQLParam& p) { p.setCurrency(Currency::fromRaw(15000)); }, "1.5000"},
        {"D", [](IBSQLParam& p) { p.setString(QStringLiteral("2024-01-02")); }, "2024-01-02"},
        {"D", [](IBSQLParam& p) { p.setDateTime(QDateTime(QDate(2023, 12, 31), QTime(10, 0))); }, "2023-12-31"},
        {"TS", [](IBSQLParam& p) { p.setDate(QDate(2020, 5, 6)); }, "2020-05-06 00:00:00.0000"},
        {"FLAG", [](IBSQLParam& p) { p.setString(QStringLiteral("true")); }, "TRUE"},
        {"MEMO", [](IBSQLParam& p) { p.setString(japanese); }, "ｷｬﾝｾﾙ～ソ表"},
    };
    int id = 0;
    for (const auto& c : cases) {
        const QString column = QString::fromLatin1(c.column);
        insert(++id, column, c.set);
        TIBSQL q(db_.get(), &t_);
        q.sql().append(QStringLiteral("SELECT CAST(%1 AS VARCHAR(40)) AS V FROM T WHERE ID = :ID").arg(column));
        q.paramByName(QStringLiteral("ID")).setInteger(id);
        q.execQuery();
        EXPECT_EQ(q.fieldByName(QStringLiteral("V")).asString(), QString::fromUtf8(c.stored)) << c.column << " #" << id;
    }
}

TEST_P(IBSQLTest, JapaneseTextIsStoredByteExact) {
    insert(1, QStringLiteral("NAME"), [](IBSQLParam& p) { p.setString(japanese); });
    TIBSQL q(db_.get(), &t_);
    q.sql().append(QStringLiteral("SELECT CAST(NAME AS VARCHAR(40) CHARACTER SET OCTETS) AS RAW,"));
    q.sql().append(QStringLiteral("  CHAR_LENGTH(NAME) AS CHARS, NAME FROM T WHERE NAME = :NAME"));
    q.paramByName(QStringLiteral("NAME")).setString(japanese);
    q.execQuery();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.fieldByName(QStringLiteral("RAW")).asBytes().toHex(), japaneseBytes.toHex());
    EXPECT_EQ(q.fieldByName(QStringLiteral("CHARS")).asInteger(), 8);
    EXPECT_EQ(q.fieldByName(QStringLiteral("NAME")).asString(), japanese);
}

TEST_P(IBSQLTest, BlobsRoundTrip) {
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += japanese + QStringLiteral("\\改行\r\n");
    QByteArray bytes;
    for (int i = 0; i < 200000; ++i)
        bytes.append(char((i * 7) % 256));

    {
        TIBSQL q(db_.get(), &t_);
        q.sql().append(QStringLiteral("INSERT INTO T (ID, MEMO, DATA) VALUES (:ID, :MEMO, :DATA)"));
        q.paramByName(QStringLiteral("ID")).setInteger(1);
        q.paramByName(QStringLiteral("MEMO")).setBlobText(text);
        q.paramByName(QStringLiteral("DATA")).setBlob(bytes);
        q.execSQL();
        q.paramByName(QStringLiteral("ID")).setInteger(2);
        q.paramByName(QStringLiteral("MEMO")).setBlobText(QString());
        q.paramByName(QStringLiteral("DATA")).setBlob(QByteArray("\0", 1));
        q.execSQL();
    }
    t_.commit();
    t_.startTransaction();

    TIBSQL q(db_.get(), &t_);
    q.sql().append(QStringLiteral("SELECT MEMO, DATA, OCTET_LENGTH(DATA) AS SIZE FROM T ORDER BY ID"));
    q.execQuery();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.fieldByName(QStringLiteral("MEMO")).asString(), text);
    EXPECT_EQ(q.fieldByName(QStringLiteral("MEMO")).asBytes(), platform::toCp932(text));
    EXPECT_EQ(q.fieldByName(QStringLiteral("DATA")).asBytes(), bytes);
    EXPECT_EQ(q.fieldByName(QStringLiteral("SIZE")).asInteger(), 200000);
    q.next();
    ASSERT_FALSE(q.eof());
    EXPECT_FALSE(q.fieldByName(QStringLiteral("MEMO")).isNull());
    EXPECT_EQ(q.fieldByName(QStringLiteral("MEMO")).asString(), QString());
    EXPECT_EQ(q.fieldByName(QStringLiteral("DATA")).asBytes(), QByteArray("\0", 1));
}

TEST_P(IBSQLTest, RefusesCharactersTheDatabaseCannotHoldAndWritesNothing) {
    const char* const refused[] = {"①", "㈱", "髙", "𠀋"};
    auto expectRefused = [](const QString& character, const std::function<void()>& action) {
        try {
            action();
            ADD_FAILURE() << character.toStdString() << " was accepted";
        } catch (const EIBError& e) {
            EXPECT_EQ(e.ibErrorCode(), core::isc::transliteration_failed);
            EXPECT_TRUE(e.message().contains(QStringLiteral("「") + character + QStringLiteral("」"))) << e.what();
        }
    };
    for (const char* character : refused) {
        const QString c = QString::fromUtf8(character);
        const QString value = QStringLiteral("株式会社") + c;
        expectRefused(c, [&] { insert(1, QStringLiteral("NAME"), [&](IBSQLParam& p) { p.setString(value); }); });
        expectRefused(c, [&] { insert(1, QStringLiteral("MEMO"), [&](IBSQLParam& p) { p.setBlobText(value); }); });
        expectRefused(c, [&] {
            TIBSQL q(db_.get(), &t_);
            q.sql().append(QStringLiteral("INSERT INTO T (ID, NAME) VALUES (1, '%1')").arg(value));
            q.execSQL();
        });
    }
    t_.commit();
    EXPECT_EQ(rowCount(), 0);
}

// A text longer than its column is refused, never cut to fit. The engine measures an SJIS_0208
// column in bytes (two per declared character), so 40 kanji fill VARCHAR(40) and a 41st is too many.
TEST_P(IBSQLTest, TextLongerThanItsColumnIsRefusedNotCut) {
    const QChar kanji(0x6F22);
    insert(1, QStringLiteral("NAME"), [&](IBSQLParam& p) { p.setString(QString(40, kanji)); });
    try {
        insert(2, QStringLiteral("NAME"), [&](IBSQLParam& p) { p.setString(QString(41, kanji)); });
        ADD_FAILURE() << "41 kanji were accepted";
    } catch (const EIBError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("string right truncation"))) << e.what();
    }
    t_.commit();
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(scalar(*db_, QStringLiteral("SELECT NAME FROM T")), QString(40, kanji));
}

TEST_P(IBSQLTest, PreparesOnceAndExecutesManyTimes) {
    TIBSQL insert(db_.get(), &t_);
    insert.sql().append(QStringLiteral("INSERT INTO T (ID, NAME) VALUES (:ID, :NAME)"));
    insert.prepare();
    Firebird::IStatement* const handle = insert.handle();
    for (int id = 1; id <= 50; ++id) {
        insert.paramByName(QStringLiteral("id")).setInteger(id);
        insert.paramByName(QStringLiteral("name")).setString(QStringLiteral("表%1").arg(id));
        insert.execSQL();
        ASSERT_EQ(insert.handle(), handle);
    }

    TIBSQL select(db_.get(), &t_);
    select.sql().append(QStringLiteral("SELECT NAME FROM T WHERE ID >= :FROM_ID ORDER BY ID"));
    select.prepare();
    Firebird::IStatement* const selectHandle = select.handle();
    for (int from : {50, 1, 51}) {
        select.paramByName(QStringLiteral("FROM_ID")).setInteger(from); // re-executes while a cursor is open
        select.execQuery();
        EXPECT_EQ(select.handle(), selectHandle);
        int rows = 0;
        for (; !select.eof(); select.next(), ++rows)
            EXPECT_EQ(select.fieldByName(QStringLiteral("NAME")).asString(), QStringLiteral("表%1").arg(from + rows));
        EXPECT_EQ(rows, std::max(0, 51 - from));
    }

    // New text: prepared anew, with parameters of its own.
    select.sql().clear();
    select.sql().append(QStringLiteral("SELECT COUNT(*) AS N FROM T WHERE ID < :LIMIT"));
    EXPECT_THROW(select.paramByName(QStringLiteral("FROM_ID")), EIBError);
    select.paramByName(QStringLiteral("LIMIT")).setInteger(11);
    select.execQuery();
    EXPECT_FALSE(select.handle() == nullptr);
    EXPECT_EQ(select.fieldByName(QStringLiteral("N")).asInteger(), 10);
}

TEST_P(IBSQLTest, ANameUsedTwiceBindsEveryUse) {
    TIBSQL q(db_.get(), &t_);
    q.sql().append(QStringLiteral("INSERT INTO T (ID, NAME, MEMO, QTY) VALUES (:ID, :TEXT, :Text, :ID * 10)"));
    q.paramByName(QStringLiteral("ID")).setInteger(3);
    q.paramByName(QStringLiteral("text")).setString(QStringLiteral("ソ"));
    q.execSQL();
    t_.commit();
    EXPECT_EQ(scalar(*db_, QStringLiteral("SELECT NAME || MEMO || QTY FROM T WHERE ID = 3")), QStringLiteral("ソソ30"));
}

TEST_P(IBSQLTest, ProcedureBodyPassesUntouchedWithParamCheckOff) {
    TIBSQL ddl(db_.get(), &t_);
    ddl.setParamCheck(false);
    ddl.sql() << QStringLiteral("CREATE PROCEDURE ADD_TAX (AMOUNT NUMERIC(16,4), LABEL VARCHAR(10))")
              << QStringLiteral("RETURNS (TOTAL NUMERIC(16,4), TEXT VARCHAR(20)) AS")
              << QStringLiteral("DECLARE VARIABLE RATE NUMERIC(16,4) = 0.1;")
              << QStringLiteral("BEGIN")
              << QStringLiteral("  TOTAL = :AMOUNT + :AMOUNT * :RATE; -- :NOT_A_PARAM")
              << QStringLiteral("  TEXT = :LABEL || '表';")
              << QStringLiteral("END");
    ddl.execSQL();
    ddl.sql().clear();
    ddl.sql() << QStringLiteral("CREATE PROCEDURE COUNT_UP (N INTEGER) RETURNS (I INTEGER) AS")
              << QStringLiteral("BEGIN I = 1; WHILE (:I <= :N) DO BEGIN SUSPEND; I = :I + 1; END END");
    ddl.execSQL();
    t_.commit();
    t_.startTransaction();

    TIBSQL call(db_.get(), &t_);
    call.sql().append(QStringLiteral("EXECUTE PROCEDURE ADD_TAX(:AMOUNT, :LABEL)"));
    call.paramByName(QStringLiteral("AMOUNT")).setCurrency(Currency::fromRaw(12345));
    call.paramByName(QStringLiteral("LABEL")).setString(QStringLiteral("ソ"));
    call.execSQL();
    EXPECT_EQ(call.fieldByName(QStringLiteral("TOTAL")).asCurrency(), Currency::fromRaw(13580)); // 1.2345 + 0.12345, rounded
    EXPECT_EQ(call.fieldByName(QStringLiteral("TEXT")).asString(), QStringLiteral("ソ表"));

    TIBSQL rows(db_.get(), &t_);
    rows.sql().append(QStringLiteral("SELECT I FROM COUNT_UP(:N)"));
    rows.paramByName(QStringLiteral("N")).setInteger(3);
    rows.execQuery();
    QList<int> seen;
    for (; !rows.eof(); rows.next())
        seen << rows.fieldByName(QStringLiteral("I")).asInteger();
    EXPECT_EQ(seen, QList<int>({1, 2, 3}));

    // With the check off, "?" markers are reached by position.
    TIBSQL positional(db_.get(), &t_);
    positional.setParamCheck(false);
    positional.sql().append(QStringLiteral("SELECT MAX(I) FROM COUNT_UP(?)"));
    ASSERT_EQ(positional.paramCount(), 1);
    positional.params(0).setInteger(10);
    positional.execQuery();
    EXPECT_EQ(positional.fields(0).asInteger(), 10);
}

TEST_P(IBSQLTest, FieldsAndParamsByNameIgnoreCase) {
    insert(1, QStringLiteral("NAME"), [](IBSQLParam& p) { p.setString(QStringLiteral("a")); });
    TIBSQL q(db_.get(), &t_);
    q.sql().append(QStringLiteral("SELECT ID, NAME AS \"Label\" FROM T WHERE ID = :Id"));
    q.paramByName(QStringLiteral("iD")).setInteger(1);
    q.execQuery();
    EXPECT_EQ(q.fieldCount(), 2);
    EXPECT_EQ(q.fields(1).name(), QStringLiteral("Label"));
    EXPECT_TRUE(q.fieldExists(QStringLiteral("id")));
    EXPECT_TRUE(q.fieldExists(QStringLiteral("LABEL")));
    EXPECT_FALSE(q.fieldExists(QStringLiteral("NAME")));
    EXPECT_EQ(q.fieldByName(QStringLiteral("label")).asString(), QStringLiteral("a"));
    for (const auto& lookup : std::initializer_list<std::function<void()>>{
             [&] { q.fieldByName(QStringLiteral("NAME")); }, [&] { q.paramByName(QStringLiteral("NAME")); },
             [&] { q.fields(2); }}) {
        try {
            lookup();
            ADD_FAILURE() << "unknown name accepted";
        } catch (const EIBError& e) {
            EXPECT_EQ(e.ibErrorCode(), core::isc::dsql_field_err);
        }
    }
}

// A reader keeps the field it found across rows and runs; the same text built anew keeps the
// statement prepared, a line changed in place prepares it anew.
TEST_P(IBSQLTest, FieldFoundOnceFollowsRowsWhileTheTextStays) {
    for (int id = 1; id <= 3; ++id)
        insert(id, QStringLiteral("NAME"), [&](IBSQLParam& p) { p.setString(QStringLiteral("表%1").arg(id)); });
    TIBSQL q(db_.get(), &t_);
    const QStringList text = {QStringLiteral("SELECT ID AS \"x\", NAME AS \"X\", QTY AS \"Ｘ\""),
                              QStringLiteral("FROM T WHERE ID >= :FROM_ID ORDER BY ID")};
    q.sql() = text;
    q.paramByName(QStringLiteral("FROM_ID")).setInteger(1);
    q.execQuery();
    Firebird::IStatement* const handle = q.handle();
    const core::IBSQLField& first = q.fieldByName(QStringLiteral("  X "));
    EXPECT_EQ(&first, &q.fields(0)); // the first of names equal but for case
    EXPECT_EQ(&q.fieldByName(QStringLiteral("X")), &first);
    EXPECT_EQ(&q.fieldByName(QStringLiteral("ｘ")), &q.fields(2));
    for (int from : {2, 1}) {
        q.sql() = QStringList{text[0]} << text[1]; // built anew, the same text
        q.paramByName(QStringLiteral("FROM_ID")).setInteger(from);
        q.execQuery();
        EXPECT_EQ(q.handle(), handle);
        QList<int> ids;
        for (; !q.eof(); q.next())
            ids << first.asInteger();
        EXPECT_EQ(ids.size(), 4 - from);
        EXPECT_EQ(ids.front(), from);
    }
    q.sql()[1] = QStringLiteral("FROM T WHERE ID < :FROM_ID ORDER BY ID");
    q.paramByName(QStringLiteral("FROM_ID")).setInteger(3);
    q.execQuery();
    EXPECT_EQ(q.fieldByName(QStringLiteral("x")).asInteger(), 1);
    try {
        q.fieldByName(QStringLiteral("NAME"));
        ADD_FAILURE() << "unknown name accepted";
    } catch (const EIBError& e) {
        EXPECT_EQ(e.ibErrorCode(), core::isc::dsql_field_err);
        EXPECT_EQ(e.message(), QStringLiteral("フィールド「NAME」がありません。"));
    }
}

TEST_P(IBSQLTest, RowsAffectedCountsChangedRows) {
    for (int id = 1; id <= 3; ++id)
        insert(id, QStringLiteral("QTY"), [&](IBSQLParam& p) { p.setInteger(id); });
    TIBSQL q(db_.get(), &t_);
    q.sql().append(QStringLiteral("UPDATE T SET QTY = QTY + 1 WHERE ID > :ID"));
    q.paramByName(QStringLiteral("ID")).setInteger(1);
    q.execSQL();
    EXPECT_EQ(q.rowsAffected(), 2);
    q.paramByName(QStringLiteral("ID")).setInteger(5);
    q.execSQL();
    EXPECT_EQ(q.rowsAffected(), 0);
}

TEST_P(IBSQLTest, StatementsNeedAnActiveTransaction) {
    TIBTransaction idle;
    idle.addDatabase(db_.get());
    TIBSQL q(nullptr, &idle); // the database comes from the transaction
    q.sql().append(QStringLiteral("SELECT 1 FROM RDB$DATABASE"));
    try {
        q.execQuery();
        FAIL() << "ran without a transaction";
    } catch (const EIBError& e) {
        EXPECT_EQ(e.ibErrorCode(), core::isc::bad_trans_handle);
    }
    idle.startTransaction();
    q.execQuery();
    EXPECT_EQ(q.fields(0).asInteger(), 1);
    idle.commit(); // closes the cursor
    EXPECT_TRUE(q.eof());
    EXPECT_THROW(q.execQuery(), EIBError);
}

INSTANTIATE_TEST_SUITE_P(Engines, IBSQLTest, testing::Values(Engine::Embedded, Engine::Server), dbtest::engineName);
