#include "link/export/DataLoader.h"

#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/settings/QueryFactory.h"
#include "core/settings/SettingTypes.h"
#include "core/text/DelphiDateFormat.h"
#include "statements/ReadSisanhyo.h"

#include <QDate>
#include <QDateTime>

namespace taxreturn {

namespace {

constexpr int kLastSlot = 15;      // the year-end adjustment slot
constexpr int kFirstHalfEnd = 7;   // last slot of the first half (periods 1..8)
constexpr int kRangeExplicit = 7;  // range kind of the statement computation: start and end given

// The default as the text a SISETREG row stores: a text as it is, other values in the store's
// own text form for the types it knows, else their plain text.
QString defaultText(const QVariant& value, const QString& type)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (std::optional<QString> text = core::SettingTextFromValue(type, value, core::SettingStore::MsdHoukoku))
        return *text;
    if (value.typeId() == QMetaType::QDate)
        return core::formatDateTime(QStringLiteral("yyyy/mm/dd"), value.toDate());
    return value.toString();
}

} // namespace

TPeriodRange NormalizePeriodRange(int startPeriod, int endPeriod, int lastPeriod, int kaisiNo)
{
    TPeriodRange range{startPeriod, endPeriod};
    if (kaisiNo > 1)
        range.StartPeriod = 0;
    if (lastPeriod != kLastSlot && lastPeriod == range.EndPeriod)
        range.EndPeriod = kLastSlot;
    if (range.EndPeriod < kLastSlot)
        range = TPeriodRange{0, kFirstHalfEnd};
    return range;
}

TZaimuDataLoad::TZaimuDataLoad()
{
    Transaction.params() = QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                       QStringLiteral("nowait")};
    if (!core::DM)
        return;
    Transaction.setDefaultDatabase(&core::DM->IBDatabaseDAT);
    for (core::TIBSQL* query : {&LedgerAccountQuery, &LedgerEntryQuery, &SpareQuery}) {
        query->setDatabase(&core::DM->IBDatabaseDAT);
        query->setTransaction(&Transaction);
    }
}

TZaimuDataLoad::~TZaimuDataLoad() = default;

void TZaimuDataLoad::LoadBalances()
{
    RowCount = statements::GetBalanceCount();
    Balances.clear();
    SortKeys.clear();
    Balances.resize(RowCount);
    SortKeys.resize(RowCount);
    RangeKind = kRangeExplicit;

    const TPeriodRange range = NormalizePeriodRange(StartPeriod, EndPeriod, LastPeriod, core::AccInf.KAISINO);
    StartPeriod = range.StartPeriod;
    EndPeriod = range.EndPeriod;

    statements::ReadSisanhyo(Balances, RowCount - 1, SortKeys, RowCount - 1, 1, TaxMode, BusinessKind, 0);
    // The read grows both arrays when the data holds more rows than the count foresaw.
    RowCount = int(Balances.size());
    statements::CalcBalanceSheet(Balances, RowCount - 1, 0, RangeKind, StartPeriod + 1, EndPeriod + 1, BusinessKind);
    RowCount = int(Balances.size());
}

QVariant TZaimuDataLoad::GetFacilitySetting(const QString& SCODE, const QString& RGROUP, const QString& RCODE,
                                            const QVariant& defaultValue, const QString& valueType)
{
    std::unique_ptr<core::TIBQuery> query = core::CreateIBQuery(QStringLiteral("ACCDAT"), false);
    if (!query)
        throw core::Exception(QStringLiteral("施設別設定を読み込めません（データベースに接続されていません）。"));
    core::TransactionScope scope(*query->transaction());

    query->sql() << QStringLiteral("SELECT RTEXT FROM SISETREG")
                 << QStringLiteral("WHERE SCODE=:SCODE AND RGROUP=:RGROUP AND RCODE=:RCODE");
    query->paramByName(QStringLiteral("SCODE")).setString(SCODE);
    query->paramByName(QStringLiteral("RGROUP")).setString(RGROUP);
    query->paramByName(QStringLiteral("RCODE")).setString(RCODE);
    query->execQuery();

    QString text;
    if (!query->eof()) {
        text = query->fieldByName(QStringLiteral("RTEXT")).asString();
        query->close();
    } else {
        query->close();
        text = defaultText(defaultValue, valueType);
        query->sql().clear();
        query->sql() << QStringLiteral("INSERT INTO SISETREG(SCODE,RGROUP,RCODE,RTYPE,RTEXT)")
                     << QStringLiteral("VALUES(:SCODE,:RGROUP,:RCODE,:RTYPE,:RTEXT)");
        query->paramByName(QStringLiteral("SCODE")).setString(SCODE);
        query->paramByName(QStringLiteral("RGROUP")).setString(RGROUP);
        query->paramByName(QStringLiteral("RCODE")).setString(RCODE);
        query->paramByName(QStringLiteral("RTYPE")).setString(valueType);
        query->paramByName(QStringLiteral("RTEXT")).setString(text);
        query->execSQL();
    }
    scope.commit();

    // The five types of the facility settings read as the company settings read them; any
    // other type is refused with the store's fixed text.
    if (!core::IsSettingType(valueType, core::SettingStore::MsdHoukoku))
        return core::kDataTypeError;
    return core::SettingValueFromText(valueType, text, core::SettingStore::MsdHoukoku);
}

} // namespace taxreturn
