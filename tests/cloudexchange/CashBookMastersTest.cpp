// The master steps of the merge: the chart-of-accounts check, sub-accounts, opening balances
// of the cash account and the cash-balance comparison.
#include "CashBookMergeFixture.h"

using namespace cashbooktest;

namespace {

class MastersTest : public CashBookMergeTest {
protected:
    // USERCODE and name of an account of the open data in use, with its HOJOSW.
    QStringList account(const QString& where) {
        return valueOpen(QStringLiteral("SELECT FIRST 1 USERCODE,KNAME FROM KAMOKUMST WHERE %1 ORDER BY KCODE").arg(where)).split(u' ');
    }
};

} // namespace

TEST_F(MastersTest, ManagementSettingsAndMissingAccounts) {
    linkedPair();
    const QStringList gone = account(QStringLiteral("USE>0"));
    Db(receivedFile).run({QStringLiteral("UPDATE ACCDEF1 SET SITEN=1,BUMON=2 WHERE REC=1"),
                          QStringLiteral("UPDATE KAMOKUMST SET USERCODE='Z99' WHERE USERCODE='%1'").arg(gone[0])});
    const QString before = valueOpen(QStringLiteral("SELECT COUNT(*),MAX(RTIME) FROM HOJOMST"));
    QStringList rows;
    EXPECT_EQ(runImport(0, 1, &rows), -106);
    ASSERT_GE(rows.size(), 4) << rows.join(u'\n').toStdString();
    EXPECT_EQ(rows[0], QStringLiteral("3 -106 (使用データ:本・支店管理を行わない ≠ 受信データ:本・支店管理を行う) "
                                      "受信データの本・支店管理区分の設定内容に違いがありました。"));
    EXPECT_EQ(rows[1], QStringLiteral("3 -107 (使用データ:部門管理を行う[損益] ≠ 受信データ:部門管理を行う[全科目]) "
                                      "受信データの部門管理区分の設定内容に違いがありました。"));
    EXPECT_TRUE(rows.contains(QStringLiteral("3 -104 (使用データ:%1 %2) 科目コードが見つかりません。").arg(gone[0], gone[1])))
        << rows.join(u'\n').toStdString();
    EXPECT_EQ(rows.last(), QStringLiteral("3 -103 データの設定変更により科目体系に差異が発生しています。マスター送信を行って下さい。"));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT COUNT(*),MAX(RTIME) FROM HOJOMST")), before); // stopped before the next step
}

TEST_F(MastersTest, UseSwitchedOffIsAWarningOnlyForCashBookDataAndAlone) {
    linkedPair();
    const QStringList used = account(QStringLiteral("USE>0 AND HOJOSW<>'A'"));
    Db(receivedFile).run({QStringLiteral("UPDATE KAMOKUMST SET USE=0 WHERE USERCODE='%1'").arg(used[0])});
    QStringList rows;
    ASSERT_EQ(runImport(0, 1, &rows), 1) << rows.join(u'\n').toStdString();
    EXPECT_EQ(rows, (QStringList{
                        QStringLiteral("2 101 (使用データ:%1 %2) 受信データの当科目は[使用しない]に設定されています。").arg(used[0], used[1]),
                        QStringLiteral("1 1 取り込み処理が成功しました。 （次回の送信時は、マスター送信を行って下さい。）")}));

    EXPECT_EQ(runImport(1, 1, &rows), -105); // accounting data: an error
    EXPECT_EQ(rows[0], QStringLiteral("3 -105 (使用データ:%1 %2 ≠ 受信データ:%1 %2) 受信データの科目の設定内容に違いがありました。")
                           .arg(used[0], used[1]));
    EXPECT_EQ(rows.last(), QStringLiteral("3 -103 データ送信元の設定変更により科目体系に差異が発生しています。データ送信元にご連絡して下さい。"));

    Db(receivedFile).run({QStringLiteral("UPDATE KAMOKUMST SET HOJOSW='A' WHERE USERCODE='%1'").arg(used[0])});
    EXPECT_EQ(runImport(0, 1, &rows), -105); // a second difference is not hidden by the warning
}

TEST_F(MastersTest, OldVersionGroupMapping) {
    cloudexchange::TCashBookImport imp;
    core::AccInf.DATATYPE = 1;
    core::AccInf.CODETYPE = 0;
    struct Case {
        quint8 edition;
        int major;
        const char* kcode;
        const char* expected;
    };
    const Case cases[] = {{0, 5, "5601", "5685"}, {0, 6, "5601", "1234"}, {0, 5, "5602", "1234"},
                          {1, 5, "52200", "5685"}, {1, 5, "5601", "1234"}, {2, 5, "52100", "5685"}};
    const quint8 edition = core::EditionFlag;
    for (const Case& c : cases) {
        core::EditionFlag = c.edition;
        imp.RecvMajor = c.major;
        EXPECT_EQ(imp.MapOldGroupCode(QStringLiteral("1234"), QLatin1String(c.kcode)), QLatin1String(c.expected)) << c.kcode;
    }
    core::AccInf.DATATYPE = 2;
    core::AccInf.CODETYPE = 2;
    core::EditionFlag = 0;
    imp.RecvMajor = 5;
    EXPECT_EQ(imp.MapOldGroupCode(QStringLiteral("1234"), QStringLiteral("5601")), QStringLiteral("1234"));
    core::EditionFlag = edition;
}

