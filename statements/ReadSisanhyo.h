#pragma once
// The doors through which the rest of the system reads a trial balance and computes the
// statements without knowing which path (ordinary or medical-corporation data) serves the
// open company: AccInf.MedicalData chooses.

#include "statements/KamokuGroup.h"

#include <QString>
#include <QtGlobal>

namespace statements {

// Medical data: pcMbSisanhyo_Read with every argument but ZENKI_ON; otherwise pcSisanhyo_Read
// with every argument but the business kind JIGYOU.
void ReadSisanhyoData(TBalanceArray& rows, qint32 lastRow, TQSortArray& sorts, qint32 lastSort, const QString& SCODE,
                      const QString& BCODE, qint32 TAX, qint32 SCOPE, qint32 FORM, qint32 KIND, qint32 HAIBUN,
                      qint32 JIGYOU, qint32 ZENKI_ON);

// The export's read: medical data the facility comparison (FORM 3, SCOPE 0, KIND 1), ordinary
// data the settlement layout (FORM 4, KIND 1, SCOPE 10 × scopeFactor, codes "dummy").
void ReadSisanhyo(TBalanceArray& rows, qint32 lastRow, TQSortArray& sorts, qint32 lastSort, qint32 scopeFactor,
                  qint32 TAX, qint32 JIGYOU, qint32 ZENKI_ON);

// Medical data: pcMbBalanceSheet_Calcu with all seven arguments; otherwise
// pcBalanceSheet_Calcu with the first six.
void CalcBalanceSheet(TBalanceArray& rows, qint32 lastRow, qint32 noOpening, qint32 kind, qint32 start, qint32 end,
                      qint32 JIGYOU);

} // namespace statements
