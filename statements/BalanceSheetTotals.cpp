#include "statements/BalanceSheetTotals.h"

#include <initializer_list>

namespace statements {
namespace {

struct GroupRange {
    const char* above;
    const char* below;
    int line;
};

// Tested in this order; a group equal to a bound belongs to no range.
constexpr GroupRange kGroupLines[] = {
    {"1000", "1120", 1},  {"1120", "1180", 2},  {"1180", "1280", 3},  {"1280", "1380", 4},  {"1380", "1390", 5},
    {"1390", "1580", 6},  {"1580", "1680", 7},  {"1680", "1780", 8},  {"1780", "1790", 9},  {"1790", "1880", 10},
    {"1880", "1900", 11}, {"1900", "2180", 12}, {"2180", "2280", 13}, {"2280", "2380", 14}, {"2380", "2800", 15},
    {"2800", "3180", 16}, {"3180", "3210", 17}, {"3210", "3270", 18}, {"3270", "3280", 19}, {"3280", "3310", 20},
    {"3310", "3330", 21}, {"3380", "3480", 23}, {"3480", "3580", 24}, {"3580", "3680", 25}, {"3680", "3800", 26},
    {"3800", "3900", 27}, {"3900", "4800", 28}, {"4800", "5250", 29}, {"5250", "5400", 30}, {"5400", "5580", 31},
    {"5580", "5680", 32}, {"5680", "5688", 46}, {"5688", "5780", 33}, {"5790", "5830", 34}, {"5800", "5900", 36},
    {"5900", "6180", 37}, {"6180", "6200", 38}, {"6200", "7180", 39}, {"7180", "7280", 40}, {"7280", "7300", 41},
    {"7300", "8180", 42}, {"8180", "8280", 43}, {"8280", "8290", 44}, {"8290", "8400", 45},
};

// The balance-sheet lines whose opening balance the rebuild collects directly.
constexpr GroupRange kOpeningLines[] = {
    {"1000", "1900", 11}, {"1900", "2800", 15}, {"2800", "3180", 16}, {"3180", "3210", 17}, {"3210", "3270", 18},
    {"3270", "3280", 19}, {"3280", "3310", 20}, {"3310", "3330", 21}, {"3380", "3480", 23}, {"3480", "3580", 24},
    {"3580", "3680", 25}, {"3680", "3800", 26}, {"3800", "3900", 27},
};

bool within(const QString& group, const char* above, const char* below) {
    return group > QLatin1String(above) && group < QLatin1String(below);
}

template <std::size_t N>
int lineOf(const GroupRange (&table)[N], const QString& group) {
    for (const GroupRange& r : table)
        if (within(group, r.above, r.below))
            return r.line;
    return 0;
}

// The five range amounts of a line.
struct Amounts {
    Currency KURIKOSI, KARI, KASI, ZAN, ZENKI;

