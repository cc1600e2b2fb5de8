#include "link/export/Appropriation.h"

#include "core/Globals.h"
#include "core/dates/Gengo.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/settings/AccReg.h"
#include "core/settings/SettingTypes.h"
#include "core/text/NumberText.h"
#include "link/export/ComDataExport.h"
#include "link/export/DataLoader.h"
#include "link/export/IntermediateLayout.h"
#include "link/export/ValueFormats.h"

namespace taxreturn {

namespace {

const QString kUnappropriatedLabel = QStringLiteral("当期未処分利益");
const QString kDeficitLabel = QStringLiteral("損失処理額");
const QString kReserveLabel = QStringLiteral("任意積立金取崩額");
const QString kAppropriationLabel = QStringLiteral("利益処分額");

// The facility settings of the statement are those of facility 0: their keys end in "(0)".
QString FacilityKey(const QString& base) {
    return base + QStringLiteral("(0)");
}

core::Currency ToCurrency(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<core::Currency>())
        return value.value<core::Currency>();
    return core::StrToCurrDefZero(value.toString());
}

class Settings {
public:
    explicit Settings(const TFacilitySettingReader& reader) : reader_(reader) {
        if (!reader_)
            reader_ = &TZaimuDataLoad::GetFacilitySetting;
    }

    QString Text(const QString& base, const QString& defaultText) const {
        return reader_(QString(), kFacilitySettingGroup, FacilityKey(base), defaultText, core::kTypeMoji).toString();
    }
    core::Currency Amount(const QString& base) const {
        return ToCurrency(reader_(QString(), kFacilitySettingGroup, FacilityKey(base), QStringLiteral("0"),
                                  core::kTypeKingaku));
    }
    static QString AccRegText(const QString& key, const QString& defaultText) {
        return core::funcGetAccReg(kAccRegSettlementGroup, key, core::kTypeMoji, defaultText).toString();
    }

private:
    TFacilitySettingReader reader_;
};

// Fills lines 1..count of a group from the numbered amount and name settings; the head (entry
// 0) gets the label, the total and the flag that some line is not zero.
template <size_t N>
void FillLines(std::array<TRiekiSyobunItemValue, N>& lines, const Settings& settings, const QString& head,
               const QString& base, int count) {
    static const QString kDigits = QStringLiteral("１２３４５６７");
    core::Currency total;
    lines[0].ItemLabel = head;
    for (int n = 1; n <= count && size_t(n) < N; ++n) {
        const QString stem = base + kDigits[n - 1];
        const core::Currency amount = settings.Amount(stem + QStringLiteral("￥"));
        lines[size_t(n)].ItemLabel = settings.Text(stem, QString());
        lines[size_t(n)].ItemAmount = FormatAmount(amount);
        total += amount;
        if (amount != core::Currency{})
            lines[0].Flag = true;
    }
    lines[0].ItemAmount = FormatAmount(total);
}

// An era date of four "文字" settings of group "決算書" as "yyyy-mm-dd"; empty when they form
// no date after the zero date.
QString EraDateSetting(const QString& eraKey, const QString& yearKey, const QString& monthKey, const QString& dayKey) {
    core::TWarekiRec wareki;
    wareki.name = Settings::AccRegText(eraKey, QString()).trimmed();
    wareki.year = qint16(Settings::AccRegText(yearKey, QStringLiteral("0")).trimmed().toInt());
    wareki.month = qint16(Settings::AccRegText(monthKey, QStringLiteral("0")).trimmed().toInt());
    wareki.day = qint16(Settings::AccRegText(dayKey, QStringLiteral("0")).trimmed().toInt());
    const QDate date = core::WarekiToDate(wareki);
    if (!date.isValid() || date <= QDate(1899, 12, 30))
        return QString();
    return FormatIsoDate(date);
}

void Build(TRiekiSyobunKeisansyoItemValue& value, core::Currency unappropriated, const Settings& settings) {
    QString title;
    QString heading;
    if (unappropriated >= core::Currency{}) {
        title = settings.Text(QStringLiteral("タイトル＋"), QStringLiteral("利益処分（案）"));
        heading = settings.Text(QStringLiteral("利益金処分＋"), QStringLiteral("【利益処分額】"));
    } else {
        title = settings.Text(QStringLiteral("タイトル－"), QStringLiteral("損失金処理（案）"));
        heading = settings.Text(QStringLiteral("利益金処分－"), QStringLiteral("【損失金処理額】"));
    }
    value.TitleKind = title.contains(QStringLiteral("利益")) ? QStringLiteral("利益") : QStringLiteral("損失");
    value.AgmDate.clear();
    value.Unappropriated.ItemLabel = kUnappropriatedLabel;
    value.Unappropriated.ItemAmount = FormatAmount(unappropriated);

    FillLines(value.ReserveLines, settings, kReserveLabel, QStringLiteral("積立金取崩"), 3);
    value.AppropriationLines[0].ItemLabel = kAppropriationLabel;
    value.DeficitLines[0].ItemLabel = kDeficitLabel;
    if (heading.contains(QStringLiteral("利益")))
        FillLines(value.AppropriationLines, settings, kAppropriationLabel, QStringLiteral("利益金処分"), 7);
    else
        FillLines(value.DeficitLines, settings, kDeficitLabel, QStringLiteral("利益金処分"), 7);

    value.DirectorsDate = EraDateSetting(QStringLiteral("総会元号"), QStringLiteral("総会年"), QStringLiteral("総会月"),
                                         QStringLiteral("総会日"));
    static const QString kDigits = QStringLiteral("１２３４５６");
    for (int n = 0; n < 6; ++n) {
        value.DirectorList[size_t(n)].OfficerTitle = core::AccInf.YAKUMEI[n == 0 ? 0 : 1];
        value.DirectorList[size_t(n)].OfficerName = Settings::AccRegText(QStringLiteral("理事") + kDigits[n], QString());
    }
    value.AuditorsDate = EraDateSetting(QStringLiteral("監査元号"), QStringLiteral("監査年"), QStringLiteral("監査月"),
                                        QStringLiteral("監査日"));
    for (int n = 0; n < 2; ++n) {
        value.AuditorList[size_t(n)].OfficerTitle = core::AccInf.YAKUMEI[2];
        value.AuditorList[size_t(n)].OfficerName = Settings::AccRegText(QStringLiteral("監査") + kDigits[n], QString());
    }
}

bool Named(const TYakuinItemValue& officer) {
    return !TComDataExport::RemoveBlanks(officer.OfficerName).isEmpty();
}

// A head with its non-zero lines, when the head's flag is set.
template <size_t N>
void WriteLineGroup(TXmlSaveDoc& doc, IXMLNode parent, const QString& element,
                    const std::array<TRiekiSyobunItemValue, N>& lines, int count) {
    if (!lines[0].Flag)
        return;
    IXMLNode head =
        doc.AddNodeAttrs(parent, element, {{kAttrLabel, lines[0].ItemLabel}, {kAttrAmount, lines[0].ItemAmount}});
    for (int n = 1; n <= count && size_t(n) < N; ++n) {
        if (!lines[size_t(n)].ItemAmount.isEmpty())
            doc.AddTextNodeAttrs(head, QStringLiteral("Item"), lines[size_t(n)].ItemAmount,
                                 {{kAttrLabel, lines[size_t(n)].ItemLabel}});
    }
}

} // namespace

