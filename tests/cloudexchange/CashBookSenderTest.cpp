// The cash-book sender: the link values of a master send and a cash-book send, and a failure.
#include "CashBookFixture.h"
#include "cloudexchange/CashBookSender.h"

using namespace cashbooktest;
using cloudexchange::TCashBookSender;

namespace {

class CashBookSenderTest : public CashBookTest {
protected:
    void SetUp() override {
        CashBookTest::SetUp();
        if (HasFatalFailure())
            return;
        cash = core::AccInf.SysKCode[core::skGenkin];
        ASSERT_FALSE(cash.isEmpty());
        const QString cashWhere = QStringLiteral("TAISHAKU=1 AND DELFLG=0 AND (KCODE='%1' OR R_KCODE='%1')").arg(cash);
        const QStringList cashEntries =
            rowsOpen(QStringLiteral("SELECT FIRST 3 SWKREC FROM SIWAKE WHERE %1 ORDER BY SWKREC").arg(cashWhere));
        ASSERT_EQ(cashEntries.size(), 3);
        current = cashEntries[0].toInt();
        deleted = cashEntries[1].toInt();
        marked = cashEntries[2].toInt();
        other = valueOpen(QStringLiteral("SELECT FIRST 1 SWKREC FROM SIWAKE WHERE TAISHAKU=1 AND DELFLG=0 AND "
                                         "KCODE<>'%1' AND R_KCODE<>'%1' ORDER BY SWKREC").arg(cash)).toInt();
        runOpen({QStringLiteral("UPDATE SIWAKE SET DELFLG=1 WHERE SWKREC=%1").arg(deleted),
                 QStringLiteral("UPDATE SIWAKE SET LINKKEY='X',LINKKUB=10,RESERVE1=7 WHERE SWKREC=%1").arg(marked),
                 QStringLiteral("UPDATE SIWAKE SET LINKREC=99,RESERVE1=5,RESERVE2=6,LINKKEY='K',LINKKUB=3 WHERE SWKREC=%1").arg(other)});
    }
    // REC RESERVE1 RESERVE2 LINKKEY LINKKUB LINKREC of the entry's debit row.
    QString links(int swkRec) {
        return valueOpen(QStringLiteral("SELECT REC,RESERVE1,RESERVE2,LINKKEY,LINKKUB,LINKREC FROM SIWAKE "
                                        "WHERE SWKREC=%1 AND TAISHAKU=1").arg(swkRec));
    }
    QString rec(int swkRec) { return links(swkRec).section(u' ', 0, 0); }

    QString cash;
    int current = 0, deleted = 0, marked = 0, other = 0;
};

} // namespace

TEST_F(CashBookSenderTest, MasterSendMarksEveryCashEntryAfresh) {
    TCashBookSender sender;
    sender.SendKind = 0;
    sender.SendMode = 0;
    sender.Execute();
    EXPECT_EQ(sender.GetSyoriResult(), 1);
    EXPECT_EQ(sender.SyoriLog.last().Text, QStringLiteral("出納帳データの送信処理が成功しました。"));
    const QString r = rec(current);
    EXPECT_EQ(links(current), QStringLiteral("%1 %1 0 %1 10 0").arg(r));
    const QString d = rec(deleted);
    EXPECT_EQ(links(deleted), QStringLiteral("%1 %1 0  0 0").arg(d)); // no link key for a deleted entry
    EXPECT_EQ(links(marked), QStringLiteral("%1 %1 0 %1 10 0").arg(rec(marked)));
    EXPECT_EQ(links(other), QStringLiteral("%1 0 0  0 0").arg(rec(other)));
    // Both rows of an entry carry the same values.
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT COUNT(DISTINCT RESERVE1) FROM SIWAKE WHERE SWKREC=%1").arg(current)),
              QStringLiteral("1"));
}

TEST_F(CashBookSenderTest, CashBookSendKeysOnlyUnmarkedLiveEntries) {
    for (const quint8 mode : {quint8(1), quint8(0)}) { // kind 1 always works as a cash-book send
        const QString markedBefore = links(marked);
        const QString deletedBefore = links(deleted);
        const QString otherBefore = links(other);
        TCashBookSender sender;
        sender.SendKind = 1;
        sender.SendMode = mode;
        sender.Execute();
        EXPECT_EQ(sender.GetSyoriResult(), 1);
        EXPECT_EQ(sender.SendMode, 1);
        EXPECT_EQ(links(current), QStringLiteral("%1 0 0 %1 10 0").arg(rec(current)));
        EXPECT_EQ(links(marked), markedBefore);
        EXPECT_EQ(links(deleted), deletedBefore);
        EXPECT_EQ(links(other), otherBefore);
    }
}

TEST_F(CashBookSenderTest, NoCashEntriesIsASuccess) {
    runOpen({QStringLiteral("DELETE FROM SIWAKE2"), QStringLiteral("DELETE FROM SIWAKE")});
    TCashBookSender sender;
    sender.SendMode = 0;
    sender.Execute();
    EXPECT_EQ(sender.GetSyoriResult(), 1);
    EXPECT_EQ(sender.SyoriLog.size(), 1);
}

TEST_F(CashBookSenderTest, AHeldRowGivesTheFailureRowAndTheBox) {
    // Another attachment changes the entry and keeps its transaction open.
    core::TIBDatabase other;
    other.setDatabaseName(openFile);
    other.params() = {QStringLiteral("user_name=TALLEK"), QStringLiteral("password=vorbin"), QStringLiteral("lc_ctype=SJIS_0208")};
    other.open();
    core::TIBTransaction held;
    held.addDatabase(&other);
    held.startTransaction();
    core::TIBSQL lock(&other, &held);
    lock.sql() << QStringLiteral("UPDATE SIWAKE SET RESERVE2=1 WHERE SWKREC=%1").arg(current);
    lock.execSQL();

    TCashBookSender sender;
    sender.SendMode = 0;
    sender.Execute();
    held.rollback();
    other.close();
    EXPECT_EQ(sender.GetSyoriResult(), -100);
    ASSERT_EQ(sender.SyoriLog.size(), 1);
    EXPECT_TRUE(sender.SyoriLog[0].Text.startsWith(QStringLiteral("出納帳データの送信処理に失敗しました。 原因: ")));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].kind, core::MessageKind::Error);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("出納帳データの送信処理中にエラーが発生しました。\r\r原因: ")));
    // Nothing of the run stayed.
    EXPECT_EQ(links(marked).section(u' ', 1, 1), QStringLiteral("7"));
}
