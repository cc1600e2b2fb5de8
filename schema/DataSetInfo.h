#pragma once
// What the data-list code knows about a company data set without opening it: the fields of
// the information file "qmacc.ini" in the data folder and of the data set's DATALIST row.
// The creation tool reads them from the company database once it is filled and writes both.

#include <QDate>
#include <QString>

namespace core {
class TIBDatabase;
}

namespace schema {

struct DataSetInfo {
    QString dataListName; // ACCDEF1.ENTTEXT (registered name)
    QString code;         // ACCDEF1.SCODE1
    int dataKbn = 0;      // 1 法人, 2 個人, 3 医療法人
    int codeKbn = 0;
    QString shougou;      // trade name
    QString kana;
    int nendo = 0;
    QDate kishu;
    QDate kimatu;
    int tanto = 0;
    int siten = 0;
    int sitenCnt = 0;
    int bumon = 0;
    int bumonCnt = 0;
    int siwake = 0;       // valid journal entries
    int totalSiwake = 0;  // valid plus corrected and deleted entries
    int verMajor = 0;
    int verMinor1 = 0;
    int verMinor2 = 0;
    QString verName;      // display name of the version: "major.minor" when no product names it
    int gassanKbn = 0;
    int useMyNumber = 0;
    int cloudShare = 0;
    int updateLock = 0;
    int readOnly = 0;
};

// Reads the information from an open company database (one transaction of its own).
DataSetInfo readDataSetInfo(core::TIBDatabase& company);

// Writes "qmacc.ini" in the folder: [DATASTS] with the free state (status 1, share status 1)
// and [DATAINFO] with every key, as the program's information writer lays them out.
void writeDataFolderIni(const QString& folder, const DataSetInfo& info);

// Fills the DATALIST row rec of the default group for the data set in folder (the row must
// exist: SP_DATALIST_INSERT made it). Throws std::runtime_error when it does not.
void registerDataSet(core::TIBDatabase& system, int rec, const QString& folder, const DataSetInfo& info);

// The first maxBytes CP932 bytes of text; a double-byte character that would be cut in half
// is left out whole.
QString leftCp932Bytes(const QString& text, int maxBytes);

} // namespace schema
