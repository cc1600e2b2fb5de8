#include "statements/SisanhyoRead.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/QueryFactory.h"
#include "core/text/SjisText.h"
#include "core/text/TextSort.h"
#include "statements/CalcSisanhyo.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace statements {

namespace {

const QString CompanyDatabase = QStringLiteral("ACCDAT");

QString twoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

// The read of one trial balance: the caller's arrays, the parameters and the statement that
// runs the procedures, all on the snapshot transaction.
class SisanhyoReader {
public:
    SisanhyoReader(TBalanceArray& rows, TQSortArray& sorts, const QString& scode, const QString& bcode, qint32 tax,
                   qint32 scope, qint32 form, qint32 kind, qint32 haibun, qint32 zenkiOn)
        : rows_(rows), sorts_(sorts), SCODE(scode), BCODE(bcode), TAX(tax), SCOPE(scope), FORM(form), KIND(kind),
          HAIBUN(haibun), ZENKI_ON(zenkiOn) {
        query_ = core::CreateIBQuery(CompanyDatabase, true);
        if (!query_)
            throw std::logic_error("no data module");
    }

    void read(qint32 lastRow);

private:
    TBALANCE& row(int r);
    void LoadTotalNames(bool bumon);
    QStringList GetGroupBumonList();
    int runProcedure(const QString& sql, bool settlement, bool notes, bool merge = false);
    int SetSisanhyoRows(bool settlement, bool notes, bool merge);
    void takeSubAccounts(TBALANCE& account);
    void takeSettlementColumns(TBALANCE& r);
    QString sortKey(TBALANCE& r);
    int GetKamokuExtKs(const QString& code, bool settlement, int last);
    void applyNotesOffset(bool settlement, int last, const std::array<int, 3>& noted);
    void clearSharedCaptions(const QString& table, const QString& column);
    void relabelSettlement();
    void execStatement(const QStringList& lines);
    int computeBySetting();

