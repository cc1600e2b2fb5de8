// Loading code-system files into USERCODE of a system database made by the schema scripts,
// and the repair of older rows' data type and code type.
#include "SysDefTestSupport.h"

#include "companydata/CodeTaikeiIO.h"
#include "core/Exception.h"
#include "platform/Cp932.h"

#include <QFile>

namespace {

using sysdeftest::SysDefFixture;

class CodeTaikeiTest : public SysDefFixture {
protected:
    void SetUp() override {
        SysDefFixture::SetUp();
        if (HasFatalFailure())
            return;
        core::AppInfo = core::DefaultAppInfo();
        execSystem({QStringLiteral("DELETE FROM USERCODE"),
                    QStringLiteral("INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE) VALUES (5, 'old', 9, 9)")});
    }

    // Writes the lines as a CP932 file with CR LF and returns its path.
    QString writeFile(const QStringList& lines) {
        const QString path = work.filePath(QStringLiteral("code.csv"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (const QString& line : lines)
            f.write(platform::toCp932(line) + "\r\n");
        return path;
    }

    // The BLOB of the row as stored, on a connection of its own.
    QByteArray storedBlob(int recNo, const QString& column) {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, systemFile());
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << QStringLiteral("SELECT %1 FROM USERCODE WHERE RECNO=%2").arg(column).arg(recNo);
        q.execQuery();
        return q.eof() ? QByteArray("<no row>") : q.fields(0).asBytes();
    }
    QString storedRow(int recNo) {
        return stored(QStringLiteral("SELECT NAME || '/' || DATATYPE || '/' || CODETYPE FROM USERCODE WHERE RECNO=%1")
                          .arg(recNo));
    }

    // Inserts a row carrying 1/1 with the header line's bytes in INIDAT1 (NULL for no header).
    void insertOldRow(int recNo, const QByteArray* header) {
        core::TransactionScope scope(dm.IBTransactionDEF);
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        q.sql() << QStringLiteral("INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE, INIDAT1) "
                                  "VALUES (:RECNO, 'x', 1, 1, :INIDAT1)");
        q.paramByName(QStringLiteral("RECNO")).setInteger(recNo);
        if (header)
            q.paramByName(QStringLiteral("INIDAT1")).setBlob(*header);
        else
            q.paramByName(QStringLiteral("INIDAT1")).setNull();
        q.execSQL();
        scope.commit();
    }
};

TEST_F(CodeTaikeiTest, LoadsTheLinesOfEachKindAsCp932BytesWithCrLf) {
    // "ソ" and "表" have the trail byte 0x5C; half-width kana are single bytes.
    const QStringList lines = {
        QStringLiteral("1,\"法人 標準\",1,2,ｺｰﾄﾞ"), QStringLiteral("2,ソフト表,100"),
        QStringLiteral("9,ignored"),                 QStringLiteral("21,\"現金, 預金\""),
        QStringLiteral("3,売上高"),                  QStringLiteral("abc,no kind"),
        QStringLiteral("22,last"),                   QStringLiteral("31,x"),
        QStringLiteral("71,y"),                      QStringLiteral("8,z"),
    };
    const QString file = writeFile(lines);
    companydata::TCodeTaikeiIO io;
    ASSERT_TRUE(io.LoadCodeTaikeiFile(file, 5)) << messages.texts().join(u'\n').toStdString();
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(storedRow(5), QStringLiteral("法人 標準/1/2"));
    auto bytes = [](std::initializer_list<const char16_t*> ls) {
        QByteArray out;
        for (const char16_t* l : ls)
            out += platform::toCp932(QString::fromUtf16(l)) + "\r\n";
        return out;
    };
    EXPECT_EQ(storedBlob(5, QStringLiteral("INIDAT1")), bytes({u"1,\"法人 標準\",1,2,ｺｰﾄﾞ"}));
    EXPECT_EQ(storedBlob(5, QStringLiteral("INIDAT2")), bytes({u"2,ソフト表,100", u"21,\"現金, 預金\"", u"22,last"}));
    EXPECT_EQ(storedBlob(5, QStringLiteral("INIDAT3")), bytes({u"3,売上高", u"31,x"}));
    EXPECT_EQ(storedBlob(5, QStringLiteral("INIDAT7")), bytes({u"71,y"}));
    EXPECT_EQ(storedBlob(5, QStringLiteral("INIDAT8")), bytes({u"8,z"}));
    EXPECT_TRUE(storedBlob(5, QStringLiteral("INIDAT4")).isEmpty());
}

TEST_F(CodeTaikeiTest, RefusesWithoutWritingHeadersItCannotUse) {
    struct Case {
        const char16_t* header;
        bool message; // refused with the product-category message
    };
    const Case cases[] = {
        {u"1,名前,2,1,x,OTHER", true}, {u"1,,2,1", false},    {u"1,名前,0,1", false},
        {u"1,名前,x,1", false},        {u"1,名前,2,y", false}, {u"1,名前 空白,2,1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.header).toStdString());
        messages.messages.clear();
        companydata::TCodeTaikeiIO io;
        EXPECT_FALSE(io.LoadCodeTaikeiFile(writeFile({QString::fromUtf16(c.header), QStringLiteral("2,a")}), 5));
        EXPECT_EQ(storedRow(5), QStringLiteral("old/9/9"));
        if (c.message) {
            ASSERT_EQ(messages.messages.size(), 1);
            EXPECT_EQ(messages.messages[0].kind, core::MessageKind::Information);
            EXPECT_EQ(messages.messages[0].text,
                      QStringLiteral("このプログラムでは、該当のデータ（製品区分）を処理することが出来ません。"
                                     "タレック財務以外で作成されたデータの可能性があります。"));
        } else {
            EXPECT_TRUE(messages.messages.isEmpty());
        }
    }
}

TEST_F(CodeTaikeiTest, ProductCategoryByEdition) {
    struct Case {
        quint8 edition;
        QString category;
        bool accepted;
    };
    const Case cases[] = {
        {0, QString(), true}, {0, QStringLiteral("-"), true}, {0, QStringLiteral("X"), false},
        {1, QString(), false}, {1, QStringLiteral("-"), true}, {2, QStringLiteral("X"), false},
    };
    companydata::TCodeTaikeiIO io;
    for (const Case& c : cases) {
        core::EditionFlag = c.edition;
        QString message;
        EXPECT_EQ(io.CheckSeihinKubun(c.category, message), c.accepted) << int(c.edition) << c.category.toStdString();
        EXPECT_EQ(message.isEmpty(), c.accepted);
    }
}

TEST_F(CodeTaikeiTest, MissingFileRaises) {
    companydata::TCodeTaikeiIO io;
    EXPECT_THROW(io.LoadCodeTaikeiFile(work.filePath(QStringLiteral("none.csv")), 5), core::Exception);
}

TEST_F(CodeTaikeiTest, CreationRepairsOlderRowsFromTheirHeaderOnce) {
    const QByteArray kojin = platform::toCp932(QStringLiteral("1,\"個人 一般\",2,3,,-\r\n"));
    const QByteArray houjin = platform::toCp932(QStringLiteral("1,法人,1,4\r\n"));
    const QByteArray broken = QByteArray("garbage\r\n");
    insertOldRow(11, &kojin);
    insertOldRow(12, &houjin);
    insertOldRow(13, &broken);
    insertOldRow(14, nullptr);
    { companydata::TCodeTaikeiIO io; }
    EXPECT_EQ(storedRow(11), QStringLiteral("x/2/3"));
    EXPECT_EQ(storedRow(12), QStringLiteral("x/1/1"));
    // A header without a data type leaves the row as it was rather than 0/0.
    EXPECT_EQ(storedRow(13), QStringLiteral("x/1/1"));
    EXPECT_EQ(storedRow(14), QStringLiteral("x/1/1"));
    execSystem({QStringLiteral("UPDATE USERCODE SET CODETYPE=7 WHERE RECNO=11")});
    { companydata::TCodeTaikeiIO io; }
    EXPECT_EQ(storedRow(11), QStringLiteral("x/2/7"));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

} // namespace
