#pragma once
// The appropriation statement of medical-corporation data (利益処分（案） or 損失金処理（案）):
// the unappropriated retained earnings of the statement computation, the reserve reversals,
// appropriations or deficit dispositions, the general meeting's and the audit's dates and the
// directors and auditors, all from the company's settings. Written as
// StatementAppropriationRetainedEarnings.

#include "core/Currency.h"
#include "link/export/XmlSaveDoc.h"

#include <QString>
#include <QVariant>

#include <array>
#include <functional>

namespace taxreturn {

struct TRiekiSyobunItemValue {
    bool Flag = false; // on a head: the group is written
    QString ItemLabel;
    QString ItemAmount;
};

struct TYakuinItemValue {
    QString OfficerTitle;
    QString OfficerName;
};

// Entry 0 of each line group is its head (label, total, Flag); entries 1 and up its lines.
struct TRiekiSyobunKeisansyoItemValue {
    QString TitleKind; // "利益" or "損失"
    QString AgmDate;   // always empty
    TRiekiSyobunItemValue Unappropriated;
    std::array<TRiekiSyobunItemValue, 8> DeficitLines;
    std::array<TRiekiSyobunItemValue, 4> ReserveLines;
    TRiekiSyobunItemValue Unused1;
    std::array<TRiekiSyobunItemValue, 8> AppropriationLines;
    std::array<TRiekiSyobunItemValue, 3> Unused2;
    QString DirectorsDate;
    std::array<TYakuinItemValue, 7> DirectorList;
    QString AuditorsDate;
    std::array<TYakuinItemValue, 2> AuditorList;
};

// The typed reader of the facility settings table SISETREG: (SCODE, RGROUP, RCODE, default,
// type) → value; a missing row is inserted with the default.
using TFacilitySettingReader =
    std::function<QVariant(const QString&, const QString&, const QString&, const QVariant&, const QString&)>;

inline const QString kFacilitySettingGroup = QStringLiteral("施設別決算書");
inline const QString kAccRegSettlementGroup = QStringLiteral("決算書");

// Fills the statement from the settings: facility settings through the reader (SCODE empty,
// RGROUP "施設別決算書"), dates and officers from ACCREG group "決算書" and the company's officer
// titles (AccInf YAKUMEI). unappropriated: the range-end balance of the statement computation's
// unappropriated-retained-earnings row. Runs inside the company transaction, started and
// committed here when none is active. Database errors pass on.
TRiekiSyobunKeisansyoItemValue MakeAppropriationStatement(core::Currency unappropriated,
                                                          const TFacilitySettingReader& facilitySetting);

// Writes StatementAppropriationRetainedEarnings under DATA.
void WriteAppropriationStatement(TXmlSaveDoc& doc, IXMLNode data, const TRiekiSyobunKeisansyoItemValue& value);

} // namespace taxreturn
