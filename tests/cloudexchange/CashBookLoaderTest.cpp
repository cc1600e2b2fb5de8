// Whole take-in runs: refusals and failures leave both databases as they were; the
// preparation replaces the open data's file; the window runs by itself or silently.
#include "CashBookMergeFixture.h"
#include "cloudexchange/CashBookLoaderBox.h"
#include "controls/buttons/TxPlButton.h"
#include "core/tax/SwkTax.h"

#include <QApplication>
#include <QLabel>
#include <QTreeWidget>
#include <QElapsedTimer>
#include <QTimer>

using namespace cashbooktest;
using cloudexchange::TCashBookImport;
using cloudexchange::TCashBookLoaderBox;

namespace {

class LoaderRunTest : public CashBookMergeTest {
protected:
    void TearDown() override {
        core::ExchangeMinVersion = {};
        CashBookMergeTest::TearDown();
    }
    // A fingerprint of a database's contents that the runs touch.
    static QString fingerprint(Db& db) {
        return (db.rows(QStringLiteral("SELECT COUNT(*),SUM(REC),SUM(RESERVE1),SUM(KINGAKU),SUM(DELFLG) FROM SIWAKE")) +
                db.rows(QStringLiteral("SELECT COUNT(*),MAX(HNAME) FROM HOJOMST")) +
                db.rows(QStringLiteral("SELECT ENTTEXT,HOJO_INS_MODE,READ_ONLY FROM ACCDEF1")) +
                db.rows(QStringLiteral("SELECT COUNT(*) FROM ACCREG")) + db.rows(QStringLiteral("SELECT COUNT(*) FROM TEKDIC")))
            .join(u'|');
    }
    QString openPrint() {
        dm.AccDatDisconnect(QString(), 0, 0);
        QString p;
        {
            Db db(openFile);
            p = fingerprint(db);
        }
        openData();
        return p;
    }
    QString receivedPrint() {
        Db db(receivedFile);
        return fingerprint(db);
    }
    QStringList leftovers() {
        QStringList out;
        for (const QString& name : QDir(openFolder).entryList(QDir::Files))
            if (name != QStringLiteral("qmacc.fdb"))
                out << name;
        return out;
    }
};

} // namespace

TEST_F(LoaderRunTest, RefusalsAndFailuresChangeNothing) {
    linkedPair();
    {
        ReceivedSide cb(receivedFile);
        cb.added(cashRecs(1)[0], 4321, QStringLiteral("追加"));
        cb.run({QStringLiteral("INSERT INTO HOJOMST(KCODE,HCODE,REC,HKANA,HNAME) "
                               "SELECT FIRST 1 KCODE,'778',9002,'ｱ','新補助' FROM HOJOMST WHERE HCODE<>' '")});
    }
    const QString open0 = openPrint();
    const QString received0 = receivedPrint();
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::function<void()> undo;
        QString firstRow;
    };
    std::unique_ptr<core::TIBDatabase> holder;
    const Case cases[] = {
        {"data in use",
         [&] {
             holder = std::make_unique<core::TIBDatabase>();
             holder->setDatabaseName(openFile);
             holder->params() = {QStringLiteral("user_name=TALLEK"), QStringLiteral("password=vorbin")};
             holder->open();
         },
         [&] { holder.reset(); },
         QStringLiteral("3 -100 現在、他のユーザーがデータを使用中です。")},
        {"version", [] { core::ExchangeMinVersion = {99, 0, 0}; }, [] { core::ExchangeMinVersion = {}; },
         QStringLiteral("3 -100 受信したデータバージョンがVer99.0.0に達していません。顧問先へ")},
        {"late failure",
         [&] {
             runOpen({QStringLiteral("CREATE EXCEPTION E_CASHBOOK_TEST 'late'"),
                      QStringLiteral("CREATE TRIGGER T_CASHBOOK_TEST FOR SIWAKE BEFORE INSERT AS BEGIN "
                                     "IF (NEW.TEKTEXT = '追加') THEN EXCEPTION E_CASHBOOK_TEST; END")});
         },
         [&] { runOpen({QStringLiteral("DROP TRIGGER T_CASHBOOK_TEST"), QStringLiteral("DROP EXCEPTION E_CASHBOOK_TEST")}); },
         QStringLiteral("3 -100 「現金仕訳の取り込み」に失敗しました。 原因: ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        QStringList rows;
        const qint32 result = runImport(0, 1, &rows);
        c.undo();
        EXPECT_LT(result, 0);
        ASSERT_FALSE(rows.isEmpty());
        EXPECT_TRUE(rows[0].startsWith(c.firstRow)) << rows.join(u'\n').toStdString();
        EXPECT_TRUE(dm.IBDatabaseDAT.connected());
        const QString openNow = openPrint();
        EXPECT_EQ(openNow, open0);
        EXPECT_EQ(receivedPrint(), received0);
    }
}

TEST_F(LoaderRunTest, MissingFileAndUnloggedException) {
    QStringList rows;
    {
        TCashBookImport imp;
        imp.ReceiveKind = 1;
        imp.SetReceiveDataFile(work.filePath(QStringLiteral("nothing/qmacc.fdb")));
        imp.RunImport();
        EXPECT_EQ(imp.GetSyoriResult(), -100);
        EXPECT_EQ(logRows(imp), QStringList{QStringLiteral("3 -100 会計データの接続に失敗しました。")});
        EXPECT_TRUE(dm.IBDatabaseDAT.connected());
    }
    // A received database whose version table cannot be read: no step logs it, the run does.
    Db(receivedFile).run({QStringLiteral("DROP TRIGGER ACCVERSION_AFTER_UPDATE")});
    Db(receivedFile).run({QStringLiteral("DROP TABLE ACCVERSION")});
    const QString open0 = openPrint();
    EXPECT_EQ(runImport(1, 1, &rows), -100);
    ASSERT_EQ(rows.size(), 1) << rows.join(u'\n').toStdString();
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("3 -100 取り込み処理を中止しました。原因: "))) << rows[0].toStdString();
    EXPECT_EQ(openPrint(), open0);
}

