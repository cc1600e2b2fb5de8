#pragma once
// The operators of one group, for pick lists: read from OPERATOR of the system database with
// the name of their level. A system database of an older schema has no MYNUMBER_ADM and
// SHONIN columns; its operators are read without them (neither right set).

#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace core {
class TDM;
}

namespace companydata {

using TUseSitenList = QStringList;

struct TUserListRec {
    qint32 GroupId = 0;
    qint32 OpCode = 0;
    QString OpName;
    QString Password;
    qint32 JobLevel = 0;
    QString LevelName;
    bool Jimusho = false;
    bool Okiniiri = false;
    bool Kansa = false;          // not read by this list
    TUseSitenList UseSitenList;  // not read by this list
    QString DataPas;             // not read by this list
    bool MyNumberAdm = false;
    bool Shonin = false;
};

class TUserList {
public:
    // Statements on the data module's system and company databases, on a transaction of the
    // list's own (read committed). The data module must exist.
    TUserList();
    ~TUserList();
    TUserList(const TUserList&) = delete;
    TUserList& operator=(const TUserList&) = delete;

    // When not empty, the list starts with an entry of this name (code 0, level 9).
    QString FirstEntryName;
    qint32 GroupId = 0;
    qint32 Count = 0;
    // Display lines of quoted, tab-separated fields for grids.
    bool TabFormat = false;
    // Only operators with the approval right.
    bool ApproversOnly = false;

    void Clear();
    // Fills the list. A failure is reported when the list started the transaction (inside a
    // caller's transaction the caller decides) and gives false; the list keeps what was read.
    bool Execute();

    qint32 GetOpCode(int i) const;
    int IndexOfOpCode(qint32 code) const;
    // The display lines, each followed by CR LF.
    QString GetListText() const;
    // side 0: the system statement moves to the transaction; any other side but -1: the
    // company statement; -1: both back on the list's own transaction.
    void SetTransaction(core::TIBTransaction* transaction, int side);

    const QList<TUserListRec>& Entries() const { return entries_; }
    const QStringList& Lines() const { return lines_; }

private:
    void readOperators(core::TIBSQL& q);
    void syncOwnTransaction();

    core::TDM& dm_;
    core::TIBTransaction ownTransaction_;
    core::TIBSQL systemSql_;
    core::TIBSQL companySql_;
    QList<TUserListRec> entries_;
    QStringList lines_;
};

} // namespace companydata
