#pragma once
// TServerSentakuBox ("共有データの選択"): the company data sets on a shared drive. A shared drive
// is a letter of the configured drive map whose folder holds the product's shared folder
// (AppInfo ShareDir); every subfolder of that folder is a data area, free or holding one
// company database with its information file. The dialog lists the areas of one drive from the
// server data list, filters and sorts them, returns the chosen area's folder and name (F12),
// and copies data between areas, adds and deletes areas, prints the list and shows an area's
// details. The data selection creates one instance and keeps it.

#include "companydata/DataInfomation.h"
#include "companydata/DataSentakuListCtl.h"
#include "controls/dialogs/Message2Info.h"
#include "controls/dialogs/TMessageBox.h"
#include "controls/forms/TBSDI.h"
#include "selection/DataListKensakuBox.h"
#include "selection/DataSentakuIncSearch.h"
#include "selection/ServerSentakuFKeys.h"
#include "selection/ServerSentakuList.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace communication {
class TfmDataTusin;
}

namespace controls {
class TxGrid;
class WindowKeyPreview;
}

namespace selection {

class TDataSyosaiInfoBox;
class TDataSentakuPrintDlg;

// A drive offered by the drive box: its letter and the text shown.
struct TShareDrive {
    QString Letter;
    QString Text;
};

// The mapped drive letters whose folder holds the shared folder, in letter order.
QList<TShareDrive> OfferedShareDrives(const QString& shareDir);

class TServerSentakuBox : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TServerSentakuBox(QWidget* owner = nullptr);
    ~TServerSentakuBox() override;

    QString DriveLetter;
    QString ShareRoot;
    QString SelPath, SelName;
    int KeyMode = 0;
    quint8 CopyMode = 0;
    QString CopySource;
    companydata::TDataListRec CopyRec;
    int PrepareFlag = 0;

    TDataKensakuRec ActiveKensaku; // the conditions in force
    TDataKensakuRec LoadedKensaku; // the operator's stored row
    TServerSentakuList List;
    TIncSearch IncSearch;
    companydata::TDataSentakuListCtl ListCtl;
    companydata::TDataInfomation Info;
    std::unique_ptr<TDataListKensakuBox> KensakuBox;
    std::unique_ptr<TDataSyosaiInfoBox> SyosaiBox;
    // Shows the details dialog modally; its result.
    std::function<int(TDataSyosaiInfoBox& box)> ShowSyosaiBox;
    // Shows the list print dialog of F8 modally (unset: its own modal run); its result.
    std::function<int(TDataSentakuPrintDlg& dlg)> ShowPrintDlg;

    void Prepare(int flag);
    void InitList();
    void MakeDriveList();
    void cmbDriveChange(int index);
    void LoadList(int rebuild);
    void ShowList();
    // LoadList(1) and ShowList.
    void RefreshList();
    void SetFKeyCaptions();
    void SetHints();

    void ESCClick();
    void F12Click();
    void HeaderClick(int column);
    void btnListUpdateClick();
    void btnMountClick();
    void btnSearchClick();
    void btnSearchCancelClick();
    void cboxDataListUpdateClick();
    bool GridKey(const QString& text, bool keypad);
    void IncSearchTimerFired();
    void RunKey(int key);

    // ---- the areas ----
    // The area's state byte; see the operations for the flags.
    quint8 CheckDataState(const QString& folder, bool reportMissing, bool reportStates);
    void SetDataStatus(const QString& folder, quint8 status);
    int GetShareStatus(const QString& folder);
    void SyncServerRow(companydata::TDataListRec& rec);
    companydata::TDataListRec GetRowRec(int row) const;
    int GetParentRow(int row) const;
    void NumberChildren(int row);
    // The data selection's row of a shared data set changed: its server row and information.
    void UpdateServerRow(const companydata::TDataListRec& rec);
    bool SetShareStatusIfChanged(const QString& folder, int kind);

    // ---- the operations ----
    int CopyPaste();
    bool AddArea();
    int DeleteData(bool reportFailure);
    void PrintList();
    void btnDataInfoClick();

    // Seams that tests replace: the numbered box, the detail box, the input of a new area name.
    std::function<int(controls::TMessage2InfoRec& info)> ShowBox2;
    std::function<int(const controls::TMessageInfoRec& info)> ShowDetailBox;
    // The input box of a new area's folder name; no value when it was not confirmed.
    std::function<std::optional<QString>(const QString& initial)> InputAreaName;
    // The copy of a paste ("folder/*" into a folder); unset: the shell copy.
    std::function<bool(const QString& sourceFolder, const QString& targetFolder)> CopyArea;

    // ---- a cloud-share copy source ----
    // The data-communication form of the cloud fetch, made on first use (tests put in their own).
    std::unique_ptr<communication::TfmDataTusin> CloudTusin;
    communication::TfmDataTusin& CloudTusinForm();
    // The folder that the cloud fetch of the marked copy source filled; a cloud source is
    // pasted from there.
    QString CloudSourceFolder;
    // Fetches the newest cloud copy of the area's data set: 0 fetched, 1 to 9 not.
    int FetchCloudSource(const companydata::TDataListRec& rec);
    // Readies the fetched copy to be pasted: its cloud line cleared and its information
    // written by one open and close; false when it cannot be (nothing changed).
    bool PrepareCloudSource(const QString& folder);

    controls::TxGrid* Grid = nullptr;
    QComboBox* cmbDrive = nullptr;
    QStringList DriveLetters;
    std::array<QPushButton*, fkCount> Keys{};
    QPushButton* btnSearch = nullptr;
    QPushButton* btnSearchCancel = nullptr;
    QPushButton* btnDataInfo = nullptr;
    QPushButton* btnListUpdate = nullptr;
    QPushButton* btnMount = nullptr;
    QCheckBox* cboxDataListUpdate = nullptr;
    QLineEdit* txtIncSerch = nullptr;
    QTimer* IncSerchTimer = nullptr;
    QWidget* BottomPanel = nullptr;

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    bool PreviewKey(QKeyEvent* event);
    bool HasDataRow() const;
    void CancelCopy();
    QString DataFileOf(const QString& folder) const;

    controls::WindowKeyPreview* keyPreview_ = nullptr;
    QSet<int> pressedKeys_;
};

} // namespace selection
