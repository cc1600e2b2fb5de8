#pragma once
// Recognises the system accounts of the open company data by a side's account user code, as
// the journal writer passes it (AccInf.SysUserCode by slot).

#include "core/Globals.h"

#include <QString>

namespace core {

// An empty slot (the data has no such account) matches no account, not even an empty code.
inline bool IsSysKamokuCode(const QString& accountCode, SysKamokuSlot slot)
{
    const QString& sysCode = AccInf.SysUserCode[size_t(slot)];
    return !sysCode.isEmpty() && accountCode == sysCode;
}

// 仮払消費税 or 仮受消費税.
inline bool IsTaxKamokuCode(const QString& accountCode)
{
    return IsSysKamokuCode(accountCode, skKaribaraiZei) || IsSysKamokuCode(accountCode, skKariukeZei);
}

} // namespace core
