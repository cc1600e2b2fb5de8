#pragma once
// Japanese eras: the era table and the conversions between calendar dates and era dates.
// The table holds the newest era first. It is empty until the operator has logged in; then
// the data module fills it from the system database (FillGengoTable), or with the built-in
// eras when the database has none.

#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace core {

struct TGengoRec {
    QString name;      // "令和"
    QString shortName; // "R"
    QDate startDate;
    qint32 startYear = 0; // calendar year in which the era begins
};

using TGengoArray = QList<TGengoRec>;

// One built-in era.
struct TGengo2Rec {
    const char* name;
    const char* shortName;
    const char* startDate; // "yyyy/MM/dd"
    qint32 startYear;
};

struct TWarekiRec {
    QString name;
    QString shortName;
    qint16 year = 0; // era year
    qint16 month = 0;
    qint16 day = 0;
};

// 令和, 平成, 昭和, 大正, 明治: newest first.
extern const TGengo2Rec kBuiltInGengo[5];

// The program's era table.
extern TGengoArray GengoTable;

// Fills the table with the five built-in eras.
void InitGengoTable();

// Fills the table with the given rows (the GENGO table of the system database, newest era
// first); no rows give the built-in eras.
void FillGengoTable(const TGengoArray& rows);

// The date in era form. A date on or before the zero date (or a null date) gets no era and its
// calendar year; a date before the oldest era keeps that era with an era year of 1 or less.
TWarekiRec DateToWareki(const QDate& date);

// The calendar date of an era date: the era is found by its name or short name. A null date
// when names and year are missing, the era is unknown or the day does not exist.
QDate WarekiToDate(const TWarekiRec& wareki);

} // namespace core
