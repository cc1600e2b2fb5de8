// The journal merge of cash-book data into the accounting data, case by case.
#include "CashBookMergeFixture.h"

using namespace cashbooktest;

namespace {

const QString kSuccess = QStringLiteral("1 1 取り込み処理が成功しました。");

class JournalMergeTest : public CashBookMergeTest {
protected:
    int liveCount() { return valueOpen(QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE DELFLG=0")).toInt(); }
};

} // namespace

TEST_F(JournalMergeTest, AddedEntriesComeOnceWithTheirLinks) {
    linkedPair();
    const QList<int> recs = cashRecs(1);
    int addedRec = 0, addedLinkRec = 0;
    {
        ReceivedSide cb(receivedFile);
        core::TSWKREC a = cb.added(recs[0], 1234, QStringLiteral("出納帳で追加"));
        addedRec = a.REC;
        // A non-cash entry takes part only with LINKREC above 0.
        const int nonCash = cb.value(QStringLiteral("SELECT FIRST 1 REC FROM SIWAKE WHERE TAISHAKU=1 AND DELFLG=0 AND "
                                                    "KCODE<>'%1' AND R_KCODE<>'%1' ORDER BY REC").arg(cash)).toInt();
        core::TSWKREC n = cb.added(nonCash, 777, QStringLiteral("現金以外・連動"));
        addedLinkRec = n.REC;
        cb.run({QStringLiteral("UPDATE SIWAKE SET LINKREC=55 WHERE SWKREC=%1").arg(n.SWKREC)});
        cb.added(nonCash, 778, QStringLiteral("現金以外"));
    }
    const int before = liveCount();
    ASSERT_EQ(runImport(0, 1), 1) << lastRows.join(u'\n').toStdString();
    EXPECT_EQ(lastRows, QStringList{kSuccess});
    EXPECT_EQ(liveCount(), before + 4);
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT LOCALFLG,RESERVE1,RESERVE2,TEKTEXT FROM SIWAKE WHERE RESERVE1=%1 AND TAISHAKU=1").arg(addedRec)),
              QStringLiteral("10 %1 0 出納帳で追加").arg(addedRec));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT LOCALFLG,RESERVE1,RESERVE2 FROM SIWAKE WHERE RESERVE1=%1 AND TAISHAKU=1").arg(addedLinkRec)),
              QStringLiteral("10 %1 55").arg(addedLinkRec));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE TEKTEXT='現金以外'")), QStringLiteral("0"));

    // The same data again adds nothing.
    ASSERT_EQ(runImport(0, 1), 1) << lastRows.join(u'\n').toStdString();
    EXPECT_EQ(liveCount(), before + 4);
}

TEST_F(JournalMergeTest, CorrectionsAndDeletions) {
    linkedPair();
    const QList<int> recs = cashRecs(4);
    ASSERT_EQ(recs.size(), 4);
    int newer = recs[0], older = recs[1], deletedHere = recs[2], deletedThere = recs[3];
    int newerLinkRec = 0;
    {
        ReceivedSide cb(receivedFile);
        for (int rec : {newer, older, deletedHere}) {
            core::TSWKREC r = cb.get(rec);
            r.KINGAKU = r.KINGAKU + core::Currency::fromInt(100);
            r.TEKTEXT = QStringLiteral("出納帳で訂正");
            core::CalcSwkRecTax(r);
            cb.put(r);
            if (rec == newer)
                newerLinkRec = cb.value(QStringLiteral("SELECT LINKREC FROM SIWAKE WHERE REC=%1").arg(r.REC)).toInt();
        }
        cb.remove(cb.get(deletedThere).SWKREC);
    }
    ASSERT_GT(newerLinkRec, 0);
    // This side already took a later correction of "older"; "deletedHere" was deleted here.
    const int olderSwk = valueOpen(QStringLiteral("SELECT SWKREC FROM SIWAKE WHERE REC=%1").arg(older)).toInt();
    runOpen({QStringLiteral("UPDATE SIWAKE SET RESERVE2=999999 WHERE SWKREC=%1").arg(olderSwk)});
    const int deletedHereSwk = valueOpen(QStringLiteral("SELECT SWKREC FROM SIWAKE WHERE REC=%1").arg(deletedHere)).toInt();
    runOpen({QStringLiteral("EXECUTE PROCEDURE SP_SIWAKE_DEL(%1,1)").arg(deletedHereSwk)});
    const int deletedThereSwk = valueOpen(QStringLiteral("SELECT SWKREC FROM SIWAKE WHERE REC=%1").arg(deletedThere)).toInt();

    QStringList rows;
    ASSERT_EQ(runImport(0, 1, &rows), 1) << rows.join(u'\n').toStdString();
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT DELFLG FROM SIWAKE WHERE REC=%1").arg(newer)), QStringLiteral("2"));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT DELFLG,TEKTEXT FROM SIWAKE WHERE REC=%1").arg(older)).section(u' ', 0, 0),
              QStringLiteral("0"));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE TEKTEXT='出納帳で訂正' AND DELFLG=0 AND TAISHAKU=1")),
              QStringLiteral("2")); // newer and the undeleted one
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT DELFLG FROM SIWAKE WHERE SWKREC=%1 AND TAISHAKU=1").arg(deletedThereSwk)),
              QStringLiteral("1"));
    const QString warning11 = QStringLiteral("受信データの訂正仕訳が優先されました。");
    EXPECT_EQ(rows.filter(warning11).size(), 2) << rows.join(u'\n').toStdString();
    EXPECT_TRUE(rows.filter(QStringLiteral("2 12 (仕訳番号:%1 ").arg(deletedThereSwk)).size() == 1) << rows.join(u'\n').toStdString();
    EXPECT_EQ(rows.last(), kSuccess);
}

TEST_F(JournalMergeTest, RefusedEntriesAreAllListedAndNothingChanges) {
    linkedPair();
    const QList<int> recs = cashRecs(1);
    {
        ReceivedSide cb(receivedFile);
        cb.added(recs[0], 0, QStringLiteral("零円その一"));
        cb.added(recs[0], 500, QStringLiteral("正常"));
        cb.added(recs[0], 0, QStringLiteral("零円その二"));
    }
    const int before = liveCount();
    const QString receivedBefore = Db(receivedFile).value(QStringLiteral("SELECT COUNT(*),SUM(RESERVE1),SUM(KINGAKU) FROM SIWAKE"));
    QStringList rows;
    EXPECT_EQ(runImport(0, 1, &rows), -111);
    const QStringList refused = rows.filter(QStringLiteral("3 -111 (仕訳番号:-  日付:"));
    ASSERT_EQ(refused.size(), 2) << rows.join(u'\n').toStdString();
    EXPECT_TRUE(refused[0].contains(QStringLiteral("摘要:零円その一 金額:0) 金額の設定が不正です。（０円 または null）")))
        << refused[0].toStdString();
    EXPECT_EQ(rows.last(), QStringLiteral("3 -100 取り込み処理を中止しました。"));
    EXPECT_EQ(liveCount(), before);
    EXPECT_EQ(Db(receivedFile).value(QStringLiteral("SELECT COUNT(*),SUM(RESERVE1),SUM(KINGAKU) FROM SIWAKE")), receivedBefore);
    EXPECT_TRUE(dm.IBDatabaseDAT.connected());
}
