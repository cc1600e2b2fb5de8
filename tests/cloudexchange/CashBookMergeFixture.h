#pragma once
// The cash-book exchange between the two copies: the open data after a master send, its copy
// as the received cash book, a writer on the received side, and one take-in run.
#include "CashBookFixture.h"
#include "cloudexchange/CashBookImport.h"
#include "cloudexchange/CashBookSender.h"
#include "cloudexchange/SiwakeWrite.h"
#include "core/tax/SwkTax.h"

namespace cashbooktest {

// A writer and statements on the received database.
class ReceivedSide {
public:
    explicit ReceivedSide(const QString& path) : writer(&db) {
        db.setDatabaseName(path);
        db.params() = {QStringLiteral("user_name=TALLEK"), QStringLiteral("password=vorbin"), QStringLiteral("lc_ctype=SJIS_0208")};
        db.open();
        tr.addDatabase(&db);
        tr.params() = {QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")};
        writer.SetTransaction(&tr);
    }
    ~ReceivedSide() {
        if (tr.inTransaction())
            tr.rollback();
        db.close();
    }
    core::TSWKREC get(int rec) {
        core::TSWKREC r;
        writer.AutoCommit = true;
        writer.GetSiwake(r, rec, false);
        return r;
    }
    int put(core::TSWKREC& r) {
        writer.AutoCommit = true;
        return writer.PutSiwake(r);
    }
    // A new entry made on this side from the contents of entry rec.
    core::TSWKREC added(int rec, int yen, const QString& text) {
        core::TSWKREC r = get(rec);
        r.REC = r.SWKREC = r.SWKNO = 0;
        r.RESERVE1 = r.RESERVE2 = r.LINKREC = r.LINKKUB = r.LOCALFLG = 0;
        r.LINKKEY.clear();
        r.KINGAKU = core::Currency::fromInt(yen);
        r.TEKTEXT = text;
        core::CalcSwkRecTax(r); // the sides' amounts follow the new amount
        put(r);
        return r;
    }
    void remove(int swkRec) {
        writer.AutoCommit = true;
        writer.DeleteSiwake(swkRec);
    }
    void run(const QStringList& statements) {
        tr.startTransaction();
        for (const QString& sql : statements) {
            core::TIBSQL q(&db, &tr);
            q.sql() << sql;
            q.execSQL();
        }
        tr.commit();
    }
    QString value(const QString& sql) {
        tr.startTransaction();
        core::TIBSQL q(&db, &tr);
        q.sql() << sql;
        q.execQuery();
        QStringList columns;
        if (!q.eof())
            for (int i = 0; i < q.fieldCount(); ++i)
                columns << q.fields(i).asString().trimmed();
        q.close();
        tr.commit();
        return columns.join(u' ');
    }

    core::TIBDatabase db;
    core::TIBTransaction tr;
    cloudexchange::TSiwakeWrite writer;
};

class CashBookMergeTest : public CashBookTest {
protected:
    void SetUp() override {
        CashBookTest::SetUp();
        if (HasFatalFailure())
            return;
        cash = core::AccInf.SysKCode[core::skGenkin];
    }

    // The open data after a master send, and the received file its copy.
    void linkedPair() {
        cloudexchange::TCashBookSender sender;
        sender.SendKind = 0;
        sender.SendMode = 0;
        sender.Execute();
        ASSERT_EQ(sender.GetSyoriResult(), 1);
        copyOpenTo(receivedFile);
    }
    void copyOpenTo(const QString& file) {
        dm.AccDatDisconnect(QString(), 0, 0);
        QFile::remove(file);
        ASSERT_TRUE(QFile::copy(openFile, file));
        openData();
    }
    QStringList logRows(const cloudexchange::TCashBookImport& imp) {
        QStringList out;
        for (const core::TTessaroSyoriInfo& row : imp.SyoriLog)
            out << QStringLiteral("%1 %2 %3").arg(row.Kind).arg(row.Code).arg(row.Text);
        return out;
    }
    // One take-in run; its log rows as "kind code text".
    qint32 runImport(quint8 kind, quint8 merge, QStringList* rows = nullptr) {
        cloudexchange::TCashBookImport imp;
        imp.ReceiveKind = kind;
        imp.MergeMode = merge;
        imp.SetReceiveDataFile(receivedFile);
        imp.RunImport();
        if (rows)
            *rows = logRows(imp);
        lastRows = logRows(imp);
        return imp.GetSyoriResult();
    }
    QString cashWhere(const QString& alias = QString()) const {
        return QStringLiteral("(%1KCODE='%2' OR %1R_KCODE='%2')").arg(alias, cash);
    }
    // The first live cash entries of the open data's debit rows.
    QList<int> cashRecs(int n) {
        QList<int> out;
        for (const QString& r : rowsOpen(QStringLiteral("SELECT FIRST %1 REC FROM SIWAKE WHERE TAISHAKU=1 AND DELFLG=0 AND %2 ORDER BY REC")
                                             .arg(n).arg(cashWhere())))
            out << r.toInt();
        return out;
    }
    QString cash;
    QStringList lastRows;
};

} // namespace cashbooktest
