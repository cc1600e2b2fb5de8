#include "statements/MbTotals.h"

#include <initializer_list>

namespace statements::mbtotals {
namespace {

Currency sum(QList<TBALANCE>& rows, const Field& f, std::initializer_list<int> lines) {
    Currency s;
    for (int line : lines)
        s += f(rows[line]);
    return s;
}

} // namespace

void sumLines(QList<TBALANCE>& rows, const Field& f) {
    f(rows[2]) += f(rows[1]);
    f(rows[5]) = sum(rows, f, {2, 3, 4});
    f(rows[9]) = sum(rows, f, {6, 7, 8});
    f(rows[11]) = sum(rows, f, {5, 9, 10});
    f(rows[14]) = sum(rows, f, {12, 13});
}

void balancingLine(QList<TBALANCE>& rows, const Field& f) {
    f(rows[19]) = f(rows[11]) - sum(rows, f, {14, 15, 16, 17, 18, 22});
}

void higherTotals(QList<TBALANCE>& rows, const Field& f) {
    f(rows[21]) = sum(rows, f, {17, 18, 19});
    f(rows[23]) = sum(rows, f, {15, 16, 21, 22});
    f(rows[24]) = sum(rows, f, {14, 23});
    f(rows[26]) += f(rows[25]);
    f(rows[28]) += f(rows[27]);
    f(rows[30]) += f(rows[29]);
    f(rows[32]) = sum(rows, f, {26, 28, 30, 31});
    f(rows[41]) = sum(rows, f, {33, 34, 35, 36, 37, 38, 39, 40});
}

void profitLines(QList<TBALANCE>& rows, const Field& f) {
    f(rows[42]) = f(rows[32]) - f(rows[41]);
    f(rows[45]) = f(rows[42]) + f(rows[43]) - f(rows[44]);
    f(rows[48]) = f(rows[45]) + f(rows[46]) - f(rows[47]);
    f(rows[49]) = f(rows[48]) - f(rows[49]);
    f(rows[50]) = f(rows[49]) + f(rows[50]);
    f(rows[53]) = f(rows[50]) + f(rows[51]) - f(rows[52]);
}

} // namespace statements::mbtotals