    TBalanceArray& rows_;
    TQSortArray& sorts_;
    const QString SCODE;
    const QString BCODE;
    const qint32 TAX;
    const qint32 SCOPE;
    const qint32 FORM;
    const qint32 KIND;
    const qint32 HAIBUN;
    const qint32 ZENKI_ON;
    std::unique_ptr<core::TIBQuery> query_;
    QString memberBcode_;          // the department of the current call of a group read
    QHash<QString, int> rowByKey_; // account rows of a group read, for merging later members
    int nextRow_ = FirstAccountRow;
};

TBALANCE& SisanhyoReader::row(int r) {
    // A read may return more rows than the caller allocated: grow both arrays alike.
    if (r >= rows_.size() || r >= sorts_.size()) {
        const qsizetype size = std::max<qsizetype>({r + 1, rows_.size(), sorts_.size()});
        const qsizetype oldSorts = sorts_.size();
        rows_.resize(size);
        sorts_.resize(size);
        for (qsizetype i = oldSorts; i < size; ++i)
            sorts_[i] = TQSORT{HiddenSortKey, qint32(i)};
    }
    return rows_[r];
}

void SisanhyoReader::read(qint32 lastRow) {
    // Every row of the arrays is cleared, also those beyond the last index a caller passed.
    const qint32 last = qint32(std::max<qsizetype>({qsizetype(lastRow), rows_.size() - 1, sorts_.size() - 1}));
    ClearBalanceArray(rows_, last, sorts_);
    for (qsizetype i = std::max<qsizetype>(0, last + 1); i < sorts_.size(); ++i)
        sorts_[i] = TQSORT{HiddenSortKey, qint32(i)};
    row(FirstAccountRow - 1); // the total lines always have their rows

    LoadTotalNames(SCOPE == 3 || SCOPE == 4);

    int lastFilled = -1;
    const auto hideSort = [&](int index, const QString& key) {
        row(index);
        sorts_[index].SORTKEY = key;
    };
    const bool ownQueries = SCOPE == 6 && (FORM == 0 || FORM == 1 || FORM == 2);
    switch (FORM) {
    case 0:
        hideSort(29, HiddenSortKey);
        hideSort(30, QStringLiteral("5882"));
        if (core::AccInf.GENKA_USE == 0)
            hideSort(35, HiddenSortKey);
        if (ownQueries) {
            lastFilled = computeBySetting();
            break;
        }
        switch (SCOPE) {
        case 0:
            if (!core::TrimBlanks(BCODE).isEmpty())
                lastFilled = runProcedure(QStringLiteral("SELECT * FROM SP_SISANHYO_BUMONGOKEI( :TAX, :BCODE ) "), false, false);
            else
                lastFilled = runProcedure(QStringLiteral("SELECT * From SP_SISANHYO( :TAX, '' ,'' ) "), false, KIND == 3);
            break;
        case 1:
            lastFilled = runProcedure(QStringLiteral("SELECT * From SP_SISANHYO( :TAX, '' , :SITENGROUP ) "), false, KIND == 3);
            break;
        case 2:
            lastFilled = runProcedure(QStringLiteral("SELECT * From SP_SISANHYO( :TAX, :SCODE ,''  ) "), false, KIND == 3);
            break;
        case 3:
            lastFilled = runProcedure(QStringLiteral("SELECT * From SP_SISANHYO_BUMON(  :TAX, :HAIBUN,  :SCODE, :BCODE ) "),
                                      false, KIND == 3);
            break;
        case 4: {
            bool merge = false;
            for (const QString& member : GetGroupBumonList()) {
                memberBcode_ = member;
                lastFilled = std::max(lastFilled, runProcedure(QStringLiteral("SELECT * FROM SP_SISANHYO_BUMON( :TAX, :HAIBUN,  :SCODE, :BCODE) "),
                                                               false, KIND == 3, merge));
                merge = true;
            }
            break;
        }
        default:
            break;
        }
        break;
    case 1:
    case 2: {
        const bool a4 = FORM == 1;
        clearSharedCaptions(a4 ? QStringLiteral("EXTERA4") : QStringLiteral("EXTERA3"),
                            a4 ? QStringLiteral("EXT1_A4") : QStringLiteral("EXT1_A3"));
        if (ownQueries) {
            lastFilled = computeBySetting();
            break;
        }
        switch (SCOPE) {
        case 0:
            if (!core::TrimBlanks(BCODE).isEmpty())
                lastFilled = runProcedure(a4 ? QStringLiteral("SELECT * From SP_Sisanhyo_BumonGokei_A4( :TAX, :BCODE ) ")
                                             : QStringLiteral("SELECT * From SP_Sisanhyo_BumonGokei_A3( :TAX, :BCODE ) "),
                                          false, false);
            else
                lastFilled = runProcedure(a4 ? QStringLiteral("SELECT * From SP_SISANHYO_A4( :TAX, '' , '' ) ")
                                             : QStringLiteral("SELECT * From SP_SISANHYO_A3(:TAX, '', '' ) "),
                                          false, false);
            break;
        case 1:
            lastFilled = runProcedure(a4 ? QStringLiteral("SELECT * From SP_SISANHYO_A4( :TAX, '' ,:SITENGROUP ) ")
                                         : QStringLiteral("SELECT * From SP_SISANHYO_A3(:TAX, '', :SITENGROUP) "),
                                      false, false);
            break;
        case 2:
            lastFilled = runProcedure(a4 ? QStringLiteral("SELECT * From SP_SISANHYO_A4( :TAX, :SCODE , '' ) ")
                                         : QStringLiteral("SELECT * From SP_SISANHYO_A3(:TAX, :SCODE , '' ) "),
                                      false, false);
            break;
        case 3:
            lastFilled = runProcedure(a4 ? QStringLiteral("SELECT * From SP_SISANHYO_BUMON_A4( :TAX, :HAIBUN, :SCODE, :BCODE ) ")
                                         : QStringLiteral("SELECT * From SP_SISANHYO_BUMON_A3( :TAX, :HAIBUN, :SCODE, :BCODE ) "),
                                      false, false);
            break;
        case 4: {
            bool merge = false;
            for (const QString& member : GetGroupBumonList()) {
                memberBcode_ = member;
                lastFilled = std::max(
                    lastFilled,
                    runProcedure(a4 ? QStringLiteral("SELECT * From SP_SISANHYO_BUMON_A4( :TAX, :HAIBUN,  :SCODE, :BCODE) ")
                                    : QStringLiteral("SELECT * From SP_SISANHYO_BUMON_A3( :TAX, :HAIBUN, :SCODE, :BCODE ) "),
                                 false, false, merge));
                merge = true;
            }
            break;
        }
        default:
            break;
        }
        break;
    }
    case 4:
        lastFilled = runProcedure(QStringLiteral("SELECT * FROM SP_SISANHYO_KESSAN( :TAX , :ZENTAX ) "), true, false);
        relabelSettlement();
        break;
    default:
        break;
    }

    if (lastFilled >= 0)
        core::SortTextIntArray(std::span<TQSORT>(sorts_.data(), size_t(sorts_.size())), 0, lastFilled);
}

int SisanhyoReader::computeBySetting() {
    TCalcSisanhyoSettingRec setting;
    setting.SCODE = QString();
    setting.SCODE_ONE = 0;
    setting.BCODE = BCODE;
    setting.BCODE_ONE = 0;
    setting.SCOPE = SCOPE;
    setting.TAX = TAX;
    setting.HAIBUN = HAIBUN;
    setting.FORM = FORM;
    setting.KIND = KIND;
    setting.ZENKI_ON = ZENKI_ON;
    setting.JIGYOU = 0;
    return CalcSisanhyoBySetting(rows_, sorts_, setting);
}

void SisanhyoReader::execStatement(const QStringList& lines) {
    query_->close();
    query_->sql() = lines;
    query_->execSQL();
    query_->close();
}

void SisanhyoReader::clearSharedCaptions(const QString& table, const QString& column) {
    // Clears a line's own caption where it only repeats the name of the one account in use on it.
    const bool a4 = table == QLatin1String("EXTERA4");
    const QString count = a4 ? QStringLiteral("COUNT( * )") : QStringLiteral("COUNT(*)");
    const QString update = QStringLiteral("UPDATE \"%1\" SET KNAME1='' ").arg(table);
    execStatement({update,
                   QStringLiteral("WHERE REC IN ( SELECT %1 FROM \"KAMOKUMST\" WHERE USE=1 AND %1 IN ( SELECT %1 FROM "
                                  "\"KAMOKUMST\" GROUP BY %1 HAVING  %2 > 1 )  GROUP BY %1  HAVING  %2 = 1) AND")
                       .arg(column, count),
                   QStringLiteral("KNAME1 IN (SELECT KNAME FROM \"KAMOKUMST\" WHERE USE=1 AND %1 IN ( SELECT %1 FROM "
                                  "\"KAMOKUMST\" GROUP BY %1 HAVING  %2>1 ))")
                       .arg(column, count)});
    execStatement({update,
                   QStringLiteral("WHERE ( REC  IN (SELECT %1 FROM \"KAMOKUMST\" WHERE USE=1 AND %1 IN (SELECT %1 FROM "
                                  "\"KAMOKUMST\" GROUP BY %1 HAVING  COUNT( * ) = 1 )) )")
                       .arg(column),
                   QStringLiteral(" AND (KNAME1 IN (SELECT KNAME   FROM \"KAMOKUMST\" WHERE USE=1 AND %1 IN (SELECT %1 "
                                  "FROM \"KAMOKUMST\" GROUP BY %1 HAVING  COUNT( * ) = 1 )) )")
                       .arg(column)});
}

void SisanhyoReader::LoadTotalNames(bool bumon) {
    static const QList<int> bracketed = {5, 9, 10, 12, 13, 14, 23, 24, 25, 28, 30, 31, 32, 33, 37, 39, 40, 42, 43, 46};
    static const QList<int> parenthesised = {6, 7, 8};
    static const QList<int> bare = {19, 22};
    query_->close();
    query_->sql() = QStringList{QStringLiteral("SELECT * FROM ACCTOTALNAME ORDER BY KGROUP ")};
    for (query_->execQuery(); !query_->eof(); query_->next()) {
        const int a = query_->fieldByName(QStringLiteral("ARRAYNUM")).asInteger();
        if (a < 0)
            continue;
        const QString group = query_->fieldByName(QStringLiteral("KGROUP")).asString();
        TBALANCE& r = row(a);
        r.KMK.GROUPM1 = group;
        r.KMK.GROUPM2 = group;
        r.KMK.KCODE.clear();
        r.KMK.KNAME = query_->fieldByName(QStringLiteral("PLUSNAME")).asString();
        if ((SCOPE == 10 || SCOPE == 30) && query_->fieldByName(QStringLiteral("KESSAN_USE")).asInteger() == 1) {
            const QString text = query_->fieldByName(QStringLiteral("KESSAN_TEXT")).asString();
            if (bracketed.contains(a))
                r.KMK.KNAME = QStringLiteral("【") + text + QStringLiteral("】");
            else if (parenthesised.contains(a))
                r.KMK.KNAME = QStringLiteral("（") + text + QStringLiteral("）");
            else if (bare.contains(a))
                r.KMK.KNAME = text;
        }
        const int kubun = query_->fieldByName(QStringLiteral("KESKUBUN")).asInteger();
        if (kubun == 0 || kubun == KIND) {
            r.KMK.BPFLG = core::CompareSjis(group, QStringLiteral("4000")) < 0 ? QStringLiteral("B") : QStringLiteral("P");
            sorts_[a] = TQSORT{group, a};
        }
    }
    query_->close();

    row(29).KMK.KNAME = row(35).KMK.KNAME;
    const auto hide = [&](int index, bool name) {
        TBALANCE& r = row(index);
        sorts_[index].SORTKEY = HiddenSortKey;
        r.KMK.GROUPM1.clear();
        r.KMK.GROUPM2.clear();
        if (name)
            r.KMK.KNAME.clear();
    };
    if (KIND == 1) {
        for (int index : {3, 4, 2})
            hide(index, false);
    } else {
        hide(GenkaSubtotalRow, false);
    }
    if (bumon) {
        query_->sql() = QStringList{QStringLiteral("SELECT BUMON FROM ACCDEF1 WHERE REC=1")};
        query_->execQuery();
        const bool byDepartment = !query_->eof() && query_->fieldByName(QStringLiteral("BUMON")).asInteger() == 1;
        query_->close();
        if (byDepartment) {
            for (int index = 1; index <= 27; ++index)
                hide(index, true);
            for (int index = 42; index <= 45; ++index)
                hide(index, true);
        }
    }
}

QStringList SisanhyoReader::GetGroupBumonList() {
    query_->close();
    query_->sql() = QStringList{QStringLiteral("SELECT BCODE FROM GROUPLIST WHERE GCODE=:GCODE")};
    query_->paramByName(QStringLiteral("GCODE")).setString(BCODE);
    QStringList members;
    for (query_->execQuery(); !query_->eof(); query_->next())
        members << query_->fields(0).asString();
    query_->close();
    return members;
}

int SisanhyoReader::runProcedure(const QString& sql, bool settlement, bool notes, bool merge) {
    query_->close();
    query_->sql() = QStringList{sql};
    const auto bind = [&](const QString& name, auto setter) {
        if (sql.contains(QLatin1Char(':') + name))
            setter(query_->paramByName(name));
    };
    bind(QStringLiteral("TAX"), [&](core::IBSQLParam& p) { p.setInteger(TAX); });
    bind(QStringLiteral("HAIBUN"), [&](core::IBSQLParam& p) { p.setInteger(HAIBUN); });
    bind(QStringLiteral("ZENTAX"), [&](core::IBSQLParam& p) { p.setInteger(ZENKI_ON >= 1 ? 1 : -1); });
    bind(QStringLiteral("SITENGROUP"), [&](core::IBSQLParam& p) { p.setString(SCODE); });
    bind(QStringLiteral("SCODE"), [&](core::IBSQLParam& p) { p.setString(SCODE); });
    bind(QStringLiteral("BCODE"), [&](core::IBSQLParam& p) { p.setString(SCOPE == 4 ? memberBcode_ : BCODE); });
    return SetSisanhyoRows(settlement, notes, merge);
}

int SisanhyoReader::SetSisanhyoRows(bool settlement, bool notes, bool merge) {
    core::TIBQuery& q = *query_;
    const bool lines = FORM == 1 || FORM == 2 || settlement;
    const QStringList& bills = {core::AccInf.BillKCode[0], core::AccInf.BillKCode[1], core::AccInf.BillKCode[2]};
    std::array<int, 3> noted{0, 0, 0};
    int last = FirstAccountRow - 1;
    if (!merge) {
        rowByKey_.clear();
        nextRow_ = FirstAccountRow;
    }
    q.execQuery();
    while (!q.eof()) {
        const auto text = [&](const char* name) { return q.fieldByName(QLatin1String(name)).asString(); };
        const auto number = [&](const char* name) { return q.fieldByName(QLatin1String(name)).asInteger(); };
        const auto amount = [&](const QString& name) { return q.fieldByName(name).asCurrency(); };
        if (text("GROUPM1") == QLatin1String("9900")) {
            q.next();
            continue;
        }
        // Members of a department group meet their accounts by key, never by position.
        const QString key = lines ? QStringLiteral("%1/%2").arg(number("MSTREC")).arg(number("SUBREC")) : text("KCODE");
        int r = merge ? rowByKey_.value(key, 0) : 0;
        if (r == 0) {
            r = nextRow_++;
            rowByKey_.insert(key, r);
        }
        last = std::max(last, r);
        TBALANCE& account = row(r);
        account.KMK.GROUPM1 = text("GROUPM1");
        account.KMK.GROUPM2 = text("GROUPM2");
        account.KMK.USERCODE = text("USERCODE");
        account.KMK.KCODE = text("KCODE");
        account.KMK.KNAME = text("KNAME");
        account.KMK.BPFLG = text("BSPL");
        account.KMK.DAC = number("TAISHAKU");
        qint32 hojcnt = 0;
        if (lines) {
            account.MSTREC = number("MSTREC");
            account.SUBREC = number("SUBREC");
            for (int i = 0; i < 3; ++i)
                if (!bills[i].isEmpty() && account.KMK.KCODE == bills[i] && noted[size_t(i)] == 0)
                    noted[size_t(i)] = r;
        } else if (FORM == 0) {
            hojcnt = number("HOJCNT");
        }
        account.KAISIZAN += amount(QStringLiteral("KAISIZAN"));
        for (int p = 1; p <= 16; ++p) {
            account.KAR[p] += amount(QStringLiteral("KAR") + twoDigits(p));
            account.KAS[p] += amount(QStringLiteral("KAS") + twoDigits(p));
        }
        computePeriodBalances(account.KMK.DAC, account.KAISIZAN, account.KAR, account.KAS, account.HASSEI,
                              account.ZANDAKA);
        if (settlement)
            takeSettlementColumns(account);
        sorts_[r] = TQSORT{sortKey(account), r};
        q.next();
        if (FORM == 0 && !settlement && hojcnt >= 1)
            takeSubAccounts(account);
    }
    q.close();
    if ((settlement || notes) && core::AccInf.DATATYPE == 1 && core::SystemDef.BillOffset == 1)
        applyNotesOffset(settlement, last, noted);
    return last;
}

void SisanhyoReader::takeSubAccounts(TBALANCE& account) {
    // The sub-account rows that follow an account row carry its KCODE; each is added into the
    // line of its own HCODE, so that the members of a department group meet by sub-account.
    core::TIBQuery& q = *query_;
    while (!q.eof() && q.fieldByName(QStringLiteral("KCODE")).asString() == account.KMK.KCODE) {
        const QString hcode = q.fieldByName(QStringLiteral("HCODE")).asString();
        if (account.HOJOUTIWAKE.size() > account.HOJCNT)
            account.HOJOUTIWAKE.resize(account.HOJCNT); // lines retired by clearing the row
        qsizetype j = 0;
        while (j < account.HOJOUTIWAKE.size() && account.HOJOUTIWAKE[j].HCODE != hcode)
            ++j;
        if (j == account.HOJOUTIWAKE.size()) {
            account.HOJOUTIWAKE.append(THOJOUTIWAKE{});
            account.HOJOUTIWAKE[j].HCODE = hcode;
            account.HOJCNT = qint32(account.HOJOUTIWAKE.size());
        }
        THOJOUTIWAKE& sub = account.HOJOUTIWAKE[j];
        sub.HNAME = q.fieldByName(QStringLiteral("HNAME")).asString();
        sub.KAISIZAN += q.fieldByName(QStringLiteral("KAISIZAN")).asCurrency();
        for (int p = 1; p <= 16; ++p) {
            sub.KAR[p] += q.fieldByName(QStringLiteral("KAR") + twoDigits(p)).asCurrency();
            sub.KAS[p] += q.fieldByName(QStringLiteral("KAS") + twoDigits(p)).asCurrency();
        }
        computePeriodBalances(account.KMK.DAC, sub.KAISIZAN, sub.KAR, sub.KAS, sub.HASSEI, sub.ZANDAKA);
        q.next();
    }
}

void SisanhyoReader::takeSettlementColumns(TBALANCE& r) {
    core::TIBQuery& q = *query_;
    if (SCOPE == 30) {
        const Currency kishu1 = q.fieldByName(QStringLiteral("KISHU1")).asCurrency();
        for (int k = -15; k <= 0; ++k) {
            const Currency v = q.fieldByName(QStringLiteral("ZANM") + twoDigits(-k)).asCurrency();
            r.HASSEI[k] = v;
            r.ZANDAKA[k] = v + (k == -15 ? kishu1 : r.ZANDAKA[k - 1]);
        }
    }
    if (core::AccInf.KAISINO > 1) {
        const int n = MonthToSisanhyouColumn(core::AccInf.KAISINO);
        r.KISHU0 = q.fieldByName(QStringLiteral("KISHU0")).asCurrency();
        for (int p = 1; p <= n; ++p) {
            const Currency v = q.fieldByName(QStringLiteral("ZANP") + twoDigits(p)).asCurrency();
            r.HASSEI[p] = v;
            r.ZANDAKA[p] = v + (p == 1 ? r.KISHU0 : r.ZANDAKA[p - 1]);
        }
    }
}

QString SisanhyoReader::sortKey(TBALANCE& r) {
    TKMKREC& k = r.KMK;
    if (FORM == 4) {
        if (core::AccInf.DATATYPE == 2) {
            // Individual-business data: the business and real-estate incomes regroup by their line.
            const auto regroup = [&](const char* from, bool above, int bound, const char* to) {
                if (k.GROUPM1 == QLatin1String(from) && (above ? r.MSTREC > bound : r.MSTREC < bound))
                    k.GROUPM1 = QLatin1String(to);
            };
            switch (core::AccInf.CODETYPE) {
            case 1:
            case 4: {
                const int high = core::AccInf.CODETYPE == 1 ? 97 : 78;
                regroup("4100", true, high, "7100");
                regroup("6100", true, high, "7200");
                regroup("7100", false, high + 1, "4100");
                regroup("7200", false, high + 1, "6100");
                break;
            }
            case 2:
                regroup("6100", true, 63, "7200");
                regroup("7200", false, 64, "6100");
                break;
            default:
                break;
            }
        }
        return k.GROUPM1 + twoDigits(r.SUBREC);
    }
    if (FORM == 1 || FORM == 2)
        return k.GROUPM2 + twoDigits(r.SUBREC);
    const QString head = k.GROUPM1 == QLatin1String("5300") ? QStringLiteral("5881") : k.GROUPM2;
    return head + core::LeftStrB(k.USERCODE, 4);
}

int SisanhyoReader::GetKamokuExtKs(const QString& code, bool settlement, int last) {
    if (code.isEmpty())
        return 0;
    if (!settlement) {
        for (int r = FirstAccountRow; r <= last && r < rows_.size(); ++r)
            if (rows_[r].KMK.KCODE == code)
                return r;
        return 0;
    }
    auto lookup = core::CreateIBQuery(CompanyDatabase, true);
    lookup->sql() << QStringLiteral("SELECT EXT1_KS FROM KAMOKUMST WHERE KCODE=:TOKUTEI AND USE>0 ");
    lookup->paramByName(QStringLiteral("TOKUTEI")).setString(code);
    lookup->execQuery();
    if (lookup->eof())
        return 0;
    const int line = lookup->fields(0).asInteger();
    lookup->close();
    for (int r = FirstAccountRow; r <= last && r < rows_.size(); ++r)
        if (rows_[r].MSTREC == line)
            return r;
    return 0;
}

void SisanhyoReader::applyNotesOffset(bool settlement, int last, const std::array<int, 3>& noted) {
    std::array<int, 3> found = noted;
    for (int i = 0; i < 3; ++i)
        if (found[size_t(i)] == 0)
            found[size_t(i)] = GetKamokuExtKs(core::AccInf.BillKCode[size_t(i)], settlement, last);
    const int target = found[0];
    const int discounted = found[1];
    const int endorsed = found[2] == discounted ? 0 : found[2];
    if (target == 0)
        return;
    row(UragakiTegataRow);
    if (discounted != 0 && discounted != target)
        CopySisanhyoRow(rows_, sorts_, target, discounted, WaribikiTegataRow);
    if (endorsed != 0 && endorsed != target)
        CopySisanhyoRow(rows_, sorts_, target, endorsed, UragakiTegataRow);
}

void SisanhyoReader::relabelSettlement() {
    const auto key = [&](int index, const char* k) {
        row(index);
        sorts_[index].SORTKEY = QLatin1String(k);
    };
    const auto caption = [&](int index, const QString& text) { row(index).KMK.KNAME = text; };
    const auto group = [&](int index, const char* g) {
        TKMKREC& k = row(index).KMK;
        k.GROUPM1 = QLatin1String(g);
        k.GROUPM2 = QLatin1String(g);
        k.BPFLG = QStringLiteral("B");
    };
    const auto bracket = [](const QString& text) { return QStringLiteral("【") + text + QStringLiteral("】"); };
    const core::TACCINF& inf = core::AccInf;
    if (SCOPE == 10 || SCOPE == 30) {
        key(5, "110/"); key(9, "140-"); key(6, "140/"); key(7, "160/"); key(8, "170/"); key(10, "180/");
        key(12, "210/"); key(13, "220/"); key(14, "230/");
        key(23, "310/"); key(19, "320/"); key(18, "322/");
        caption(18, QStringLiteral("その他") + row(19).KMK.KNAME);
        key(22, "330/"); key(21, "332/");
        caption(21, QStringLiteral("その他") + row(22).KMK.KNAME);
        key(24, "350/"); key(25, "360/");
        key(28, "410/"); key(30, "510/"); key(37, "610/");
        key(39, "710/"); key(40, "720/"); key(42, "810/"); key(43, "820/");
        caption(31, bracket(inf.GENKA_HWORD[2])); key(31, "551/");
        caption(32, bracket(inf.GENKA_HWORD[3])); key(32, "560/");
        caption(46, bracket(inf.GENKA_HWORD6)); key(46, "565/");
        caption(33, bracket(inf.GENKA_HWORD[4])); key(33, "570/");
        group(18, "3270");
        group(21, "3330");
        group(25, "3680");
    } else if (SCOPE == 20) {
        key(25, "3680");
        caption(31, inf.TotalName5580);
        caption(32, inf.TotalName5680);
        caption(46, inf.TotalName5688);
        caption(33, inf.TotalName5780);
        group(25, "3680");
    }
}

} // namespace

