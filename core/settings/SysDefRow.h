#pragma once
// The operator's SYSDEF row and the operator settings part of TSystemDef: reading a row into
// the record, the update statement and its parameters, and the defaults of a new row.

#include <QStringList>
#include <QtGlobal>

namespace core {

class TIBSQL;
struct TSystemDef;

// Copies the columns of the statement's current row (SELECT * FROM SYSDEF) into the record:
// DataDir into DataFolder; a header gradient colour of 0 takes its default (0xFFFFFF,
// 0xBBBBBB). The switch words are not unpacked here.
void ReadSysDefRow(TIBSQL& row, TSystemDef& def);

// "UPDATE SYSDEF SET" with one "column=:column," line per written column, then
// "WHERE OPCODE=:OPCODE". Shouhyou is not written: this program does not keep it, and
// writing it would wipe what other programs sharing the row stored there.
QStringList SysDefUpdateSql();
// Every parameter of the update from the record (DataDir from DataFolder, OPCODE the
// session code).
void BindSysDefUpdate(TIBSQL& update, const TSystemDef& def);

// The INSERT of a first login's row, parameters bound: the default colours, print colours and
// dictionary switches (other ones in the OEM edition).
void PrepareSysDefInsert(TIBSQL& insert, qint32 opcode, bool oemEdition);

} // namespace core
