#pragma once
// The information of one company data set as the data-folder information file "qmacc.ini"
// holds it: the state section [DATASTS] and the identity section [DATAINFO].

#include <QString>
#include <QtGlobal>

namespace platform {
class TIniFile;
}

namespace companydata {

// Data status values (TDataInfomationRec::Status).
enum : quint8 {
    kDataNotOpened = 0,
    kDataNormal = 1,
    kDataInUse = 2,
    kDataLocked = 3,
    kDataBackup = 4,
    kDataRestore = 5,
    kDataCopy = 6,
    kDataPaste = 7,
    kDataDelete = 8,
    kDataCreate = 9,
    kDataBroken = 10,
};

// Share status values (TDataInfomationRec::ShareStatus).
enum : quint8 { kShareInPlace = 1, kShareTakenOut = 2 };

inline const QString kSectionDataSts = QStringLiteral("DATASTS");
inline const QString kSectionDataInfo = QStringLiteral("DATAINFO");

struct TDataInfomationRec {
    quint8 Status = kDataNormal;
    qint32 OpCode = 0;
    QString OpName;
    quint8 ShareStatus = kShareInPlace;
    qint32 ShareOpCode = 0;
    QString ShareOpName;
    qint32 UpdateLock = 0;
    qint32 ReadOnly = 0;
    QString DataListName;
    QString Code;
    qint32 DataKbn = 0;
    qint32 CodeKbn = 0;
    QString Shougou;
    QString Kana;
    qint32 Nendo = 0;
    QString Kishu;  // "yyyy/mm/dd"
    QString Kimatu; // "yyyy/mm/dd"
    qint32 Tanto = 0;
    qint32 Siten = 0;
    qint32 SitenCnt = 0;
    qint32 Bumon = 0;
    qint32 BumonCnt = 0;
    qint32 Siwake = 0;
    qint32 TotalSiwake = 0;
    qint32 VerMajor = 0;
    qint32 VerMinor1 = 0;
    qint32 VerMinor2 = 0;
    QString VerName;
    quint8 GassanKbn = 0;
    qint32 UseMyNumber = 0;
    quint8 CloudShare = 0;
};

// Every field back to its cleared value: status 1, share status 1, empty texts, zero numbers.
void ClearDataInfoRec(TDataInfomationRec& rec);

// "%d.%d.%d" of the three version numbers.
QString VersionText(const TDataInfomationRec& rec);

// Rewrites the section from the record: erased, then its keys in their fixed order. In
// [DATASTS] the operator keys are written only for a code that is not 0.
void WriteDataStsSection(platform::TIniFile& ini, const TDataInfomationRec& rec);
void WriteDataInfoSection(platform::TIniFile& ini, const TDataInfomationRec& rec);

// Reads both sections into the record (cleared first). Missing or non-numeric integers take
// their cleared value; an empty DATALISTNAME takes SHOUGOU; VERSION1 is split at ".", a
// missing or non-numeric part giving 0.
void ReadDataInfoSections(const platform::TIniFile& ini, TDataInfomationRec& rec);

} // namespace companydata