TEST_F(LoaderRunTest, PreparationReplacesTheOpenDataWithTheCleanedReceivedData) {
    runOpen({QStringLiteral("UPDATE ACCDEF1 SET ENTTEXT='こちらの名前',DATALOCK=1 WHERE REC=1"),
             QStringLiteral("INSERT INTO TEKDICTI(CREC,SCODE,SORTCODE,TEXT,MOVEMENT) VALUES(11,' ',1,'こちらの見出し',0)"),
             QStringLiteral("INSERT INTO TEKDIC(TEKCODE,CREC,KANA,TEXT,SCODE) VALUES(0,11,'ｺﾁﾗ','こちらの摘要',' ')")});
    Db(receivedFile).run({
        QStringLiteral("UPDATE ACCDEF1 SET ENTTEXT='送信元',PASWORD='pw',WEB_HOLDER='id',READ_ONLY=1,SHOUGOU='受信した会社' WHERE REC=1"),
        QStringLiteral("INSERT INTO TEKDICTI(CREC,SCODE,SORTCODE,TEXT,MOVEMENT) VALUES(11,' ',1,'送信元の見出し',0)"),
        QStringLiteral("INSERT INTO OPINF(OPCODE,JOBNAME,PCNAME) VALUES(1,'仕訳入力','PC')"),
        QStringLiteral("INSERT INTO OPHIST(REC,OPCODE,JOBNAME) VALUES(1,1,'x')"),
        QStringLiteral("UPDATE OR INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('基本設定','合算データ区分','整数','1')"),
        QStringLiteral("UPDATE OR INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('基本設定','合算データ数','整数','2')"),
        QStringLiteral("UPDATE OR INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('基本設定','残す項目','整数','3')"),
    });
    QStringList rows;
    ASSERT_EQ(runImport(1, 0, &rows), 1) << rows.join(u'\n').toStdString();
    EXPECT_EQ(rows, QStringList{QStringLiteral("1 1 取り込み処理が成功しました。")});
    ASSERT_TRUE(dm.IBDatabaseDAT.connected());
    EXPECT_EQ(core::AccInf.SHOUGOU, QStringLiteral("受信した会社")); // reloaded from the new file
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT ENTTEXT,PASWORD,WEB_HOLDER,DATALOCK,READ_ONLY FROM ACCDEF1")),
              QStringLiteral("こちらの名前   1 0"));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT TEXT FROM TEKDICTI WHERE CREC=11")), QStringLiteral("こちらの見出し"));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT TEXT FROM TEKDIC")), QStringLiteral("こちらの摘要"));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT (SELECT COUNT(*) FROM OPINF)+(SELECT COUNT(*) FROM OPHIST)+"
                                       "(SELECT COUNT(*) FROM OPLICENSE)+(SELECT COUNT(*) FROM OPDEFSISETU) FROM RDB$DATABASE")),
              QStringLiteral("0"));
    // Checked in the prepared file as it was copied: loading the settings of the open data
    // writes missing ACCREG rows back with their defaults.
    EXPECT_EQ(Db(receivedFile).rows(QStringLiteral("SELECT ACODE FROM ACCREG WHERE AGROUP='基本設定' AND ACODE IN ('合算データ区分','合算データ数','残す項目')")),
              QStringList{QStringLiteral("残す項目")});
    EXPECT_TRUE(QFile::exists(QDir(core::SystemDef.WorkDir).filePath(QStringLiteral("qmvjisyo.txt"))));
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(u',').toStdString();
}

