// What kind of company data set is open: data and code type names, medical data, read-only
// data and the audit lock.
#include "core/dm/TDM.h"

#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dates/SerialDate.h"
#include "core/session/MedicalLayout.h"

namespace core {

namespace {

constexpr qint32 kHoujin = 1;
constexpr qint32 kKojin = 2;
constexpr qint32 kIryouHoujin = 3;

[[noreturn]] void unsupportedDataType(qint32 dataType) {
    throw Exception(QStringLiteral("このプログラムでは、該当のデータタイプを処理することが出来ません。") +
                    QStringLiteral("(DataType=%1)").arg(dataType));
}

[[noreturn]] void unsupportedCodeType(qint32 codeType) {
    throw Exception(QStringLiteral("このプログラムでは、該当のコードタイプを処理することが出来ません。") +
                    QStringLiteral("(CodeType=%1)").arg(codeType));
}

// The code type's own name; only 個人 data names its code types.
QString codeTypeName(qint32 dataType, qint32 codeType) {
    switch (dataType) {
    case kHoujin:
    case kIryouHoujin:
        if (codeType == 1)
            return QString();
        break;
    case kKojin:
        switch (codeType) {
        case 1: return QStringLiteral("一般");
        case 2: return QStringLiteral("不動産");
        case 3: return QStringLiteral("クリニック");
        case 4: return QStringLiteral("農業");
        }
        break;
    default:
        unsupportedDataType(dataType);
    }
    unsupportedCodeType(codeType);
}

// The zero date of the stored data counts as no date.
bool isNoDate(const QDate& date) {
    return !date.isValid() || date == zeroDate();
}

} // namespace

QString TDM::GetDataTypeName(qint32 dataType) {
    switch (dataType) {
    case kHoujin: return QStringLiteral("法人");
    case kKojin: return QStringLiteral("個人");
    case kIryouHoujin: return QStringLiteral("医療法人");
    }
    unsupportedDataType(dataType);
}

QString TDM::GetCodeTypeName(qint32 dataType, qint32 codeType, bool withDataType) {
    const QString name = codeTypeName(dataType, codeType);
    if (!withDataType)
        return name;
    const QString dataTypeName = GetDataTypeName(dataType);
    return name.isEmpty() ? dataTypeName : dataTypeName + QStringLiteral("／") + name;
}

bool TDM::IsMedicalData(qint32 dataType, qint32 codeType) {
    const bool medical = dataType == kIryouHoujin && codeType == 1;
    SelectMedicalLayout(medical);
    return medical;
}

bool TDM::IsMedicalGeneralData() {
    return IsMedicalData(AccInf.DATATYPE, AccInf.CODETYPE);
}

bool TDM::IsReadOnlyData() {
    return AccInf.READ_ONLY == 1;
}

bool TDM::IsKansaLockDate(quint8 includeBoundary, const QDate& date) {
    if (isNoDate(date) || isNoDate(AccInf.KANSA_DATE) || isNoDate(AccInf.KANSA_FIXDATE) || AccInf.KANSA_LOCK == 0)
        return false;
    if (SystemDef.Supervisor == 1 || SystemDef.JobLevel == 9)
        return false;
    if (AccInf.KansaIncludeClosing)
        return date <= AccInf.KANSA_FIXDATE;
    return date < AccInf.KANSA_FIXDATE || (date == AccInf.KANSA_FIXDATE && includeBoundary == 0);
}

} // namespace core
