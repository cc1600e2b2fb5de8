#include "statements/MbSisanhyo.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/MsdHoukoku.h"
#include "core/settings/QueryFactory.h"
#include "core/text/SjisText.h"
#include "core/text/TextSort.h"
#include "statements/CalcSisanhyo.h"
#include "statements/KamokuGroup.h"
#include "statements/MbTotals.h"
#include "statements/SisetuJigyou.h"

#include <memory>
#include <optional>
#include <span>

namespace statements {
namespace {

QString nn(int p) { return QStringLiteral("%1").arg(p, 2, 10, QLatin1Char('0')); }

QString field(core::TIBSQL& q, const QString& name) { return q.fieldByName(name).asString(); }
Currency amount(core::TIBSQL& q, const QString& name) { return q.fieldByName(name).asCurrency(); }

// The statement of the procedure table for a form and scope; empty when nothing is read.
// withBcode tells the department-total variants of scope 0 and 1.
QString procedureText(qint32 form, qint32 scope, bool withBcode) {
    switch (form) {
    case 0:
        switch (scope) {
        case 0: return withBcode ? QStringLiteral("SELECT * FROM SP_SISANHYO_BUMONGOKEI( :TAX, :BCODE, 0 ) ")
                                 : QStringLiteral("SELECT * From SP_SISANHYO( '' ,:TAX,0 ) ");
        case 1: return withBcode ? QStringLiteral("SELECT * FROM SP_SISANHYO_BUMONGOKEI( :TAX, :BCODE, :JIGYOU ) ")
                                 : QStringLiteral("SELECT * From SP_SISANHYO( '' ,:TAX ,:JIGYOU ) ");
        case 2: return QStringLiteral("SELECT * From SP_SISANHYO_SISETU( :SCODE, :TAX ) ");
        case 3:
        case 4: return QStringLiteral("SELECT * From SP_SISANHYO_BUMON( :SCODE, :BCODE ,:TAX, :HAIBUN ) ");
        case 5: return QStringLiteral("SELECT * FROM SP_SISANHYO_GROUP( :GCODE ,:TAX) ");
        }
        break;
    case 1:
        switch (scope) {
        case 1: return withBcode ? QStringLiteral("SELECT * FROM SP_SISANHYO_JIGYOBETUBUMON_A4( :TAX, :BCODE, :JIGYOU ) ")
                                 : QStringLiteral("SELECT * From SP_SISANHYO_A4( '' , :TAX, :JIGYOU ) ");
        case 2: return QStringLiteral("SELECT * From SP_SISANHYO_A4( :SCODE, :TAX ,0 ) ");
        case 3: return QStringLiteral("SELECT * From SP_SISANHYO_BUMON_A4( :SCODE, :BCODE ,:TAX, :HAIBUN ) ");
        case 4: return QStringLiteral("SELECT * From SP_SISANHYO_BUMON_A4(:SCODE, :BCODE ,:TAX, :HAIBUN ) ");
        }
        break;
    case 2:
        switch (scope) {
        case 1: return withBcode ? QStringLiteral("SELECT * FROM SP_SISANHYO_JIGYOBETUBUMON_A3( :TAX, :BCODE, :JIGYOU )")
                                 : QStringLiteral("SELECT * From SP_SISANHYO_A3( '' ,:TAX,:JIGYOU  ) ");
        case 2: return QStringLiteral("SELECT * From SP_SISANHYO_A3( :SCODE, :TAX, 0 ) ");
        case 3: return QStringLiteral("SELECT * From SP_SISANHYO_BUMON_A3( :SCODE, :BCODE ,:TAX, :HAIBUN) ");
        case 4: return QStringLiteral("SELECT * From SP_SISANHYO_BUMON_A3( :SCODE, :BCODE ,:TAX, :HAIBUN ) ");
        }
        break;
    case 3:
        switch (scope) {
        case 0: return withBcode ? QStringLiteral("SELECT * FROM SP_SISANHYO_BUMONGOKEI_KS( :TAX ,:BCODE )")
                                 : QStringLiteral("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '','' ,:TAX , 0, 0)");
        case 1: return QStringLiteral("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '','' ,:TAX ,:JIGYOU, 0) ");
        case 2: return QStringLiteral("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( :SCODE, '', :TAX ,0, 0) ");
        case 5: return QStringLiteral("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '', :GCODE ,:TAX ,0, 0) ");
        }
        break;
    case 4:
        switch (scope) {
        case 0: return QStringLiteral("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '','',:TAX ,0 ,0 )");
        case 1: return QStringLiteral("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '', :SCODE,:TAX ,:JIGYOU , 1 ) ");
        case 2: return QStringLiteral("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( :SCODE,'' ,:TAX ,0, 1 ) ");
        case 5: return QStringLiteral("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '', :SCODE ,:TAX ,0, 1) ");
        }
        break;
    }
    return QString();
}

// Sets the parameters the statement names.
void bind(core::TIBSQL& q, const QString& text, const TMbReadArgs& args, const QString& bcode) {
    auto set = [&](const char* name, auto apply) {
        if (text.contains(QLatin1Char(':') + QLatin1String(name) + QLatin1Char(' ')) ||
            text.contains(QLatin1Char(':') + QLatin1String(name) + QLatin1Char(',')) ||
            text.contains(QLatin1Char(':') + QLatin1String(name) + QLatin1Char(')')))
            apply(q.paramByName(QLatin1String(name)));
    };
    set("TAX", [&](core::IBSQLParam& p) { p.setInteger(args.TAX); });
    set("SCODE", [&](core::IBSQLParam& p) { p.setString(args.SCODE); });
    set("GCODE", [&](core::IBSQLParam& p) { p.setString(args.SCODE); });
    set("BCODE", [&](core::IBSQLParam& p) { p.setString(bcode); });
    set("JIGYOU", [&](core::IBSQLParam& p) { p.setInteger(args.JIGYOU); });
    set("HAIBUN", [&](core::IBSQLParam& p) { p.setInteger(args.HAIBUN); });
}

// The caption of the capital account of a medical corporation: "基金" with a fund, else
// "出資金"; a foundation or a special medical corporation keeps "資本金".
class CapitalCaption {
public:
    QString of(const QString& group, const QString& name) {
        if (group != QLatin1String("3110") || name != QStringLiteral("資本金"))
            return name;
        if (!caption_) {
            if (core::IsFoundationOrSpecialMedicalCorp())
                caption_ = name;
            else
                caption_ = core::HasMedicalCorpFund() ? QStringLiteral("基金") : QStringLiteral("出資金");
        }
        return *caption_;
    }

private:
    std::optional<QString> caption_;
};

void ensureRow(QList<TBALANCE>& rows, QList<TQSORT>& sorts, int r) {
    while (rows.size() <= r)
        rows.append(TBALANCE{});
    while (sorts.size() <= r)
        sorts.append(TQSORT{HiddenSortKey, qint32(sorts.size())});
}

// Adds one sub-account result row into the account's table, matched by HCODE.
void addSubAccount(core::TIBSQL& q, TBALANCE& row, const QString& accountName) {
    const QString hcode = field(q, QStringLiteral("HCODE"));
    int j = 0;
    const int count = qMin<int>(row.HOJCNT, row.HOJOUTIWAKE.size());
    while (j < count && row.HOJOUTIWAKE[j].HCODE.trimmed() != hcode.trimmed())
        ++j;
    if (j == count) {
        row.HOJOUTIWAKE.resize(count);
        row.HOJOUTIWAKE.append(THOJOUTIWAKE{});
        row.HOJCNT = count + 1;
        THOJOUTIWAKE& h = row.HOJOUTIWAKE[j];
        h.HCODE = hcode;
        const QString hname = field(q, QStringLiteral("HNAME"));
        h.HNAME = hname.isEmpty() && hcode.trimmed().isEmpty() ? accountName : hname;
    }
    THOJOUTIWAKE& h = row.HOJOUTIWAKE[j];
    h.KAISIZAN += amount(q, QStringLiteral("KAISIZAN"));
    for (int p = 1; p <= 16; ++p) {
        h.KAR[p] += amount(q, QStringLiteral("KAR") + nn(p));
        h.KAS[p] += amount(q, QStringLiteral("KAS") + nn(p));
    }
    computePeriodBalances(row.KMK.DAC, h.KAISIZAN, h.KAR, h.KAS, h.HASSEI, h.ZANDAKA);
}

} // namespace

int IndexOfMbKamokuRow(const QList<TBALANCE>& rows, int last, const QString& KCODE) {
    if (KCODE.isEmpty())
        return 0; // rows past the accounts read have an empty code too
    last = qMin(last, int(rows.size()) - 1);
    for (int i = FirstMbAccountRow; i <= last; ++i)
        if (rows[i].KMK.KCODE == KCODE)
            return i;
    return 0;
}

QString GetMbJigyouTotalKey(const QList<TQSORT>& sorts) {
    int shown = 0;
    for (int i : {26, 28, 30, 31})
        if (i < sorts.size() && sorts[i].SORTKEY != HiddenSortKey)
            ++shown;
    if (shown >= 2 && sorts.size() > 32)
        return sorts[32].SORTKEY;
    return HiddenSortKey;
}

void LoadMbTotalNames(QList<TBALANCE>& rows, QList<TQSORT>& sorts, qint32 jigyou, qint32 kind, bool department) {
    ensureRow(rows, sorts, MbComputedRow);
    const int bit = (jigyou == 1 || jigyou == 2 || jigyou == 4 || jigyou == 8) ? jigyou : 16;
    const bool wholeCorporation = jigyou == 0 || jigyou == 255;
    const QString text =
        bit == 16 ? QStringLiteral("SELECT * FROM ACCTOTALNAME WHERE 16=BIN_AND( MB_JIGYOU,16 ) ORDER BY KGROUP ")
                  : QStringLiteral("SELECT * FROM ACCTOTALNAME WHERE %1=BIN_AND( MB_JIGYOU, %1 ) ORDER BY KGROUP ").arg(bit);

    core::TransactionScope scope(core::DM->IBTransactionDATSS);
    std::unique_ptr<core::TIBSQL> q = core::CreateIBSQL(QStringLiteral("ACCDAT"), 1);
    q->sql() << text;
    std::optional<bool> fundCaption; // true: "出資金合計"
    for (q->execQuery(); !q->eof(); q->next()) {
        const int a = q->fieldByName(QStringLiteral("ARRAYNUM")).asInteger();
        if (a < 1 || a > LastMbTotalRow)
            continue; // a total line outside the medical total rows has no place
        const QString group = field(*q, QStringLiteral("KGROUP"));
        TBALANCE& r = rows[a];
        r.KMK.GROUPM1 = r.KMK.GROUPM2 = r.KMK.GROUPR1 = r.KMK.GROUPR2 = group;
        r.KMK.KCODE.clear();
        r.KMK.KNAME = field(*q, QStringLiteral("PLUSNAME"));
        const qint32 keskubun = q->fieldByName(QStringLiteral("KESKUBUN")).asInteger();
        if (keskubun == 0 || keskubun == kind) {
            r.KMK.BPFLG = group < QLatin1String("4000") ? QStringLiteral("B") : QStringLiteral("P");
            sorts[a] = TQSORT{group, a};
            if (wholeCorporation && group != QLatin1String("4180")) {
                r.KMK.KNAME.replace(QStringLiteral("医業"), QStringLiteral("事業"));
                r.KMK.KNAME.replace(QStringLiteral("臨時"), QStringLiteral("特別"));
                if (group == QLatin1String("4480"))
                    r.KMK.KNAME = QStringLiteral("その他事業収益合計");
            }
        }
        if (group == QLatin1String("3180")) {
            if (!fundCaption)
                fundCaption = core::IsFoundationOrSpecialMedicalCorp() || !core::HasMedicalCorpFund();
            r.KMK.KNAME = *fundCaption ? QStringLiteral("出資金合計") : QStringLiteral("基金合計");
        } else if (group == QLatin1String("3800")) {
            r.KMK.KNAME = QStringLiteral("純資産の部合計");
        } else if (group == QLatin1String("3900")) {
            r.KMK.KNAME = QStringLiteral("負債純資産の部合計");
        } else if (group == QLatin1String("1108")) {
            r.KMK.KNAME = QStringLiteral("現金及び預金");
        }
    }
    q->close();
    scope.commit();

    if (kind == 2) {
        sorts[1].SORTKEY = HiddenSortKey;
        rows[18].KMK.GROUPM1 = rows[18].KMK.GROUPR1 = QStringLiteral("3460");
        rows[32].KMK.GROUPM1 = rows[32].KMK.GROUPR1 = QStringLiteral("4800");
        rows[39].KMK.GROUPM1 = QStringLiteral("6780");
    }
    if (department) {
        for (int a = 46; a <= 53; ++a) {
            sorts[a].SORTKEY = HiddenSortKey;
            rows[a].KMK.GROUPM1.clear();
            rows[a].KMK.GROUPM2.clear();
            rows[a].KMK.KNAME.clear();
        }
    }
}

int SetMbSisanhyoRows(core::TIBSQL& q, QList<TBALANCE>& rows, QList<TQSORT>& sorts, int lastFilled,
                      const TMbReadArgs& args) {
    const int layout = MbLayoutOfJigyou(args.JIGYOU);
    const bool settlement = args.FORM == 3 || args.FORM == 4;
    const bool statementLines = args.FORM >= 1 && args.FORM <= 4;
    const int earlierLast = qMax(lastFilled, FirstMbAccountRow - 1);
    int r = earlierLast;
    CapitalCaption capital;

    q.execQuery();
    while (!q.eof()) {
        const QString kcode = field(q, QStringLiteral("KCODE"));
        const qint32 mstrec = statementLines ? q.fieldByName(QStringLiteral("MSTREC")).asInteger() : 0;
        const qint32 subrec = statementLines ? q.fieldByName(QStringLiteral("SUBREC")).asInteger() : 0;

        // A later department of a group adds into the row an earlier one made for the same
        // account (form 0) or statement line (other forms).
        int target = 0;
        for (int i = FirstMbAccountRow; i <= earlierLast && target == 0; ++i) {
            const TBALANCE& e = rows[i];
            if (statementLines ? (e.MSTREC == mstrec && e.SUBREC == subrec) : e.KMK.KCODE == kcode)
                target = i;
        }
        if (target == 0) {
            target = ++r;
            ensureRow(rows, sorts, target);
        }
        TBALANCE& row = rows[target];

        QString g1, g2;
        if (settlement) {
            g1 = g2 = field(q, QStringLiteral("GROUPM3"));
        } else if (layout == 2) {
            g1 = field(q, QStringLiteral("GROUPR1"));
            g2 = field(q, QStringLiteral("GROUPR2"));
        } else {
            g1 = field(q, QStringLiteral("GROUPM1"));
            g2 = field(q, QStringLiteral("GROUPM2"));
        }
        row.KMK.GROUPM1 = row.KMK.GROUPR1 = g1;
        row.KMK.GROUPM2 = row.KMK.GROUPR2 = g2;
        row.KMK.USERCODE = field(q, QStringLiteral("USERCODE"));
        row.KMK.KCODE = kcode;
        row.KMK.KNAME = capital.of(field(q, QStringLiteral("GROUPM1")), field(q, QStringLiteral("KNAME")));
        row.KMK.BPFLG = field(q, QStringLiteral("BSPL"));
        row.KMK.DAC = q.fieldByName(QStringLiteral("TAISHAKU")).asInteger();
        qint32 hojcnt = 0;
        if (statementLines) {
            row.MSTREC = mstrec;
            row.SUBREC = subrec;
        } else if (args.FORM == 0) {
            hojcnt = q.fieldByName(QStringLiteral("HOJCNT")).asInteger();
        }

        row.KAISIZAN += amount(q, QStringLiteral("KAISIZAN"));
        for (int p = 1; p <= 16; ++p) {
            row.KAR[p] += amount(q, QStringLiteral("KAR") + nn(p));
            row.KAS[p] += amount(q, QStringLiteral("KAS") + nn(p));
        }
        computePeriodBalances(row.KMK.DAC, row.KAISIZAN, row.KAR, row.KAS, row.HASSEI, row.ZANDAKA);

        const QString key = statementLines ? QStringLiteral("%1%2").arg(row.KMK.GROUPM2, nn(row.SUBREC))
                                           : row.KMK.GROUPM1 + core::LeftStrB(row.KMK.USERCODE, 4);
        sorts[target] = TQSORT{key, target};

        q.next();
        if (args.FORM == 0 && hojcnt >= 1) {
            // The sub-account rows of the account follow it: one per sub-account, and first
            // the remainder line (blank HCODE) when the account has amounts without one.
            int limit = hojcnt;
            if (!q.eof() && field(q, QStringLiteral("KCODE")) == kcode && field(q, QStringLiteral("HCODE")).trimmed().isEmpty())
                ++limit;
            for (int taken = 0; taken < limit && !q.eof() && field(q, QStringLiteral("KCODE")) == kcode; ++taken) {
                addSubAccount(q, row, row.KMK.KNAME);
                q.next();
            }
        }
    }
    q.close();
    return r;
}

void SumMbTotalRows(QList<TBALANCE>& rows, int last, int p, qint32 jigyou) {
    if (rows.size() <= MbComputedRow)
        rows.resize(MbComputedRow + 1);
    last = qMin(last, int(rows.size()) - 1);
    for (int i = 0; i <= LastMbTotalRow; ++i) {
        rows[i].ZANDAKA[p] = Currency{};
        rows[i].HASSEI[p] = Currency{};
    }
    for (const auto& [t, a] : MbTotalAccountPairs(rows, last, MbLayoutOfJigyou(jigyou))) {
        TBALANCE& total = rows[t];
        const TBALANCE& account = rows[a];
        const qint32 dac = account.KMK.DAC;
        total.KMK.DAC = dac;
        if (dac == 1 || dac == 3) {
            total.ZANDAKA[p] += account.ZANDAKA[p];
            total.HASSEI[p] += account.HASSEI[p];
        } else if (dac == 2 || dac == 4) {
            total.ZANDAKA[p] -= account.ZANDAKA[p];
            total.HASSEI[p] -= account.HASSEI[p];
        }
    }
    for (const mbtotals::Field& f : {mbtotals::Field([p](TBALANCE& r) -> Currency& { return r.ZANDAKA[p]; }),
                                     mbtotals::Field([p](TBALANCE& r) -> Currency& { return r.HASSEI[p]; })}) {
        mbtotals::sumLines(rows, f);
        mbtotals::balancingLine(rows, f);
        mbtotals::higherTotals(rows, f);
        mbtotals::profitLines(rows, f);
    }
    for (int i = 0; i <= last; ++i) {
        TBALANCE& r = rows[i];
        bool number = false;
        const int v = r.KMK.GROUPM1.toInt(&number);
        const int base = !number ? 0 : (v >= 1000 && v <= 1900) ? 11 : (v >= 2000 && v <= 3900) ? 24 : (v >= 4000 && v <= 9500) ? 32 : 0;
        if (base != 0 && rows[base].ZANDAKA[p] != Currency{})
            r.KOUSEIHI_P[p] = LimitRatio(RoundKingaku(r.ZANDAKA[p], rows[base].ZANDAKA[p]));
    }
}

void pcMbSisanhyo_Read(QList<TBALANCE>& rows, int last, QList<TQSORT>& sorts, int lastSort, const QString& SCODE,
                       const QString& BCODE, qint32 TAX, qint32 SCOPE, qint32 FORM, qint32 KIND, qint32 HAIBUN,
                       qint32 JIGYOU) {
    core::TIBTransaction& snapshot = core::DM->IBTransactionDATSS;
    TMbReadArgs args{SCODE, BCODE, TAX, SCOPE, FORM, KIND, HAIBUN, JIGYOU};
    try {
        ClearBalanceArray(rows, qMax(qMax(last, lastSort), int(MbComputedRow)), sorts);
        if (snapshot.inTransaction())
            snapshot.commit();
        snapshot.startTransaction();

        // Total lines.
        const bool withBcode = !BCODE.trimmed().isEmpty();
        const bool comparison = FORM == 3 || (FORM == 0 && (SCOPE == 0 || SCOPE == 5 || SCOPE == 6));
        if (comparison || FORM == 4) {
            const bool department = FORM == 0 && (SCOPE == 6 || (SCOPE == 0 && withBcode));
            LoadMbTotalNames(rows, sorts, 0, 2, department);
            const qint32 kinds[] = {MbJigyouByoin, MbJigyouRoken, MbJigyouHomon, MbJigyouOther};
            const int entries[] = {26, 28, 30, 31};
            for (int i = 0; i < 4; ++i) {
                const QString key = sorts[entries[i]].SORTKEY;
                sorts[entries[i]].SORTKEY = comparison && SCOPE == 5 ? CountGroupSisetuByJigyou(kinds[i], SCODE, key)
                                                                     : CountSisetuByJigyou(kinds[i], key);
            }
            sorts[32].SORTKEY = GetMbJigyouTotalKey(sorts);
        } else {
            if (args.JIGYOU == 0)
                args.JIGYOU = GetSisetuJigyou(SCODE);
            LoadMbTotalNames(rows, sorts, args.JIGYOU, KIND, SCOPE == 3 || SCOPE == 4);
        }

        // Account rows.
        int lastFilled = FirstMbAccountRow - 1;
        if (SCOPE == 6 && FORM >= 0 && FORM <= 4) {
            TCalcSisanhyoSettingRec setting;
            setting.BCODE = BCODE;
            setting.SCOPE = 6;
            setting.TAX = TAX;
            setting.HAIBUN = HAIBUN;
            setting.FORM = FORM;
            setting.KIND = KIND;
            setting.ZENKI_ON = -1;
            setting.JIGYOU = 0;
            lastFilled = CalcSisanhyoBySetting(rows, sorts, setting);
        } else {
            const QString text = procedureText(FORM, SCOPE, withBcode);
            if (!text.isEmpty()) {
                QStringList departments{BCODE};
                if (SCOPE == 4)
                    GetSisetuGroupBumonList(departments, SCODE, BCODE);
                std::unique_ptr<core::TIBSQL> q = core::CreateIBSQL(QStringLiteral("ACCDAT"), 1);
                q->sql() << text;
                for (const QString& bcode : departments) {
                    bind(*q, text, args, bcode);
                    lastFilled = SetMbSisanhyoRows(*q, rows, sorts, lastFilled, args);
                }
            }
        }

        if (FORM == 4)
            for (int p = 0; p <= 16; ++p)
                SumMbTotalRows(rows, int(rows.size()) - 1, p, args.JIGYOU);
        if (FORM != 1 && FORM != 2)
            sorts[17].SORTKEY = HiddenSortKey;
        core::SortTextIntArray(std::span<TQSORT>(sorts.data(), size_t(sorts.size())), 1,
                               qMin(lastFilled, int(sorts.size()) - 1));
        snapshot.commit();
    } catch (const core::EIBError& e) {
        if (snapshot.inTransaction())
            snapshot.rollback();
        core::ReportFbError(e, QStringLiteral("試算表読込"));
        throw; // partial figures must not reach a statement or the export
    } catch (...) {
        if (snapshot.inTransaction())
            snapshot.rollback();
        throw;
    }
}

} // namespace statements