TEST_F(LoaderRunTest, PreparationOfOlderDataKeepsReadOnlyAndItsDictionaries) {
    Db(receivedFile).run({
        QStringLiteral("UPDATE ACCDEF1 SET READ_ONLY=1 WHERE REC=1"),
        QStringLiteral("UPDATE ACCVERSION SET MAJOR=11,MINOR1=2,MINOR2=0"),
        QStringLiteral("INSERT INTO TEKDICTI(CREC,SCODE,SORTCODE,TEXT,MOVEMENT) VALUES(11,' ',1,'送信元の見出し',0)"),
    });
    QStringList hostCalls;
    core::HostStatusHook = [&](quint8 index, const QString& text, bool, const QString& text2) {
        hostCalls << QStringLiteral("status %1 %2 %3").arg(index).arg(text, text2);
    };
    core::HostRefreshHook = [&](quint8 index, int value) { hostCalls << QStringLiteral("refresh %1 %2").arg(index).arg(value); };
    const qint32 result = runImport(1, 0);
    core::HostStatusHook = nullptr;
    core::HostRefreshHook = nullptr;
    ASSERT_EQ(result, 1) << lastRows.join(u'\n').toStdString();
    ASSERT_EQ(hostCalls.size(), 4) << hostCalls.join(u'\n').toStdString();
    EXPECT_TRUE(hostCalls[0].startsWith(QStringLiteral("status 0 ") + core::AccInf.SHOUGOU + QStringLiteral(" ")));
    EXPECT_TRUE(hostCalls[0].contains(QStringLiteral(" ～ ")));
    EXPECT_TRUE(hostCalls[1].startsWith(QStringLiteral("status 1 ")));
    EXPECT_EQ(hostCalls.mid(2), (QStringList{QStringLiteral("refresh 0 0"), QStringLiteral("refresh 1 0")}));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT READ_ONLY FROM ACCDEF1")), QStringLiteral("1"));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT TEXT FROM TEKDICTI WHERE CREC=11")), QStringLiteral("送信元の見出し"));
    EXPECT_FALSE(QFile::exists(QDir(core::SystemDef.WorkDir).filePath(QStringLiteral("qmvjisyo.txt"))));
}

TEST_F(LoaderRunTest, AFailedSwapLeavesTheOpenFileAndNoScratch) {
    Db(receivedFile).run({QStringLiteral("UPDATE ACCDEF1 SET SHOUGOU='受信した会社' WHERE REC=1")});
    // The data module keeps the open data attached: the swap must refuse.
    TCashBookImport imp;
    imp.MergeMode = 0;
    imp.ReceiveDataFile = receivedFile;
    imp.AddSyoriLog(cloudexchange::skInfo, 1, QStringLiteral("取り込み処理が成功しました。"));
    imp.CopyReceiveData();
    EXPECT_EQ(imp.GetSyoriResult(), -100);
    EXPECT_EQ(imp.SyoriLog.last().Text, QStringLiteral("受信データの移行処理後のコピーに失敗しました。"));
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(u',').toStdString();
    EXPECT_NE(valueOpen(QStringLiteral("SELECT SHOUGOU FROM ACCDEF1")), QStringLiteral("受信した会社"));

    dm.AccDatDisconnect(QString(), 0, 0);
    imp.ReceiveDataFile = work.filePath(QStringLiteral("missing.fdb")); // the copy itself fails
    imp.CopyReceiveData();
    EXPECT_TRUE(leftovers().isEmpty());
    openData();
    EXPECT_NE(valueOpen(QStringLiteral("SELECT SHOUGOU FROM ACCDEF1")), QStringLiteral("受信した会社"));
}

