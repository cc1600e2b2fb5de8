#pragma once
// The work of the cash-book take-in without its window: a received company database is either
// merged into the open company data (merge mode: accounts, sub-accounts, opening balances of
// the cash account, cash journal entries, cash balance) or prepared to replace the open data's
// database file (preparation mode: dictionaries, data-list name, clean-up, then the file
// swap). Both databases are written in one transaction, committed or rolled back together.
// Everything it does goes into its processing log.

#include "cloudexchange/CashBookSyoriLog.h"
#include "cloudexchange/DictionaryFile.h"
#include "cloudexchange/SiwakeWrite.h"
#include "companydata/SitenList.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

namespace cloudexchange {

// Log details of the journal entry being merged.
struct TSiwakeInfo {
    qint32 Number = 0;
    QString Date;
    QString Aite;
    QString Tekiyo;
    QString Kingaku;
};

// What the lookup of a local copy of a received entry found.
struct TFoundSiwake {
    bool Found = false;
    qint32 REC = 0;
    qint32 SWKNO = 0;
    qint32 LINKREC = 0;
    qint32 DELFLG = 0;
    qint32 RESERVE1 = 0;
    qint32 RESERVE2 = 0;
    bool Deleted() const { return Found && DELFLG == 1; }
};

class TCashBookImport : public TSyoriLogOwner {
public:
    TCashBookImport();
    virtual ~TCashBookImport();

    bool TransactionWasActive = false;
    QString ReceiveDataFile;
    quint8 ReceiveKind = 0; // 0 cash-book data, 1 accounting data
    quint8 MergeMode = 1;   // 1 merge, 0 preparation
    qint32 RecvMajor = 0;
    qint32 RecvMinor1 = 0;
    qint32 RecvMinor2 = 0;

    core::TIBDatabase ReceiveIBDatabase;
    core::TIBTransaction ReceiveIBTransaction;
    core::TIBSQL ReceiveIBSQL1;
    core::TIBSQL ReceiveIBSQL2;
    core::TIBSQL IBSQL1; // open company database
    core::TIBSQL IBSQL2;
    std::unique_ptr<companydata::TSitenList> SitenList;
    std::unique_ptr<TJisyoLoader> JisyoLoader;
    std::unique_ptr<TSiwakeWrite> SiwakeWrite;
    core::TSWKREC SwkRec;

    // The window shows step captions and progress through these (each may be empty).
    std::function<void(const QString&)> ShowStep;
    std::function<void(int)> SetProgress; // 0..7

    // Stores the path; when the file exists the received database is set to it with the
    // session's user, password and SJIS_0208.
    void SetReceiveDataFile(const QString& path);

    // The whole run after its guard: the in-use check, the connections, the take-in, the
    // reconnection of the company data and, after a success, the reload of its settings.
    void RunImport();
    void ImportReceiveData();
    void CheckDataVersion();

    // Merge of masters and balances.
    bool CheckKamokuTaikei();
    QString MapOldGroupCode(const QString& groupM0, const QString& kcode) const;
    bool ImportHojo();
    bool ImportKaisiZan();
    void CompareGenkinZan();

    // Merge of journal entries.
    bool ImportGenkinSiwake();

    // Preparation.
    bool PrepareGenkinSiwake();
    bool MoveJisyo();
    bool UpdateDataListName();
    bool CleanUpReceiveData();
    void CopyReceiveData();

protected:
    void step(const QString& caption);
    void progress(int delta);
    int progress_ = 0;

private:
    void initRun();
    void setTransactions();
    void endTransaction(bool commit);
    void makeSyoriResultInfo();
    bool hasErrorRow() const;
    [[noreturn]] void failStep(const QString& message, const std::exception& e);
    QString cashAccount() const;
    QString versionText() const;

    // Journal merge sub-steps.
    void FindLocalSiwake(core::TIBSQL& r, int siwakeClass, TFoundSiwake& found);
    bool ReceivedSiwakeWins(core::TIBSQL& r, const TFoundSiwake& found) const;
    void LinkSiwake(core::TIBSQL& r, const TFoundSiwake& found);
    void RestoreLocalSiwake(core::TIBSQL& r, const TFoundSiwake& found);
    void FillSwkRec(core::TIBSQL& r);
    qint32 WriteSwkRec(QString& message);
    void LogSiwake(qint32 code, const QString& message);
    bool runLookup(const QString& condition, const std::function<void(core::TIBSQL&)>& bind, TFoundSiwake& found);
    TSiwakeInfo siwakeInfo_;

    // Balance of the cash account in one database.
    qint64 genkinZan(core::TIBSQL& q, bool received, int dac, bool& comparable);
};

} // namespace cloudexchange
