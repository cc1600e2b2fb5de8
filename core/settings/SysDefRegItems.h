#pragma once
// The operator's SYSREG items that travel with the SYSDEF row: written with their first
// values at the first login, read into TSystemDef after login and written back with the row.
// Each runs inside the caller's system transaction (DM->IBTransactionDEF, active), so that a
// failure reaches the caller, which decides for the whole.

#include <QtGlobal>

namespace core {

struct TSystemDef;

// The first values of a new operator (more items, and other dictionary switches, in the OEM
// edition).
void WriteFirstLoginSysRegItems(qint32 opcode, bool oemEdition);

// Resets the OEM-only fields, then reads every item into the record (a missing item is
// inserted with its default).
void ReadOperatorSysRegItems(TSystemDef& def, bool oemEdition);

// Writes the items from the record. データ破損チェック区 (group-wide) and 試算表行数調整区分 are not
// written.
void WriteOperatorSysRegItems(const TSystemDef& def, bool oemEdition);

} // namespace core