TEST_F(LoaderRunTest, RoundTripThroughTheCashBook) {
    // The office: master send; its data goes to the cash book, which prepares it.
    linkedPair();
    const QString office = openFolder;
    const QString cashBook = work.filePath(QStringLiteral("cashbook"));
    QDir().mkpath(cashBook);
    ASSERT_TRUE(QFile::copy(sampleDatabase(), QDir(cashBook).filePath(QStringLiteral("qmacc.fdb"))));
    QFile::setPermissions(QDir(cashBook).filePath(QStringLiteral("qmacc.fdb")), QFile::ReadOwner | QFile::WriteOwner);
    dm.AccDatDisconnect(QString(), 0, 0);
    core::SystemDef.DataFolder = cashBook;
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), cashBook, 0));
    ASSERT_TRUE(dm.fnGetAccInfo());
    ASSERT_EQ(runImport(1, 0), 1) << lastRows.join(u'\n').toStdString();

    // The cash book adds two cash entries and sends.
    {
        cloudexchange::TSiwakeWrite writer;
        writer.SetTransaction(&dm.IBTransactionDAT);
        const int rec = cashRecs(1)[0];
        for (int yen : {1000, 2500}) {
            core::TSWKREC r;
            writer.AutoCommit = true;
            writer.GetSiwake(r, rec, false);
            r.REC = r.SWKREC = r.SWKNO = r.RESERVE1 = r.RESERVE2 = r.LINKREC = r.LINKKUB = 0;
            r.LINKKEY.clear();
            r.KINGAKU = core::Currency::fromInt(yen);
            r.TEKTEXT = QStringLiteral("出納帳%1").arg(yen);
            core::CalcSwkRecTax(r);
            writer.AutoCommit = true;
            ASSERT_GT(writer.PutSiwake(r), 0);
        }
    }
    cloudexchange::TCashBookSender sender;
    sender.SendKind = 1;
    sender.SendMode = 1;
    sender.Execute();
    ASSERT_EQ(sender.GetSyoriResult(), 1);
    QFile::remove(receivedFile);
    dm.AccDatDisconnect(QString(), 0, 0);
    ASSERT_TRUE(QFile::copy(QDir(cashBook).filePath(QStringLiteral("qmacc.fdb")), receivedFile));

    // The office merges the cash book back: each entry once, equal balances.
    core::SystemDef.DataFolder = office;
    openData();
    const QString before = valueOpen(QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE DELFLG=0"));
    QStringList rows;
    ASSERT_EQ(runImport(0, 1, &rows), 1) << rows.join(u'\n').toStdString();
    EXPECT_EQ(rows, QStringList{QStringLiteral("1 1 取り込み処理が成功しました。")});
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE DELFLG=0")).toInt(), before.toInt() + 4);
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE TEKTEXT LIKE '出納帳%' AND TAISHAKU=1 AND LOCALFLG=10")),
              QStringLiteral("2"));
    ASSERT_EQ(runImport(0, 1, &rows), 1);
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE DELFLG=0")).toInt(), before.toInt() + 4);
}

// ---- the window ----

namespace {

class LoaderBoxTest : public CashBookMergeTest {};

// Clicks "閉じる" of the box once its run has finished.
void closeWhenDone(TCashBookLoaderBox& box, QTimer& poll) {
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&box] {
        if (box.isVisible() && !box.AutoRunPending && box.btnCancel->isEnabled())
            box.btnCancel->Click();
    });
    poll.start();
}

} // namespace

TEST_F(LoaderBoxTest, InteractiveRunStartsByItselfAndClosesWithOne) {
    linkedPair();
    TCashBookLoaderBox box;
    box.ReceiveKind = 0;
    box.MergeMode = 1;
    box.SetReceiveDataFile(receivedFile);
    EXPECT_FALSE(box.btnOk->isVisible());
    QTimer poll;
    closeWhenDone(box, poll);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(box.exec(), 1);
    EXPECT_GE(timer.elapsed(), 1400);
    EXPECT_EQ(box.GetSyoriResult(), 1);
    EXPECT_EQ(box.ListView1->topLevelItemCount(), 1);
    EXPECT_EQ(box.lblTitle1->text(), QStringLiteral("現金出納帳データの取り込みを行いました。"));
    EXPECT_TRUE(box.btnOutput->isEnabled());
}

TEST_F(LoaderBoxTest, SilentRuns) {
    {
        TCashBookLoaderBox box;
        box.ReceiveKind = 0;
        box.SetReceiveDataFile(receivedFile);
        box.ExecuteSilent();
        EXPECT_EQ(box.GetSyoriResult(), 0);
        EXPECT_TRUE(box.SyoriLog.isEmpty());
    }
    TCashBookLoaderBox box;
    box.ReceiveKind = 1;
    box.MergeMode = 1;
    box.SetReceiveDataFile(work.filePath(QStringLiteral("missing/qmacc.fdb")));
    QTimer poll;
    bool shown = false;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (box.isVisible()) {
            shown = true;
            EXPECT_EQ(box.lblTitle1->text(), QStringLiteral("データの取り込みが中止されました。"));
            box.btnCancel->Click();
        }
    });
    poll.start();
    box.ExecuteSilent();
    EXPECT_TRUE(shown);
    EXPECT_EQ(box.GetSyoriResult(), -100);
}