TEST_F(MastersTest, SubAccountsAreInsertedAndUpdated) {
    linkedPair();
    const QString kcode = valueOpen(QStringLiteral("SELECT FIRST 1 KCODE FROM HOJOMST WHERE HCODE<>' ' ORDER BY KCODE,HCODE"));
    ASSERT_FALSE(kcode.isEmpty());
    const QString hcode = valueOpen(QStringLiteral("SELECT FIRST 1 HCODE FROM HOJOMST WHERE KCODE='%1' AND HCODE<>' ' ORDER BY HCODE").arg(kcode));
    runOpen({QStringLiteral("UPDATE ACCDEF1 SET HOJO_INS_MODE=1 WHERE REC=1")});
    Db(receivedFile).run({QStringLiteral("INSERT INTO HOJOMST(KCODE,HCODE,REC,HKANA,HNAME,TAX_LCODE,TAX_RCODE,BPFLG) "
                                         "VALUES('%1','777',9001,'ｼﾝｷ','新しい補助',1,2,'P')").arg(kcode),
                          QStringLiteral("UPDATE HOJOMST SET HNAME='改名した補助',TAX_LCODE=3 WHERE KCODE='%1' AND HCODE='%2'").arg(kcode, hcode)});
    ASSERT_EQ(runImport(0, 1), 1) << lastRows.join(u'\n').toStdString();
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT HKANA,HNAME,TAX_LCODE,TAX_RCODE,BPFLG FROM HOJOMST WHERE KCODE='%1' AND HCODE='777'").arg(kcode)),
              QStringLiteral("ｼﾝｷ 新しい補助 1 2 P"));
    EXPECT_NE(valueOpen(QStringLiteral("SELECT COUNT(*) FROM KAMOKU_SZ WHERE KCODE='%1' AND HCODE='777'").arg(kcode)), QStringLiteral("0"));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT HNAME,TAX_LCODE FROM HOJOMST WHERE KCODE='%1' AND HCODE='%2'").arg(kcode, hcode)),
              QStringLiteral("改名した補助 3"));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT HOJO_INS_MODE FROM ACCDEF1")), QStringLiteral("1"));
}

TEST_F(MastersTest, OpeningBalancesOnlyFromAccountingDataAndTheBalanceWarning) {
    linkedPair();
    const QString where = QStringLiteral("KCODE='%1' AND SCODE=' ' AND HCODE=' ' AND BCODE=' '").arg(cash);
    const QString before = valueOpen(QStringLiteral("SELECT KAISIZAN,KISHU_KOMI,KISHU_NUKI FROM KAMOKU_SZ WHERE %1").arg(where));
    Db(receivedFile).run({QStringLiteral("UPDATE KAMOKU_SZ SET KISHU_KOMI=KISHU_KOMI+1,KISHU_NUKI=KISHU_NUKI+1 WHERE %1").arg(where)});
    QStringList rows;
    // Cash-book data: balances untouched, the one-yen difference is reported.
    ASSERT_EQ(runImport(0, 1, &rows), 1) << rows.join(u'\n').toStdString();
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT KAISIZAN,KISHU_KOMI,KISHU_NUKI FROM KAMOKU_SZ WHERE %1").arg(where)), before);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("2 201 本データと出納帳データの間で現金残高の違いが発生しました。")));
    // Accounting data: the received opening balances are taken, KAISIZAN cleared.
    ASSERT_EQ(runImport(1, 1, &rows), 1) << rows.join(u'\n').toStdString();
    const QStringList now = valueOpen(QStringLiteral("SELECT KAISIZAN,KISHU_KOMI,KISHU_NUKI FROM KAMOKU_SZ WHERE %1").arg(where)).split(u' ');
    EXPECT_EQ(now[0].toDouble(), 0.0);
    EXPECT_EQ(now[1].toDouble(), before.split(u' ')[1].toDouble() + 1);
    EXPECT_EQ(rows, QStringList{QStringLiteral("1 1 取り込み処理が成功しました。")});
}

TEST_F(MastersTest, NoBalanceComparisonForAnUnknownSideKind) {
    linkedPair();
    const QString where = QStringLiteral("KCODE='%1' AND SCODE=' ' AND HCODE=' ' AND BCODE=' '").arg(cash);
    Db(receivedFile).run({QStringLiteral("UPDATE KAMOKU_SZ SET KISHU_KOMI=KISHU_KOMI+1,KISHU_NUKI=KISHU_NUKI+1 WHERE %1").arg(where)});
    runOpen({QStringLiteral("UPDATE KAMOKUMST SET DAC=0 WHERE KCODE='%1'").arg(cash)});
    QStringList rows;
    ASSERT_EQ(runImport(0, 1, &rows), 1) << rows.join(u'\n').toStdString();
    EXPECT_EQ(rows, QStringList{QStringLiteral("1 1 取り込み処理が成功しました。")});
}

TEST_F(MastersTest, OpeningBalancesOfOlderAccountingData) {
    linkedPair();
    const QString where = QStringLiteral("KCODE='%1' AND SCODE=' ' AND HCODE=' ' AND BCODE=' '").arg(cash);
    // Below version 6 the received data has only KAISIZAN.
    Db(receivedFile).run({QStringLiteral("UPDATE ACCVERSION SET MAJOR=5,MINOR1=0,MINOR2=0"),
                          QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN=12345.6789,KISHU_KOMI=1,KISHU_NUKI=1 WHERE %1").arg(where)});
    QStringList rows;
    ASSERT_EQ(runImport(1, 1, &rows), 1) << rows.join(u'\n').toStdString();
    const QStringList now = valueOpen(QStringLiteral("SELECT KAISIZAN,KISHU_KOMI,KISHU_NUKI FROM KAMOKU_SZ WHERE %1").arg(where)).split(u' ');
    EXPECT_EQ(now[0].toDouble(), 0.0);
    EXPECT_EQ(now[1].toDouble(), 12345.0); // whole yen
    EXPECT_EQ(now[2].toDouble(), 12345.0);
}
