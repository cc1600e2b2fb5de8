#include "statements/ReadSisanhyo.h"

#include "core/Globals.h"
#include "statements/BalanceSheetCalc.h"
#include "statements/MbBalanceSheet.h"
#include "statements/MbSisanhyo.h"
#include "statements/SisanhyoRead.h"

namespace statements {

void ReadSisanhyoData(TBalanceArray& rows, qint32 lastRow, TQSortArray& sorts, qint32 lastSort, const QString& SCODE,
                      const QString& BCODE, qint32 TAX, qint32 SCOPE, qint32 FORM, qint32 KIND, qint32 HAIBUN,
                      qint32 JIGYOU, qint32 ZENKI_ON) {
    if (core::AccInf.MedicalData)
        pcMbSisanhyo_Read(rows, lastRow, sorts, lastSort, SCODE, BCODE, TAX, SCOPE, FORM, KIND, HAIBUN, JIGYOU);
    else
        pcSisanhyo_Read(rows, lastRow, sorts, lastSort, SCODE, BCODE, TAX, SCOPE, FORM, KIND, HAIBUN, ZENKI_ON);
}

void ReadSisanhyo(TBalanceArray& rows, qint32 lastRow, TQSortArray& sorts, qint32 lastSort, qint32 scopeFactor,
                  qint32 TAX, qint32 JIGYOU, qint32 ZENKI_ON) {
    if (core::AccInf.MedicalData)
        ReadSisanhyoData(rows, lastRow, sorts, lastSort, QString(), QString(), TAX, 0, 3, 1, 0, JIGYOU, 0);
    else
        ReadSisanhyoData(rows, lastRow, sorts, lastSort, QStringLiteral("dummy"), QStringLiteral("dummy"), TAX,
                         10 * scopeFactor, 4, 1, 0, JIGYOU, ZENKI_ON);
}

void CalcBalanceSheet(TBalanceArray& rows, qint32 lastRow, qint32 noOpening, qint32 kind, qint32 start, qint32 end,
                      qint32 JIGYOU) {
    if (core::AccInf.MedicalData)
        pcMbBalanceSheet_Calcu(rows, lastRow, noOpening, kind, start, end, JIGYOU);
    else
        pcBalanceSheet_Calcu(rows, lastRow, noOpening, kind, start, end);
}

} // namespace statements