void pcSisanhyo_Read(TBalanceArray& rows, qint32 lastRow, TQSortArray& sorts, qint32 lastSort, const QString& SCODE,
                     const QString& BCODE, qint32 TAX, qint32 SCOPE, qint32 FORM, qint32 KIND, qint32 HAIBUN,
                     qint32 ZENKI_ON) {
    if (!core::DM)
        throw std::logic_error("no data module");
    core::TIBTransaction& snapshot = core::DM->IBTransactionDATSS;
    // One read sees one snapshot: whatever the transaction held is committed and it starts anew.
    if (snapshot.inTransaction())
        snapshot.commit();
    snapshot.startTransaction();
    try {
        SisanhyoReader reader(rows, sorts, SCODE, BCODE, TAX, SCOPE, FORM, KIND, HAIBUN, ZENKI_ON);
        reader.read(std::max(lastRow, lastSort));
        snapshot.commit();
    } catch (const core::EIBError& e) {
        if (snapshot.inTransaction())
            snapshot.rollback();
        // Reported as ever, then passed on: a half-read trial balance must not reach a file.
        core::ReportFbError(e, QStringLiteral("試算表読込"));
        throw;
    } catch (...) {
        if (snapshot.inTransaction())
            snapshot.rollback();
        throw;
    }
}

