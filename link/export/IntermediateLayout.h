#pragma once
// The fixed parts of the intermediate file: the root REPORT with SYSTEM, and BASIC with the
// fixed PATTERN, plus the names of the DATA children in the order DATA holds them. The export
// base fills the values; the builders of DATA take the names from here.

#include "link/export/XmlSaveDoc.h"

#include <QDate>
#include <QString>

namespace taxreturn {

inline const QString kElemReport = QStringLiteral("REPORT");
inline const QString kElemSystem = QStringLiteral("SYSTEM");
inline const QString kElemBasic = QStringLiteral("BASIC");
inline const QString kElemData = QStringLiteral("DATA");

// Children of DATA, in file order.
inline const QString kElemBalanceSheet = QStringLiteral("BalanceSheet");
inline const QString kElemIncomeStatement = QStringLiteral("IncomeStatement");
inline const QString kElemManufacturingSchedule = QStringLiteral("ScheduleCostGoodsManufactured");
inline const QString kElemChangesNetAssets = QStringLiteral("StatementChangesNetAssets");
inline const QString kElemNotes = QStringLiteral("ListNotesNonConsolidated");
inline const QString kElemAppropriation = QStringLiteral("StatementAppropriationRetainedEarnings");
inline const QString kElemGeneralLedger = QStringLiteral("HJ00780S");

// Attributes of statement lines.
inline const QString kAttrLabel = QStringLiteral("Label");
inline const QString kAttrAmount = QStringLiteral("Amount");

struct TSystemValues {
    QString GyoumuPrefix;
    int FileVersion = 1;
    int FunctionId = 3;
    QString ConnectedProgramVer;
    QString ProgramName;
    QString ProgramVer;
};

struct TBasicValues {
    QString GyoumuPrefix;
    QString KomonsakiName;
    QDate KishuDate;
    QDate KimatuDate;
};

// Creates the root REPORT and its SYSTEM element; returns the root.
IXMLNode WriteSystemElement(TXmlSaveDoc& doc, const TSystemValues& values);

// Appends BASIC under the root. Only the prefixes "HJ21", "RC25" and "GC34" have a layout;
// any other raises EDataExportError code 256.
void WriteBasicElement(TXmlSaveDoc& doc, const TBasicValues& values);

} // namespace taxreturn
