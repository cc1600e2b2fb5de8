// The dictionary file: its header rules, the account conversion, the export against a golden
// file and the import back.
#include "CashBookFixture.h"
#include "cloudexchange/DictionaryFile.h"
#include "platform/Cp932.h"

#include <QRegularExpression>

using namespace cashbooktest;
using cloudexchange::TJisyoLoader;

namespace {

class DictionaryFileTest : public CashBookTest {
protected:
    void SetUp() override {
        CashBookTest::SetUp();
        if (HasFatalFailure())
            return;
        const QString cash = core::AccInf.SysKCode[core::skGenkin];
        expense = valueOpen(QStringLiteral("SELECT FIRST 1 KCODE FROM KAMOKU_SZ WHERE SCODE=' ' AND HCODE=' ' AND BCODE=' ' "
                                           "AND KCODE<>'%1' AND KCODE>='6000' ORDER BY KCODE").arg(cash));
        ASSERT_FALSE(expense.isEmpty());
        runOpen({
            QStringLiteral("INSERT INTO TEKDICTI(CREC,SCODE,SORTCODE,TEXT,MOVEMENT) VALUES(11,' ',1,'交通費',0)"),
            QStringLiteral("INSERT INTO TEKDICTI(CREC,SCODE,SORTCODE,TEXT,MOVEMENT) VALUES(12,' ',2,'見出\"引用',1)"),
            QStringLiteral("INSERT INTO TEKDIC(TEKCODE,CREC,KANA,TEXT,SCODE,KAR_KCODE,KAR_HCODE,KAR_BCODE,KAR_TAXCODE,"
                           "KAS_KCODE,KAS_HCODE,KAS_BCODE,KAS_TAXCODE,WAITFLG,TAXOLD,TAXNUM,MOVEMENT,HAIBUN,RTIME) "
                           "VALUES(0,11,'ﾃﾞﾝｼ','電車代\"往復',' ','%1',' ',' ',712,'%2',' ',' ',NULL,1,2,3,4,5,'2024-05-06 07:08:09')")
                .arg(expense, cash),
            QStringLiteral("INSERT INTO TORDICTI(CREC,SCODE,SORTCODE,TEXT,MOVEMENT) VALUES(21,' ',1,'あ行',0)"),
            QStringLiteral("INSERT INTO TORDIC(TEKCODE,CREC,KANA,MCODE,TEXT,TEKTEXT,SCODE,KAR_KCODE,KAR_HCODE,KAR_BCODE,"
                           "KAR_TAXCODE,KAS_KCODE,KAS_HCODE,KAS_BCODE,KAS_TAXCODE,WAITFLG,TAXOLD,TAXNUM,MOVEMENT,RTIME) "
                           "VALUES(0,21,'ｱｵｲ',0,'青井商店','仕入代金',' ','9999',NULL,NULL,910,'%1',' ',' ',910,0,0,0,0,NULL)")
                .arg(cash),
        });
    }
    QString expense;
};

QString dictionaries(Db& db) {
    return (db.rows(QStringLiteral("SELECT CREC,SORTCODE,TEXT FROM TEKDICTI WHERE TEXT<>'' ORDER BY CREC")) +
            db.rows(QStringLiteral("SELECT CREC,KANA,TEXT,KAR_KCODE,KAR_HCODE,KAR_TAXCODE,KAS_KCODE,KAS_TAXCODE,WAITFLG,HAIBUN,RTIME FROM TEKDIC ORDER BY CREC,KANA")) +
            db.rows(QStringLiteral("SELECT CREC,KANA,TEXT,TEKTEXT,KAR_KCODE,KAR_HCODE,KAS_KCODE FROM TORDIC ORDER BY CREC,KANA")))
        .join(u'\n');
}

} // namespace

TEST(DictionaryHeaderTest, VersionAndTypeLines) {
    struct Case {
        QStringList lines;
        bool accepted;
    };
    const QString type = QStringLiteral("// ファイル種別: 摘要・取引先辞書設定");
    const Case cases[] = {
        {{type, QStringLiteral("// ファイルVer : 1.2")}, true},
        {{type, QStringLiteral("// ファイルVer : 1.1")}, true},
        {{type}, true},
        {{type, QStringLiteral("// ファイルVer : 2.0")}, false},
        {{type, QStringLiteral("// ファイルVer : 1")}, false},
        {{QStringLiteral("// ファイルVer : 1.1"), QStringLiteral("\"200\",1,\" \",1,\"a\",0,")}, false},
    };
    TJisyoLoader loader;
    loader.SetVersion(QStringLiteral("1.1"));
    for (const Case& c : cases) {
        loader.Lines = c.lines;
        EXPECT_EQ(loader.CheckFileHeader(), c.accepted) << c.lines.join(u'|').toStdString();
    }
    EXPECT_EQ(TJisyoLoader::EncodeText(QStringLiteral("a\"b\tc\r\n"), true), QStringLiteral("a''bc"));
    EXPECT_EQ(TJisyoLoader::DecodeText(QStringLiteral("a''b"), true), QStringLiteral("a\"b"));
}