    static Amounts of(const TBALANCE& row) { return {row.KURIKOSI, row.KARI, row.KASI, row.ZAN, row.ZENKI}; }
    void storeIn(TBALANCE& row) const {
        row.KURIKOSI = KURIKOSI;
        row.KARI = KARI;
        row.KASI = KASI;
        row.ZAN = ZAN;
        row.ZENKI = ZENKI;
    }
    Amounts& operator+=(const Amounts& o) {
        KURIKOSI += o.KURIKOSI;
        KARI += o.KARI;
        KASI += o.KASI;
        ZAN += o.ZAN;
        ZENKI += o.ZENKI;
        return *this;
    }
    Amounts& operator-=(const Amounts& o) {
        KURIKOSI -= o.KURIKOSI;
        KARI -= o.KARI;
        KASI -= o.KASI;
        ZAN -= o.ZAN;
        ZENKI -= o.ZENKI;
        return *this;
    }
};

Amounts sum(const QList<TBALANCE>& rows, std::initializer_list<int> lines) {
    Amounts total{};
    for (int line : lines)
        total += Amounts::of(rows[line]);
    return total;
}

// line := the sum of the lines, all five amounts.
void assignSum(QList<TBALANCE>& rows, int line, std::initializer_list<int> lines) { sum(rows, lines).storeIn(rows[line]); }

// line += the sum of the lines, all five amounts. A subtotal also keeps the accounts of its own
// group range (the allowance for doubtful accounts between "1380" and "1390" belongs to current
// assets); replacing them would drop those accounts from every total.
void addSum(QList<TBALANCE>& rows, int line, std::initializer_list<int> lines) {
    Amounts total = Amounts::of(rows[line]);
    total += sum(rows, lines);
    total.storeIn(rows[line]);
}

// A derived line: brought-forward, closing and previous-year amounts from the formula, no
// debit, and the credit column holding the change over the range.
void setDerived(TBALANCE& row, const Amounts& value) {
    row.KURIKOSI = value.KURIKOSI;
    row.ZAN = value.ZAN;
    row.ZENKI = value.ZENKI;
    row.KARI = Currency{};
    row.KASI = row.ZAN - row.KURIKOSI;
}

Currency kurikosi(const QList<TBALANCE>& rows, std::initializer_list<int> lines) {
    Currency total;
    for (int line : lines)
        total += rows[line].KURIKOSI;
    return total;
}

// The opening balance signed by the account's nature as a total collects it.
Currency signedOpening(const TBALANCE& row) {
    switch (row.KMK.DAC) {
    case 1:
    case 3: return row.KISHU0;
    case 2:
    case 4: return -row.KISHU0;
    default: return Currency{};
    }
}

} // namespace

int totalLineOfGroup(const QString& group) { return lineOf(kGroupLines, group); }

void computeTotals(QList<TBALANCE>& rows, int x, int dataType) {
    Amounts line2 = Amounts::of(rows[2]);
    line2 += Amounts::of(rows[1]);
    line2.storeIn(rows[2]);
    addSum(rows, 5, {2, 3, 4});
    addSum(rows, 9, {6, 7, 8});
    addSum(rows, 11, {5, 9, 10});
    addSum(rows, 15, {12, 13, 14});
    addSum(rows, 19, {17, 18});

    if (dataType == 1) {
        // Retained earnings brought forward balance the sheet: total assets less every other
        // liability and net-asset line.
        Amounts balancing = Amounts::of(rows[11]);
        balancing -= sum(rows, {15, 16, 19, 20, 21, 23, 24, 25});
        TBALANCE& retained = rows[x];
        retained.KURIKOSI = balancing.KURIKOSI;
        retained.ZAN = balancing.ZAN;
        retained.ZENKI = balancing.ZENKI;
        retained.KASI = (retained.ZAN - retained.KURIKOSI) + retained.KARI;
        Amounts line21 = Amounts::of(rows[21]);
        line21 += Amounts::of(retained);
        line21.storeIn(rows[21]);
        assignSum(rows, 22, {20, 21});
        assignSum(rows, 23, {23, 16, 19, 22});
        assignSum(rows, 26, {23, 24, 25});
    } else {
        assignSum(rows, 22, {20, 21});
        Amounts capital = Amounts::of(rows[11]);
        capital -= sum(rows, {15, 16, 19, 22});
        setDerived(rows[23], capital);
        assignSum(rows, 26, {16, 19, 22, 23});
    }

    assignSum(rows, 27, {15, 26});
    assignSum(rows, 47, {31, 32, 46, 33});
    assignSum(rows, 35, {31, 32, 46, 33, 34});
    assignSum(rows, 30, {29, 35, 30});
    Amounts::of(rows[35]).storeIn(rows[29]);

    auto difference = [&rows](std::initializer_list<int> plus, std::initializer_list<int> minus) {
        Amounts value = sum(rows, plus);
        value -= sum(rows, minus);
        return value;
    };
    setDerived(rows[36], difference({28}, {30}));
    setDerived(rows[38], difference({36}, {37}));
    setDerived(rows[41], difference({38, 39}, {40}));
    setDerived(rows[44], difference({41, 42}, {43}));
    setDerived(rows[45], difference({44}, {45})); // the taxes collected on line 45 come off
}

void rebuildOpening(QList<TBALANCE>& rows, int last, int x, int dataType) {
    for (int line : {11, 15, 16, 17, 18, 19, 20, 21, 23, 24, 25, 26, 27})
        rows[line].KURIKOSI = Currency{};

    int a = 0, b = 0, c = 0; // individual business: the owner's drawings and contributions
    for (int i = 51; i <= last; ++i) {
        TBALANCE& row = rows[i];
        if (!within(row.KMK.GROUPM2, "1000", "3800"))
            continue;
        row.KURIKOSI = row.KISHU0;
        if (dataType == 2) {
            if (row.KMK.GROUPM1 == QLatin1String("1100") && row.SUBREC == 24)
                a = i;
            if (row.KMK.GROUPM1 == QLatin1String("2100") && row.SUBREC == 22)
                b = i;
            if (row.KMK.GROUPM1 == QLatin1String("2100") && row.SUBREC == 23)
                c = i;
        }
        rows[lineOf(kOpeningLines, row.KMK.GROUPM2)].KURIKOSI += signedOpening(row);
    }

    if (dataType == 2) {
        const Currency netAssets = rows[11].KURIKOSI - (rows[15].KURIKOSI + rows[16].KURIKOSI);
        const Currency capital = rows[b].KURIKOSI - rows[a].KURIKOSI + rows[c].KURIKOSI + netAssets;
        rows[c].KURIKOSI = capital;
        rows[a].KURIKOSI = Currency{};
        rows[b].KURIKOSI = Currency{};
    }
    if (dataType == 1) {
        rows[19].KURIKOSI = kurikosi(rows, {17, 18});
        rows[x].KURIKOSI = rows[11].KURIKOSI - kurikosi(rows, {15, 16, 19, 20, 21, 23, 24, 25});
        rows[21].KURIKOSI += rows[x].KURIKOSI;
        rows[22].KURIKOSI = kurikosi(rows, {20, 21});
        rows[23].KURIKOSI = kurikosi(rows, {23, 16, 19, 22});
        rows[26].KURIKOSI = kurikosi(rows, {23, 24, 25});
        rows[45].KASI = rows[x].ZAN - rows[x].KURIKOSI;
    }
}

} // namespace statements