int MonthToSisanhyouColumn(int month) {
    static constexpr std::array<int, 13> columns = {0, 0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};
    return month >= 1 && month <= 12 ? columns[size_t(month)] : 0;
}

void CopySisanhyoRow(TBalanceArray& rows, TQSortArray& sorts, int target, int source, int copy) {
    TBALANCE& t = rows[target];
    TBALANCE& s = rows[source];
    TBALANCE& c = rows[copy];
    c.KMK.GROUPM1 = s.KMK.GROUPM1;
    c.KMK.GROUPM2 = s.KMK.GROUPM2;
    c.KMK.USERCODE = s.KMK.USERCODE;
    c.KMK.KCODE = s.KMK.KCODE;
    c.KMK.KNAME = s.KMK.KNAME;
    c.KMK.BPFLG = s.KMK.BPFLG;
    c.KMK.DAC = s.KMK.DAC;
    c.KAISIZAN = s.KAISIZAN;
    if (s.KMK.DAC == 3)
        t.KAISIZAN -= s.KAISIZAN;
    else
        t.KAISIZAN += s.KAISIZAN;
    // The opening position and the previous year first, so that the running balances of the
    // current periods start from the adjusted opening.
    const bool debitTarget = isDebitNature(t.KMK.DAC);
    for (int p = -15; p <= 0; ++p) {
        t.ZANDAKA[p] += debitTarget ? -s.ZANDAKA[p] : s.ZANDAKA[p];
        t.HASSEI[p] += debitTarget ? -s.HASSEI[p] : s.HASSEI[p];
    }
    for (int p = 1; p <= 16; ++p) {
        t.KAR[p] += s.KAR[p];
        t.KAS[p] += s.KAS[p];
        t.HASSEI[p] = netChange(t.KMK.DAC, t.KAR[p], t.KAS[p]);
        t.ZANDAKA[p] = t.ZANDAKA[p - 1] + t.HASSEI[p];
    }
    // The moved account keeps its own figures in its new row, the previous year included.
    for (int p = -15; p <= 16; ++p) {
        if (p >= 1) {
            c.KAR[p] = s.KAR[p];
            c.KAS[p] = s.KAS[p];
        }
        c.HASSEI[p] = s.HASSEI[p];
        c.ZANDAKA[p] = s.ZANDAKA[p];
    }
    for (int p = 1; p <= 16; ++p) {
        s.KAR[p] = Currency{};
        s.KAS[p] = Currency{};
    }
    for (int p = -15; p <= 16; ++p) {
        s.HASSEI[p] = Currency{};
        s.ZANDAKA[p] = Currency{};
    }
    s.KAISIZAN = Currency{};
    sorts[source].SORTKEY = HiddenSortKey;
}

} // namespace statements
