#pragma once
// The rows of the registry of company data sets: one registry row (a data set, or a child data
// set of a consolidated one) and a row with its children, as the data lists hold them.

#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace companydata {

// Consolidation kinds (GASSAN): 0, 1 and 2 are parent kinds, only 1 and 2 have children, and
// kind 10 rows are the children.
enum : quint8 {
    kGassanTsujou = 0,   // 通常データ
    kGassanGassan = 1,   // 合算データ
    kGassanHonsiten = 2, // 合算本支店データ
    kGassanBunsan = 10,  // 分散データ
};

inline bool IsParentKind(quint8 gassan) {
    return gassan == kGassanTsujou || gassan == kGassanGassan || gassan == kGassanHonsiten;
}
inline bool HasChildren(quint8 gassan) {
    return gassan == kGassanGassan || gassan == kGassanHonsiten;
}

struct TDataListRec {
    qint32 Rec = 0;     // registry number; a child carries its parent's
    qint32 RowNo = 0;   // child number under its parent, from 1; 0 for a parent
    qint32 GroupId = 0;
    QString DataCode;
    QString EntText;    // registered name; empty for an empty row
    QString Shougou;
    qint32 Nendo = 0;
    QString KikanText;
    QDate Kishu;        // an invalid date is the empty date
    QDate Kimatu;
    qint32 NetDrive = 0; // 1: PasName is a shared folder worked on through a local copy
    QString PasName;
    QString LocalPath;   // the folder the program opens for this row
    qint32 DataType = 0;
    qint32 CodeType = 0;
    qint32 DataLock = 0; // login code of the locking operator
    qint32 KyoyuLock = 0; // 1: the shared data set is taken out by this session
    qint32 Tantou = 0;
    qint32 VerMajor = 0;
    qint32 VerMinor1 = 0;
    qint32 VerMinor2 = 0;
    QString VerText;
    qint32 UpdateLock = 0;
    quint8 Gassan = kGassanTsujou;
    QString DispName;
    quint8 DataStatus = 0; // 1: the data set failed a data check
    QString Yobi1;
    QString Yobi2;
    QString Yobi3;
    quint8 Cloud = 0;
    qint32 ReadOnly = 0;
};

struct TDataSentakuRec : TDataListRec {
    qint32 ChildCount = 0;
    QList<TDataListRec> Children;
};

using TDataListArray = QList<TDataListRec>;
using TDataSentakuRecArray = QList<TDataSentakuRec>;
// Indexes into a TDataSentakuRecArray in the order a dialog shows the rows.
using TDataSentakuRecDispArray = QList<int>;

// The name of a data-set status of the information file; "状態不明" for an unknown one.
QString GetDataStatusName(int status);

} // namespace companydata
