#pragma once
// The search conditions and the sort of the data lists (the data selection's list, type 0, and
// the shared-data list, type 1), stored per operator and list in KENSAKUJYOKEN of the system
// database, and TDataListKensakuBox ("検索条件の設定"), the dialog that edits them. The dialog
// owns the three routines that read and write the table; the filtering is done by the list.

#include "controls/forms/TBSDI.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

class QLabel;

namespace companydata {
class TSeihinVersionList;
class TUserList;
}

namespace controls {
class TxCheckBox;
class TxComboBox;
class TxEdit;
class TxPlButton;
}

namespace selection {

// Version modes of a condition (VersionMode).
enum : qint32 { kVersionEqual = 0, kVersionMajor = 1, kVersionAtLeast = 2 };

struct TDataKensakuRec {
    qint32 OPCODE = 0;
    qint32 LISTTYPE = 0;
    qint32 JYOKENUSE = 0;
    qint32 DATATYPE = 0;
    qint32 CODETYPE = 0;
    QString DATACODE;
    QString DATANAME;
    qint32 TANTO = 0;
    QString DATAVER;
    QString Yobi1;
    qint32 VersionMode = kVersionEqual;
    QString SEIHINNAME;
    qint32 SORTCOL = 0; // the grid column of the list
    qint32 SORTTYPE = 0; // 0 ascending, 1 descending
    QString Yobi2;
    QString Yobi3;

    bool operator==(const TDataKensakuRec&) const = default;
};

// SORTCOL as stored (1 データ名 … 6 コード) and as a grid column (3, 4, 5, 6, 7, 1); anything
// else is 0 both ways.
qint32 SortColFromStored(qint32 stored);
qint32 SortColToStored(qint32 gridColumn);

// The data kind items of the dialog, in order, and their (DATATYPE, CODETYPE) pairs.
QStringList DataKindItems();
struct TDataKindPair {
    qint32 DataType = 0;
    qint32 CodeType = 0;
    bool operator==(const TDataKindPair&) const = default;
};
TDataKindPair DataKindPairOfItem(int item); // (0, 0) outside the items
int DataKindItemOfPair(qint32 dataType, qint32 codeType);

// Whether a data set of (dataType, codeType) passes the data kind condition (condType,
// condCode): condType > 0 with condCode ≠ 0 the pair must equal (compared as a pair, so that
// (1, 12) never matches (11, 2)); condType > 0 with condCode 0 the data type must equal;
// condType -13 the data type is 1 or 3; anything else is no condition.
bool MatchesDataKind(qint32 condType, qint32 condCode, qint32 dataType, qint32 codeType);

class TDataListKensakuBox : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TDataListKensakuBox(QWidget* owner = nullptr);
    ~TDataListKensakuBox() override;

    qint32 ListType = 0; // set by the owner: 0 or 1
    qint32 Flag = 0;
    TDataKensakuRec KensakuRec; // the record being edited

    void Prepare(int flag);
    void InitKensakuRec(TDataKensakuRec& rec) const;
    // The row of the login's operator and this list type, inserted with the initial record
    // when missing. False after an error.
    bool SelectRecord(TDataKensakuRec& rec);
    // All condition and sort fields (1), or SORTCOL and SORTTYPE only; 0 after an error.
    int UpdateRecord(const TDataKensakuRec& rec);
    int UpdateRecordSortField(const TDataKensakuRec& rec);

    // Stores the controls into KensakuRec and ends with mrOK.
    void btnOKClick();

    controls::TxEdit* txtCode;
    controls::TxComboBox* cmbDataKbn;
    controls::TxEdit* txtListName;
    controls::TxComboBox* cmbTanto;
    controls::TxComboBox* cmbDataVer;
    controls::TxCheckBox* cboxYukou;
    controls::TxPlButton* btnOK;
    controls::TxPlButton* btnCancel;

    // The dialog's own system-database transaction (read_committed, rec_version, nowait); a
    // caller that starts it keeps the routines' errors to itself.
    core::TIBTransaction& transaction();

    companydata::TSeihinVersionList& SeihinVersionList() { return *versionList_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<companydata::TUserList> userList_;
    std::unique_ptr<companydata::TSeihinVersionList> versionList_;
    bool listsFilled_ = false;
    void fillLists();

    core::TIBTransaction transaction_;
};

} // namespace selection
