#pragma once
// The catalogue of the analysis-cloud dump: its 46 table sections in file order, each with the
// company query that feeds it and the values of every row in order. The value lists use a
// compact notation (see parseDumpValues) so that each section reads like one line of a table.

#include "cloudexchange/analysis/WebDumpValues.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace cloudexchange {

// Section flags.
enum DumpSectionFlag : unsigned {
    kHundredRows = 1,  // at most 100 rows a statement
    kFrom802 = 2,      // rows only from company data version 8.0.2
    kMedicalOnly = 4,  // rows only for data type 3 (医療法人)
};

// Sections whose steps are not the plain query-and-rows of the others.
enum class DumpSpecial { None, AccReg, AccVersion, ChartInf, KihonRule, KoseiGroup };

struct DumpSection {
    const char* table;      // the cloud table (and the company table unless source is set)
    const char* source;     // the company table, when it differs
    const char* filter;     // "WHERE …" or empty
    const char* order;      // the ORDER BY columns
    const char* values;     // the value list, in the notation of parseDumpValues
    const char* head;       // head lines separated by "\n"; empty: "INSERT INTO <table> VALUES"
    unsigned flags;
    const char* nonMedical; // "COLUMN=expression;…" read in place of columns for data types 1 and 2
    const char* below802;   // the same for company data below version 8.0.2
    DumpSpecial special;
};

struct DumpValue {
    QString column;        // the company column (or the cloud column of a computed value)
    DumpValueKind kind = DumpValueKind::Plain;
    int byteLength = 0;    // Text cut to this many bytes when above 0
    QString literal;       // Constant
    bool readsColumn() const;
};

// Parses a value list: entries separated by ","; "NAME" plain, "NAME:q" quoted, ":t" text,
// ":t20" text cut to 20 bytes, ":dt" date-time, ":i" integer, ":f" float, ":d" double,
// ":c" currency, ":col" colour, ":chart" chart type, ":int" text read as an integer, ":yy2"
// and ":yy1" the starts of the two previous fiscal years; "#NAME" a running number;
// "NAME=literal" a constant. Throws core::Exception on a mark it does not know.
std::vector<DumpValue> parseDumpValues(const char* notation);

// The 46 sections in file order.
const std::vector<DumpSection>& dumpSections();

// The value list shared by the three journal tables (68 values).
extern const char* const kJournalValues;

// The SELECT of a section: its read columns (substituted as the switches say), filter and order.
QString sectionQuery(const DumpSection& section, bool medical, bool from802);

// The head lines of a section (the given ones, or "INSERT INTO <table> VALUES").
QStringList sectionHead(const DumpSection& section);

} // namespace cloudexchange
