#pragma once
// Creates one sample company data set in a data root: the folder SYSDIR/nnnn, its qmacc.fdb
// filled with the sample, its information file qmacc.ini and its registration in DATALIST.

#include "schema/DataRoot.h"

#include <QString>

namespace schema::sample {

enum class SampleKind {
    Ordinary, // 株式会社みなと商事 (法人), about 1,100 journal lines
    Medical,  // 医療法人社団けやき会 (医療法人) with three facilities
    Large,    // the ordinary company with a journal of the requested size, for benchmarks
    LateStart, // 株式会社さくら工房 (法人), data beginning in the fourth month (KAISINO 4)
};

struct SampleResult {
    int rec = 0;         // registry number, also the folder number
    QString folder;
    int journalLines = 0; // SIWAKE rows written (two per entry)
    qint64 journalMilliseconds = 0;
};

// lines is used by Large only: the number of SIWAKE rows to make (rounded to whole entries,
// at least the fixed entries of a year). The data root must have been created.
SampleResult createSampleDataSet(const DataRoot& root, int rec, SampleKind kind, int lines = 0);

// "ordinary", "medical", "large", "latestart"; false for any other name.
bool sampleKindFromName(const QString& name, SampleKind& kind);

} // namespace schema::sample
