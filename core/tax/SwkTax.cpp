#include "core/tax/SwkTax.h"

#include "core/Globals.h"
#include "core/errors/DetailMessage.h"
#include "core/tax/RoundCurrency.h"
#include "core/tax/TaxAccounts.h"
#include "core/tax/TaxCodes.h"
#include "core/tax/ZeiRitu.h"

#include <limits>
#include <optional>

namespace core {

namespace {

using Wide = __int128;

std::optional<Currency> checkedSub(Currency a, Currency b)
{
    qint64 raw = 0;
    if (__builtin_sub_overflow(a.raw, b.raw, &raw))
        return std::nullopt;
    return Currency::fromRaw(raw);
}

std::optional<Currency> checkedAdd(Currency a, Currency b)
{
    qint64 raw = 0;
    if (__builtin_add_overflow(a.raw, b.raw, &raw))
        return std::nullopt;
    return Currency::fromRaw(raw);
}

// numerator / denominator in ten-thousandths of a yen, rounded half to even as a computed
// value is rounded when it becomes money; nothing when it leaves the money range.
std::optional<Currency> toMoney(Wide numerator, Wide denominator)
{
    if (denominator == 0)
        return std::nullopt;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    Wide quotient = numerator / denominator;
    const Wide remainder = numerator % denominator;
    const Wide twice = 2 * (remainder < 0 ? -remainder : remainder);
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        quotient += numerator < 0 ? -1 : 1;
    if (quotient > std::numeric_limits<qint64>::max() || quotient < std::numeric_limits<qint64>::min())
        return std::nullopt;
    return Currency::fromRaw(qint64(quotient));
}

// amount × rate / 100: the tax to add to an amount without tax.
std::optional<Currency> taxAdded(Currency amount, Currency rate)
{
    return toMoney(Wide(amount.raw) * rate.raw, Wide(100) * Currency::scale);
}

// amount × rate / (100 + rate): the tax contained in an amount with tax.
std::optional<Currency> taxIncluded(Currency amount, Currency rate)
{
    return toMoney(Wide(amount.raw) * rate.raw, Wide(100) * Currency::scale + rate.raw);
}

// NUK and ZEI of a taxable side; false when the arithmetic leaves the money range.
bool computeTaxableSide(const TSWKREC& rec, TSwkBalance& side, Currency rate)
{
    const Currency amount = rec.KINGAKU;
    side.NUK = amount;
    side.ZEI = Currency{};

    if (rec.AUTCALCU == 0) {
        if (rec.TAXCALCU == 0) {
            const std::optional<Currency> net = checkedSub(amount, rec.ZEIGAKU);
            if (!net)
                return false;
            side.NUK = *net;
            side.ZEI = rec.ZEIGAKU;
        } else if (rec.TAXCALCU == 1) {
            side.ZEI = rec.ZEIGAKU;
        }
        return true;
    }

    const int roundingMode = side.TAXUH == 1 ? AccInf.TAXU_HASUU : AccInf.TAXH_HASUU;
    if (rec.TAXCALCU == 1) {
        const std::optional<Currency> tax = taxAdded(amount, rate);
        if (!tax)
            return false;
        side.ZEI = RoundCurrency(roundingMode, *tax);
    } else if (rec.TAXCALCU == 0) {
        const std::optional<Currency> tax = taxIncluded(amount, rate);
        if (!tax)
            return false;
        side.ZEI = RoundCurrency(roundingMode, *tax);
        const std::optional<Currency> net = checkedSub(amount, side.ZEI);
        if (!net)
            return false;
        side.NUK = *net;
    }
    return true;
}

void reportArithmeticFailure()
{
    ShowCommaMessage(QStringLiteral("仕訳の消費税額が計算できません。"), MessageKind::Error);
}

} // namespace

bool CalcSwkSideTax(const TSWKREC& rec, TSwkBalance& side)
{
    QString groupName;
    QString name;
    qint32 salesClass = 0;
    GetTaxCodeName(side.TAXCODE, groupName, name, salesClass, side.TAXUH, side.TAXDC);
    side.NUK = Currency{};
    side.ZEI = Currency{};
    side.RIT = Currency{};

    // The record's key, or the side's own where the side carries a different one: either way
    // the side's key.
    const Currency rate = GetZeiRitu(side.RateCode);

    if (side.TAXUH != 0 && !IsTaxKamokuCode(side.KCODE)) {
        side.RIT = rate;
        if (!computeTaxableSide(rec, side, rate)) {
            // No half-computed amounts stay on a side that failed.
            side.NUK = Currency{};
            side.ZEI = Currency{};
            side.RIT = Currency{};
            reportArithmeticFailure();
            return false;
        }
        return true;
    }

    // The tax accounts keep the rate of their tax booking; 810, 910 and untaxed sides have none.
    side.NUK = rec.KINGAKU;
    if (IsTaxKamokuCode(side.KCODE) && side.TAXCODE != 810 && side.TAXCODE != 910)
        side.RIT = rate;
    return true;
}

bool CalcSwkRecTax(TSWKREC& rec)
{
    if (IsTokuteiSiireTaxCode(rec.Debit.TAXCODE) || IsTokuteiSiireTaxCode(rec.Credit.TAXCODE))
        rec.TAXCALCU = 2;

    rec.KINGAKU = RoundCurrency(0, rec.KINGAKU);
    rec.ZEIGAKU = RoundCurrency(0, rec.ZEIGAKU);

    if (!CalcSwkSideTax(rec, rec.Debit) || !CalcSwkSideTax(rec, rec.Credit))
        return false;

    const bool debitRated = rec.Debit.RIT != Currency{};
    const bool creditRated = rec.Credit.RIT != Currency{};
    if (debitRated && !creditRated)
        rec.OLDRATE = rec.Debit.RateCode;
    else if (creditRated && !debitRated)
        rec.OLDRATE = rec.Credit.RateCode;
    else if (debitRated && creditRated && rec.Debit.RateCode == rec.Credit.RateCode)
        rec.OLDRATE = rec.Debit.RateCode;

    if (rec.TAXCALCU == 1) {
        const std::optional<Currency> debitTotal = checkedAdd(rec.Debit.NUK, rec.Debit.ZEI);
        const std::optional<Currency> creditTotal = checkedAdd(rec.Credit.NUK, rec.Credit.ZEI);
        if (!debitTotal || !creditTotal) {
            reportArithmeticFailure();
            return false;
        }
        if (*debitTotal < *creditTotal) {
            rec.Debit.NUK = *creditTotal;
            rec.Debit.ZEI = Currency{};
        } else if (*creditTotal < *debitTotal) {
            rec.Credit.NUK = *debitTotal;
            rec.Credit.ZEI = Currency{};
        }
    }

    rec.ZEIGAKU = rec.Debit.ZEI > rec.Credit.ZEI ? rec.Debit.ZEI : rec.Credit.ZEI;
    return true;
}

} // namespace core
