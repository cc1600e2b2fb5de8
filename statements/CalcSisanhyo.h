#pragma once
// The trial balance computed by the program's own queries over the account balance tables
// (scope 6 of the readers): by facility or facility group, department or department group,
// tax mode and layout, with the common department "00" shared out by the accounts'
// allocation ratios when the setting asks for it.

#include "statements/BalanceRows.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace statements {

// The whole computation of one setting; the index of the last row used. With HAIBUN 1 and
// SCOPE 6 the first pass only defines the rows: their amounts are then rebuilt department by
// department of the group BCODE in every facility with departments. Both arrays grow when the
// data needs more rows than they hold (they stay the same length). Database errors propagate;
// a transaction this call started is rolled back.
qint32 CalcSisanhyoBySetting(QList<TBALANCE>& rows, QList<TQSORT>& sorts, const TCalcSisanhyoSettingRec& setting);

// One computation for one setting. firstPass creates the rows from the first account row on;
// otherwise the amounts are added into the rows made before, matched by account code (FORM 0)
// or statement line (other forms), and sub-account lines by their code.
qint32 CalcSisanhyoSums(QList<TBALANCE>& rows, QList<TQSORT>& sorts, bool firstPass,
                        const TCalcSisanhyoSettingRec& setting);

// The facility ("SCODE") or department ("BCODE") condition of a setting: one code, the
// members of a group, or empty. Reads the group members on the snapshot transaction.
QString MakeScopeFilter(const TCalcSisanhyoSettingRec& setting, const QString& column);

} // namespace statements
