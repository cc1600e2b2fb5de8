#include "statements/MbBalanceSheet.h"

#include "core/EIBError.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dates/Periods.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/QueryFactory.h"
#include "core/text/TextSort.h"
#include "statements/KamokuGroup.h"
#include "statements/MbSisanhyo.h"
#include "statements/MbTotals.h"
#include "statements/SisetuJigyou.h"

#include <functional>
#include <memory>

namespace statements {
namespace {

using core::MessageKind;

const Currency ratioHigh = Currency::fromInt(9999);
const Currency ratioLow = Currency::fromInt(-999);

Currency clampRatio(Currency ratio) {
    if (ratio > ratioHigh)
        return ratioHigh;
    if (ratio < ratioLow)
        return ratioLow;
    return ratio;
}

bool isSignDependent(const QString& code) {
    static const QStringList codes = {QStringLiteral("3480"), QStringLiteral("6950"), QStringLiteral("7300"),
                                      QStringLiteral("8300"), QStringLiteral("9280"), QStringLiteral("9380"),
                                      QStringLiteral("9600")};
    return codes.contains(code);
}

// The total line that a row's ratio is taken of: 11 assets, 24 liabilities and net assets,
// 32 revenue; 0 for a row outside those groups.
int ratioBase(const QString& group) {
    bool number = false;
    const int v = group.toInt(&number);
    if (!number)
        return 0;
    if (v >= 1000 && v <= 1900)
        return 11;
    if (v >= 2000 && v <= 3900)
        return 24;
    if (v >= 4000 && v <= 9500)
        return 32;
    return 0;
}

// The period range of a kind; kinds 1..6 fix it, every other kind takes an explicit range
// that must lie within 1..16.
void periodRange(qint32 kind, qint32& start, qint32& end) {
    switch (kind) {
    case 1: start = 1; end = 4; return;
    case 2: start = 5; end = 8; return;
    case 3: start = 9; end = 12; return;
    case 4: start = 13; end = 16; return;
    case 5: start = 1; end = 8; return;
    case 6: start = 9; end = 16; return;
    default:
        break;
    }
    if (start < 1 || end > 16 || start > end) {
        const QString text = QStringLiteral("期間番号は「1～16」です。 [%1-%2]").arg(start).arg(end);
        core::ShowCommaMessage(text, MessageKind::Error);
        throw core::Exception(text);
    }
}

// Steps 2 and 3 of the ordinary computation on rows 0..last and the accounts 61..last.
void rangeOfAccounts(QList<TBALANCE>& rows, int last, qint32 noOpening, qint32 kind, int start, int end) {
    for (int i = 0; i <= last; ++i) {
        TBALANCE& r = rows[i];
        r.KURIKOSI = r.KARI = r.KASI = r.ZAN = r.ZENKI = r.KOUSEIHI = Currency{};
        for (int j = 0; j < qMin<int>(r.HOJCNT, r.HOJOUTIWAKE.size()); ++j) {
            THOJOUTIWAKE& h = r.HOJOUTIWAKE[j];
            h.KURIKOSI = h.KARI = h.KASI = h.ZAN = Currency{};
        }
    }
    const bool zenkiIsBalance = kind == 0 || kind == 1 || kind == 5;
    for (int i = FirstMbAccountRow; i <= last; ++i) {
        TBALANCE& r = rows[i];
        const qint32 dac = r.KMK.DAC;
        const int subs = qMin<int>(r.HOJCNT, r.HOJOUTIWAKE.size());
        if (noOpening != 1) {
            r.KURIKOSI = r.KAISIZAN;
            for (int l = 1; l < start; ++l)
                r.KURIKOSI += netChange(dac, r.KAR[l], r.KAS[l]);
            for (int j = 0; j < subs; ++j) {
                THOJOUTIWAKE& h = r.HOJOUTIWAKE[j];
                h.KURIKOSI = h.KAISIZAN;
                for (int l = 1; l < start; ++l)
                    h.KURIKOSI += netChange(dac, h.KAR[l], h.KAS[l]);
            }
        }
        for (int l = start; l <= end; ++l) {
            r.KARI += r.KAR[l];
            r.KASI += r.KAS[l];
            for (int j = 0; j < subs; ++j) {
                r.HOJOUTIWAKE[j].KARI += r.HOJOUTIWAKE[j].KAR[l];
                r.HOJOUTIWAKE[j].KASI += r.HOJOUTIWAKE[j].KAS[l];
            }
        }
        if (zenkiIsBalance || r.KMK.BPFLG != QLatin1String("P")) {
            r.ZENKI = r.ZANDAKA[end - 16];
        } else {
            for (int l = start; l <= end; ++l)
                r.ZENKI += r.HASSEI[l - 16];
        }
    }
}

// Step 5: for the quarter and half-year kinds (and the export's kind past the starting month)
// the profit-and-loss accounts start from 0 and the retained-earnings account takes the
// difference of the asset and the liability and net-asset openings.
void restartProfitAndLoss(QList<TBALANCE>& rows, int last, qint32 kind, int start) {
    if (kind != 2 && kind != 3 && kind != 4 && kind != 6 && kind != 7)
        return;
    const bool clearPL = kind != 7 || start > core::AccInf.KAISINO;
    Currency assets;
    Currency liabilities;
    for (int i = FirstMbAccountRow; i <= last; ++i) {
        TBALANCE& r = rows[i];
        const QString& g = r.KMK.GROUPM1;
        const qint32 dac = r.KMK.DAC;
        if (g < QLatin1String("2000")) {
            assets += (dac == 1 || dac == 4) ? r.KURIKOSI : -r.KURIKOSI;
        } else if (g < QLatin1String("4000")) {
            liabilities += (dac == 2 || dac == 3) ? r.KURIKOSI : -r.KURIKOSI;
        }
        if (clearPL && r.KMK.BPFLG == QLatin1String("P"))
            r.KURIKOSI = Currency{};
    }
    const int retained = IndexOfMbKamokuRow(rows, last, core::AccInf.SysKCode[core::skKurikosiRieki]);
    rows[retained].KURIKOSI = assets - liabilities;
}

// Step 6: closing balances of the accounts and the shares of their sub-account lines.
void closingBalances(QList<TBALANCE>& rows, int last) {
    for (int i = FirstMbAccountRow; i <= last; ++i) {
        TBALANCE& r = rows[i];
        const qint32 dac = r.KMK.DAC;
        r.ZAN = r.KURIKOSI + netChange(dac, r.KARI, r.KASI);
        for (int j = 0; j < qMin<int>(r.HOJCNT, r.HOJOUTIWAKE.size()); ++j) {
            THOJOUTIWAKE& h = r.HOJOUTIWAKE[j];
            h.ZAN = h.KURIKOSI + netChange(dac, h.KARI, h.KASI);
            h.KOUSEIHI = r.ZAN == Currency{} ? Currency{} : clampRatio(RoundKingaku(h.ZAN, r.ZAN));
        }
    }
}

// Step 7: each total line collects its accounts.
void collectAccounts(QList<TBALANCE>& rows, int last, int layout) {
    for (int t = 1; t <= qMin(last, LastMbTotalRow); ++t)
        rows[t].ADDCNT = 0;
    for (const auto& [t, a] : MbTotalAccountPairs(rows, last, layout)) {
        TBALANCE& total = rows[t];
        const TBALANCE& account = rows[a];
        const qint32 dac = account.KMK.DAC;
        total.ADDCNT += 1;
        total.KARI += account.KARI;
        total.KASI += account.KASI;
        total.KMK.DAC = dac;
        if (dac == 1 || dac == 3) {
            total.KURIKOSI += account.KURIKOSI;
            total.ZAN += account.ZAN;
        } else if (dac == 2 || dac == 4) {
            total.KURIKOSI -= account.KURIKOSI;
            total.ZAN -= account.ZAN;
        }
        if (dac == 2 || dac == 4)
            total.ZENKI -= account.ZENKI;
        else
            total.ZENKI += account.ZENKI;
    }
}

// Steps 8 to 11: the totals chain on the four range fields.
void totalsChain(QList<TBALANCE>& rows) {
    using Field = Currency TBALANCE::*;
    const Field all[] = {&TBALANCE::KURIKOSI, &TBALANCE::KARI, &TBALANCE::KASI, &TBALANCE::ZAN};
    const Field balances[] = {&TBALANCE::KURIKOSI, &TBALANCE::ZAN};
    auto accessor = [&](Field f) { return [f](TBALANCE& r) -> Currency& { return r.*f; }; };
    auto fixCredit = [&](int line) {
        rows[line].KARI = Currency{};
        rows[line].KASI = rows[line].ZAN - rows[line].KURIKOSI;
    };

    for (Field f : all)
        mbtotals::sumLines(rows, accessor(f));
    for (Field f : balances)
        mbtotals::balancingLine(rows, accessor(f));
    fixCredit(19);
    for (Field f : all)
        mbtotals::higherTotals(rows, accessor(f));
    rows[26].ADDCNT += rows[25].ADDCNT;
    rows[28].ADDCNT += rows[27].ADDCNT;
    rows[30].ADDCNT += rows[29].ADDCNT;
    for (Field f : balances)
        mbtotals::profitLines(rows, accessor(f));
    for (int line : mbtotals::profitLineRows)
        fixCredit(line);

    // Step 12: the net profit shown among the net assets, and the difference line.
    for (Field f : all)
        rows[20].*f = rows[49].*f;
    rows[MbComputedRow].ZAN = rows[49].ZAN - rows[45].ZAN - rows[46].ZAN;
}

// Step 13: captions of the sign-dependent total lines and the composition ratios.
void captionsAndRatios(QList<TBALANCE>& rows, int last, int layout, qint32 jigyou) {
    for (int t = 1; t <= qMin(last, LastMbTotalRow); ++t)
        rows[t].KMK.KNAME = GetMbTotalName(rows[t].KMK.GROUPM1, rows[t].KMK.KNAME, rows[t].ZAN, jigyou);
    for (int i = 0; i <= last; ++i) {
        TBALANCE& r = rows[i];
        const int base = ratioBase(layout == 2 ? r.KMK.GROUPR1 : r.KMK.GROUPM1);
        if (base != 0 && rows[base].ZAN != Currency{})
            r.KOUSEIHI = clampRatio(RoundKingaku(r.ZAN, rows[base].ZAN));
    }
}

} // namespace

Currency LimitRatio(Currency ratio) { return ratio > ratioHigh || ratio < ratioLow ? Currency{} : ratio; }

QList<std::pair<int, int>> MbTotalAccountPairs(const QList<TBALANCE>& rows, int last, int layout) {
    QList<std::pair<int, int>> pairs;
    last = qMin(last, int(rows.size()) - 1);
    QString low = QStringLiteral("1000");
    for (int t = 1; t <= qMin(last, LastMbTotalRow); ++t) {
        const TKMKREC& line = rows[t].KMK;
        if (line.GROUPM1.isEmpty())
            continue;
        const QString& high = layout == 2 ? line.GROUPR1 : line.GROUPM1;
        for (int a = FirstMbAccountRow; a <= last; ++a) {
            const QString& code = layout == 2 ? rows[a].KMK.GROUPR1 : rows[a].KMK.GROUPM1;
            if (core::CompareSjis(code, low) > 0 && core::CompareSjis(code, high) < 0)
                pairs.append({t, a});
        }
        low = line.GROUPM1;
    }
    return pairs;
}

QString GetMbTotalName(const QString& groupCode, const QString& caption, Currency amount, qint32 jigyou) {
    if (!isSignDependent(groupCode))
        return caption;
    core::TIBTransaction& transaction = core::DM->IBTransactionDAT;
    const bool started = !transaction.inTransaction();
    QString result = caption;
    try {
        if (started)
            transaction.startTransaction();
        std::unique_ptr<core::TIBSQL> query = core::CreateIBSQL(QStringLiteral("ACCDAT"), 0);
        query->sql() << QStringLiteral("SELECT PLUSNAME,MINUSNAME,MODIFY FROM ACCTOTALNAME WHERE (BIN_AND( MB_JIGYOU,%1)=%1 "
                                       ") AND (KGROUP='%2')")
                            .arg(jigyou)
                            .arg(QString(groupCode).replace(QLatin1Char('\''), QStringLiteral("''")));
        query->execQuery();
        if (!query->eof()) {
            if (query->fieldByName(QStringLiteral("MODIFY")).asInteger() == 1) {
                result = query->fieldByName(amount >= Currency{} ? QStringLiteral("PLUSNAME") : QStringLiteral("MINUSNAME"))
                             .asString();
                if (jigyou == 0 || jigyou == 255)
                    result.replace(QStringLiteral("医業"), QStringLiteral("事業"));
            } else {
                result = query->fieldByName(QStringLiteral("PLUSNAME")).asString();
            }
        }
        query->close();
        if (started)
            transaction.commit();
    } catch (const core::EIBError& e) {
        if (started && transaction.inTransaction())
            transaction.rollback();
        core::ReportFbError(e, QStringLiteral("合計名称読込"));
        return caption;
    } catch (...) {
        if (started && transaction.inTransaction())
            transaction.rollback();
        throw;
    }
    return result;
}

void pcMbBalanceSheet_Calcu(QList<TBALANCE>& rows, int last, qint32 noOpening, qint32 kind, qint32 start, qint32 end,
                            qint32 JIGYOU) {
    bool known = true;
    const int layout = MbLayoutOfJigyou(JIGYOU, &known);
    if (!known)
        core::ShowCommaMessage(QStringLiteral("事業区分の設定が必要です。"), MessageKind::Error);
    periodRange(kind, start, end);
    if (kind > 0) {
        const core::TACCINF& acc = core::AccInf;
        if (core::MonthIndexToPeriodNo(core::GetMonthCount(acc.SIME, acc.KISHU, acc.KIMATU)) < end)
            end = 16;
    }
    if (rows.size() <= MbComputedRow)
        rows.resize(MbComputedRow + 1);
    last = qBound(MbComputedRow, last, int(rows.size()) - 1);

    rangeOfAccounts(rows, last, noOpening, kind, start, end);
    restartProfitAndLoss(rows, last, kind, start);
    closingBalances(rows, last);
    collectAccounts(rows, last, layout);
    totalsChain(rows);
    captionsAndRatios(rows, last, layout, JIGYOU);
}

} // namespace statements
