#include "core/tax/TaxCodeChecks.h"

#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/dates/SerialDate.h"
#include "core/tax/TaxAccounts.h"
#include "core/tax/TaxCodes.h"

namespace core {

namespace {

bool inRange(qint32 code, qint32 low, qint32 high)
{
    return code >= low && code <= high;
}

bool isKaribaraiZei(const QString& accountCode)
{
    return IsSysKamokuCode(accountCode, skKaribaraiZei);
}

bool isKariukeZei(const QString& accountCode)
{
    return IsSysKamokuCode(accountCode, skKariukeZei);
}

bool isOutsideOrUndecided(qint32 code)
{
    return code == 810 || code == 910;
}

bool isBusinessClassKariuke(qint32 code)
{
    return inRange(code, 611, 616) || inRange(code, 631, 636);
}

bool karibaraiAccepts(qint32 code)
{
    return inRange(code, 711, 713) || inRange(code, 721, 726) || inRange(code, 731, 733)
           || inRange(code, 761, 763) || inRange(code, 771, 776) || isOutsideOrUndecided(code);
}

QString kariukeMessage()
{
    return QStringLiteral("仮受消費税の税コードは[600番台,810,910]を使用してください。");
}

// The tax-received account under principle (0) or simplified (1) taxation.
bool checkKariuke(QString& message, qint32 code)
{
    if (AccInf.TAXKANNI == 0) {
        if (code == 610 || code == 620 || code == 630 || code == 640 || isOutsideOrUndecided(code)) {
            message.clear();
            return true;
        }
        if (isBusinessClassKariuke(code)) {
            message = QStringLiteral("注意：原則課税が選択されています。");
            return true;
        }
        message = kariukeMessage();
        return false;
    }
    if (AccInf.TAXKANNI == 1) {
        if (code == 610 || code == 630) {
            message = QStringLiteral("注意：簡易課税が選択されています。");
            return true;
        }
        if (isBusinessClassKariuke(code) || code == 620 || code == 640 || isOutsideOrUndecided(code)) {
            message.clear();
            return true;
        }
        message = kariukeMessage();
        return false;
    }
    return true;
}

} // namespace

bool CheckKamokuTaxCode(QString& message, const QString& accountCode, qint32 taxCode)
{
    if (isKaribaraiZei(accountCode)) {
        if (karibaraiAccepts(taxCode)) {
            message.clear();
            return true;
        }
        message = QStringLiteral("仮払消費税の税コードは[700番台,810,910]を使用してください。");
        return false;
    }
    if (inRange(taxCode, 700, 799)) {
        message = QStringLiteral("税コードが[700番台]は、科目に仮払消費税を使用してください。");
        return false;
    }
    if (isKariukeZei(accountCode))
        return checkKariuke(message, taxCode);
    if (inRange(taxCode, 600, 699)) {
        message = QStringLiteral("税コードが[600番台]は、科目に仮受消費税を使用してください。");
        return false;
    }
    return true;
}

bool CheckAiteTaxCode(QString& message, const QString& accountCode, qint32& counterTaxCode)
{
    if (!isKariukeZei(accountCode) && !isKaribaraiZei(accountCode))
        return true;
    if (isOutsideOrUndecided(counterTaxCode))
        return true;
    message = QStringLiteral("仮受消費税、仮払消費税の相手税コードは[810,910]を使用してください。");
    counterTaxCode = 810;
    return false;
}

bool CheckSyokutiTaxCode(QString& message, const QString& accountCode, qint32& taxCode)
{
    if (!IsSysKamokuCode(accountCode, skShokuchi) || isOutsideOrUndecided(taxCode))
        return true;
    message = QStringLiteral("諸口の消費税コードは、[810,910]を使用してください。");
    taxCode = 810;
    return false;
}

bool CheckTokuteiSiireTaxCode(QString& message, qint32& taxCode, qint32 rateKey, const QDate& date)
{
    if (!IsTokuteiSiireTaxCode(taxCode))
        return true;

    const QString prefix = QStringLiteral("特定課税仕入れ用の消費税コード[551,552,553,581,582,583]では");
    bool accepted = true;

    const QDate firstDay(2015, 10, 1);
    if (dateOrZeroDate(date) < firstDay) {
        message = prefix + QLatin1Char('[') + FormatDateText(QStringLiteral("yyyy/mm/dd"), 3, firstDay)
                  + QStringLiteral("]より前の取引を登録できません。");
        accepted = false;
    }

    QString rateName;
    switch (rateKey) {
    case 1: rateName = QStringLiteral("3%"); break;
    case 2: rateName = QStringLiteral("5%"); break;
    case 4: rateName = QStringLiteral("軽減8%"); break;
    default: break;
    }
    if (!rateName.isEmpty()) {
        message = prefix + QStringLiteral("税率[") + rateName + QStringLiteral("]は使用できません。");
        accepted = false;
    }
    return accepted;
}

} // namespace core
