#pragma once
// The journal-entry writer: checks an entry, inserts or updates it through the company
// schema's procedures, deletes and undeletes it, reads it back, resets a record to a new
// entry and looks up the accounts of a facility. Works on the open company database inside
// the caller's transaction, or, with the one-shot AutoCommit, in one of its own.

#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/session/SharedRecords.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

namespace core {
class TIBDatabase;
}

namespace cloudexchange {

// The result of the last account lookup.
struct TSiwakeKamokuInfo {
    QString SCODE;
    QString SNAME;
    QString BCODE;
    QString BNAME;
    QString USERCODE;
    core::TKMKREC Kamoku;
    QString HCODE;
    QString HNAME;
    qint32 H_TAX_LCODE = 0;
    qint32 H_TAX_RCODE = 0;
};

class TSiwakeWrite {
public:
    // The statement works on the database (default: the data module's company database).
    explicit TSiwakeWrite(core::TIBDatabase* database = nullptr);

    quint8 DataMode = 0;     // message variant of TestSiwake: 0 interactive, 1 data transfer
    bool AutoCommit = false; // one-shot: the next operation runs in its own committed transaction
    QString SCODE;
    TSiwakeKamokuInfo KamokuInfo;
    QList<core::TKamokuRec> KamokuArray;
    qint32 KamokuCount = 0;
    QStringList KamokuIndex; // "USERCODE=first row index"
    // Switches 1-7 (index 0-6): 1 not consulted, then account, tax-code, amount, text-cleaning,
    // individual-cost and approval checks.
    std::array<bool, 7> CheckOptions{};
    qint32 KakoMode = 0;     // 0 current year, 1 and 2 the past-year views
    QList<QPair<QString, qint32>> KobetuCodes;
    qint32 KobetuIndex = -1;
    // Attempts of PutSiwake when the entry's rows are held by another transaction.
    int LockRetries = 3;
    int LockRetryPauseMs = 200;

    void SetTransaction(core::TIBTransaction* transaction);
    core::TIBTransaction* Transaction() const { return transaction_; }
    void SetDefaultChecks();

    // Part of the check; code 0 and an empty message when the entry passes.
    bool TestSiwake(core::TSWKREC& rec, qint32& code, QString& message);
    // The new REC after an insert, 0 after an update, -1 (deleted meanwhile) or -2 (corrected
    // meanwhile) when the update was refused.
    qint32 PutSiwake(core::TSWKREC& rec);
    qint32 DeleteSiwake(qint32 swkRec);
    bool RestoreSiwake(qint32 swkRec);
    void GetSiwake(core::TSWKREC& rec, qint32 recNo, bool useView);
    void InitSiwake(core::TSWKREC& rec, qint32 kessan, const QDate& date);
    bool GetKamokuInfo(const QString& scode, const QString& bcode, const QString& userCode, const QString& hcode);
    void ClearKamokuInfo();
    bool SetSCODE(const QString& scode);
    bool GetKamokuArray(const QString& scode);
    bool FindKobetuCode(const QString& code);

private:
    // Starts the transaction for an AutoCommit operation; true when this call started it.
    bool beginAuto();
    void commitAuto();
    void rollbackAuto(bool started);
    // Runs one AutoCommit operation: committed after body, rolled back and rethrown on an
    // error (a database error is reported under the operation's name first).
    template <class Body>
    auto runAuto(const char* operation, Body&& body) -> decltype(body());
    qint32 putOnce(core::TSWKREC& rec);
    void bindCommon(const core::TSWKREC& rec);
    QString kamokuSelectList(bool forArray) const;
    bool runTestSiwake(core::TSWKREC& rec, qint32& code, QString& message);
    bool checkSide(core::TSWKREC& rec, bool debit, const QStringList& stored, qint32& code, QString& message);
    bool checkSideTax(core::TSWKREC& rec, bool debit, qint32& code, QString& message);

    core::TIBDatabase* database_;
    core::TIBTransaction* transaction_ = nullptr;
    core::TIBSQL sql_;
};

// Version of the open company data (AccInf) is at least major.minor.release.
bool DataVersionAtLeast(int major, int minor, int release);

} // namespace cloudexchange
