#pragma once
// The operators logged on to the system database (LOGONUSERLIST with their names), shown
// before a schema upgrade so that the user can ask them to end their sessions.

#include "core/db/IBSQL.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace companydata {

struct TLoginUserListRec {
    qint32 OperatorCode = 0;
    QString OpName;
    QString PcName;
};

class TLoginUserList {
public:
    virtual ~TLoginUserList() = default;

    qint32 Count = 0;
    qint32 GroupId = 0;
    qint32 OwnCode = 0; // the caller's session code (GROUPID × 10000 + login code)
    bool IncludeSelf = false;

    void Clear();
    // Operator code and name of entry i; 0 and the empty text outside 0 .. Count - 1.
    qint32 GetOpCode(int i) const;
    QString GetOpName(int i) const;

    const QList<TLoginUserListRec>& Entries() const { return entries_; }
    const QStringList& Lines() const { return lines_; }

protected:
    TLoginUserList() = default;

    core::TIBSQL sql_;
    QList<TLoginUserListRec> entries_;
    QStringList lines_;
};

class TLoginUserListOnDef : public TLoginUserList {
public:
    // The statement on the data module's system database and its transaction IBTransactionDEF.
    TLoginUserListOnDef();

    // Fills the list with the logons of the group, without the caller's own session unless
    // includeSelf; returns Count. A failure is reported when the transaction was started here
    // and is passed on.
    qint32 Execute(qint32 group, qint32 ownCode, bool includeSelf);
};

} // namespace companydata