TEST(DictionaryHeaderTest, ConvertAccount) {
    TJisyoLoader loader;
    auto code = [](const char* k, const char* u, const char* h, const char* b) {
        return core::TKamokuCodeRec{QLatin1String(k), QLatin1String(u), QLatin1String(h), QLatin1String(b)};
    };
    loader.AccountCodes = {code("K1", "1101", " ", " "), code("K2", "5101", " ", " "), code("K2", "5101", "01", " "),
                           code("K2", "5101", " ", "10")};
    struct Case {
        const char* record;
        QString k, h, b;
        QString ek, eh, eb;
    };
    const Case cases[] = {
        {"202", "5101", "01", "10", "K2", "01", "10"}, // each code tested on its own
        {"202", "5101", "02", "10", "K2", "", "10"},
        {"202", "9999", "01", "10", "", "", ""},
        {"202", "", "01", "10", "", "", ""},
        {"201", "K1", " ", " ", "K1", " ", " "},       // 201 carries internal codes
        {"202", "K1", " ", " ", "", "", ""},
    };
    for (const Case& c : cases) {
        QString k = c.k, h = c.h, b = c.b;
        loader.ConvertAccount(QLatin1String(c.record), k, h, b);
        EXPECT_EQ(QStringList({k, h, b}), QStringList({c.ek, c.eh, c.eb})) << c.record << " " << c.k.toStdString();
    }
}

TEST_F(DictionaryFileTest, ExportMatchesTheGoldenFile) {
    core::TIBTransaction& tr = dm.IBTransactionDAT;
    TJisyoLoader loader;
    loader.SetDatabase(&dm.IBDatabaseDAT);
    loader.SetTransaction(&tr);
    loader.SetVersion(QStringLiteral("1.1"));
    const QString file = work.filePath(QStringLiteral("qmvjisyo.txt"));
    ASSERT_TRUE(loader.ExportJisyo(file));
    EXPECT_FALSE(tr.inTransaction());
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    QString text = platform::fromCp932(written.readAll());
    text.replace(QRegularExpression(QStringLiteral("作成日      : \\d{4}/\\d{2}/\\d{2}")), QStringLiteral("作成日      : yyyy/mm/dd"));
    text.replace(QStringLiteral("\"%1\"").arg(expense), QStringLiteral("\"EXPENSE\""));
    QFile golden(QStringLiteral(TAXLINK_TEST_DATA_DIR "/jisyo-export.txt"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(text, platform::fromCp932(golden.readAll()));
}

TEST_F(DictionaryFileTest, ImportingTwiceGivesTheSameDictionaries) {
    TJisyoLoader loader;
    loader.SetDatabase(&dm.IBDatabaseDAT);
    loader.SetTransaction(&dm.IBTransactionDAT);
    loader.SetVersion(QStringLiteral("1.1"));
    const QString file = work.filePath(QStringLiteral("qmvjisyo.txt"));
    ASSERT_TRUE(loader.ExportJisyo(file));
    Db source(openFile);
    const QString expected = dictionaries(source);

    core::TIBDatabase received;
    received.setDatabaseName(receivedFile);
    received.params() = {QStringLiteral("user_name=TALLEK"), QStringLiteral("password=vorbin"), QStringLiteral("lc_ctype=SJIS_0208")};
    received.open();
    core::TIBTransaction tr;
    tr.addDatabase(&received);
    {
        Db setup(receivedFile);
        setup.run({QStringLiteral("INSERT INTO TEKDICTI(CREC,SCODE,SORTCODE,TEXT,MOVEMENT) VALUES(31,' ',5,'旧い見出し',0)"),
                   QStringLiteral("INSERT INTO TEKDICTI(CREC,SCODE,SORTCODE,TEXT,MOVEMENT) VALUES(32,' ',7,'旧二',0)"),
                   QStringLiteral("INSERT INTO TORDICTI(CREC,SCODE,SORTCODE,TEXT,MOVEMENT) VALUES(41,' ',3,'旧',0)")});
    }
    loader.SetDatabase(&received);
    loader.SetTransaction(&tr);
    ASSERT_TRUE(loader.ImportJisyo(file));
    received.close();
    Db after(receivedFile);
    const QString first = dictionaries(after);
    // Headings are matched by position: the file's 11 and 12 land on 31 and 32.
    EXPECT_TRUE(first.contains(QStringLiteral("31 1 交通費"))) << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("32 2 見出\"引用"))) << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("電車代\"往復 %1  712").arg(expense))) << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("41 ｱｵｲ 青井商店 仕入代金   "))) << first.toStdString(); // unknown account: null
    received.open();
    ASSERT_TRUE(loader.ImportJisyo(file));
    received.close();
    EXPECT_EQ(dictionaries(after), first);
    (void)expected;
}