TRiekiSyobunKeisansyoItemValue MakeAppropriationStatement(core::Currency unappropriated,
                                                          const TFacilitySettingReader& facilitySetting) {
    TRiekiSyobunKeisansyoItemValue value;
    const Settings settings(facilitySetting);
    core::TransactionScope scope(core::RequireDM().IBTransactionDAT);
    try {
        Build(value, unappropriated, settings);
    } catch (...) {
        try {
            scope.commit();
        } catch (...) {
        }
        throw;
    }
    scope.commit();
    return value;
}

void WriteAppropriationStatement(TXmlSaveDoc& doc, IXMLNode data, const TRiekiSyobunKeisansyoItemValue& value) {
    const QString none;
    IXMLNode statement = doc.AddNode(data, kElemAppropriation, none, none);
    doc.AddTextNode(statement, QStringLiteral("StatementTitle"), none, none, value.TitleKind);
    doc.AddTextNode(statement, QStringLiteral("StatementAppropriationRetainedEarningsAGMApprovalDate"), none, none,
                    value.AgmDate);

    IXMLNode abstract =
        doc.AddNode(statement, QStringLiteral("AppropriationUnappropriatedRetainedEarningsEndYearAbstract"), none, none);
    IXMLNode unappropriated = doc.AddNodeAttrs(abstract, QStringLiteral("UnappropriatedRetainedEarningsEndYear"),
                                               {{kAttrLabel, kUnappropriatedLabel},
                                                {kAttrAmount, value.Unappropriated.ItemAmount}});
    doc.AddTextNodeAttrs(unappropriated, QStringLiteral("Item"), value.Unappropriated.ItemAmount,
                         {{kAttrLabel, kUnappropriatedLabel}});
    WriteLineGroup(doc, abstract, QStringLiteral("DispositionDeficit"), value.DeficitLines, 7);
    WriteLineGroup(doc, abstract, QStringLiteral("ReversalVoluntaryReserve"), value.ReserveLines, 3);
    WriteLineGroup(doc, abstract, QStringLiteral("Appropriations"), value.AppropriationLines, 7);

    IXMLNode notes = doc.AddNode(statement, QStringLiteral("StatementAppropriationRetainedEarningsNotesAbstract"), none,
                                 none);
    IXMLNode directors = doc.AddNode(notes, QStringLiteral("DirectorsReportAbstract"), none, none);
    doc.AddTextNode(directors, QStringLiteral("DirectorsReportingDate"), none, none, value.DirectorsDate);
    for (const auto& director : value.DirectorList) {
        if (!Named(director))
            continue;
        IXMLNode node = doc.AddNode(directors, QStringLiteral("Directors"), none, none);
        doc.AddTextNode(node, QStringLiteral("DirectorTitle"), none, none, director.OfficerTitle);
        doc.AddTextNode(node, QStringLiteral("DirectorName"), none, none, director.OfficerName);
    }
    IXMLNode auditors = doc.AddNode(notes, QStringLiteral("AuditorsReportAbstract"), none, none);
    doc.AddTextNode(auditors, QStringLiteral("AuditorsReportingDate"), none, none, value.AuditorsDate);
    // Unlike a director, an auditor without a name still gets its (empty) element.
    for (const auto& auditor : value.AuditorList) {
        IXMLNode node = doc.AddNode(auditors, QStringLiteral("Auditors"), none, none);
        if (!Named(auditor))
            continue;
        doc.AddTextNode(node, QStringLiteral("AuditorTitle"), none, none, auditor.OfficerTitle);
        doc.AddTextNode(node, QStringLiteral("AuditorName"), none, none, auditor.OfficerName);
    }
}

} // namespace taxreturn
