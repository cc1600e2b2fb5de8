#pragma once
// TDataSentakuBox ("データ選択"), the data-selection module "VxDataSenkaku": lists the company
// data sets registered for the data place and lets the operator choose one as the session's
// current data set. Callers open it by module name with key=value parameter lines; the result
// is 1 chosen, 2 cancelled, 3 end the application, -1 not run.

#include "companydata/DataSentakuListCtl.h"
#include "controls/dialogs/Message2Info.h"
#include "controls/dialogs/TMessageBox.h"
#include "controls/forms/TBSDI.h"
#include "core/fileops/FileOperations.h"
#include "core/modules/IModuleForm.h"
#include "selection/DataListKensakuBox.h"
#include "selection/DataSentakuFKeys.h"
#include "selection/DataSentakuIncSearch.h"
#include "selection/DataSentakuList.h"

#include <QSet>
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
class TfrmTusinSettei;
}

namespace controls {
class TFileOperationBox;
class TFileOperationBoxEx1;
class TxAnimeProgressDialog;
class TxGrid;
class WindowKeyPreview;
}

namespace selection {

class TDataPlaceBox;
class TServerSentakuBox;
class TDataSyosaiInfoBox;
class TWhichDataSetBox;

// The session's connection values that take-out and bring-back keep while the session works
// on the local data area.
struct TKeptConnection {
    int ConnectMode = 0;
    QString HostName;
    QString SysDir;
    QString DataFolder;
    qint32 LocalAdmin = 0;
    qint32 SysDbMajor = 0;
    qint32 SysDbMinor1 = 0;
    qint32 SysDbMinor2 = 0;
};
class TDataSentakuPrintDlg;

// Form styles of the "FormStyle" parameter: MDI child and MDI form become normal windows here.
enum TDataSentakuFormStyle { fsMdiChild = 0, fsMdiForm = 1, fsNormal = 2, fsStayOnTop = 3 };

// The parameter lines as SetModuleParams reads them, free of any window.
struct TDataSentakuParams {
    quint8 SyoriType = 0;
    int FormStyle = fsMdiChild;
    bool JyokenSet = false;
    TDataKensakuRec Kensaku; // the parameter search record (JYOKENUSE 1 when JyokenSet)
    bool ManualFree = false;
    int OnlySAMode = 0;      // SyoriType 5: 0 backup, 1 restore
    QString OnlySABackupPath;
};

// Reads the lines; a SyoriType above 5 raises "処理タイプに範囲外の値が設定されました。".
TDataSentakuParams ReadDataSentakuParams(const QStringList& lines);

// Registers the module under "VxDataSenkaku" (called at start-up; a second call adds nothing).
void RegisterDataSentakuModule();

class TDataSentakuBox : public controls::TBSDI, public core::IModuleForm {
    Q_OBJECT
public:
    explicit TDataSentakuBox(QWidget* owner = nullptr);
    ~TDataSentakuBox() override;

    // IModuleForm
    void SetModuleParams(const QStringList& params) override;
    int RunModule(bool modal) override;

    void SetSyoriType(quint8 value);
    void Prepare(quint8 value);
    int LoadList();
    void ShowList(int index);

    // 1 data present, 0 no data file, -1 refused, -2 empty path (SyoriType 3), -3 data broken.
    int CheckDataFolder(const QString& path);
    void F12Click();
    void ESCClick();
    void SetFKeyCaptions();
    void SetHints();
    // The close handshake for a close with the given result: false refuses the close.
    bool FormCloseQuery(int& result);
    void HeaderClick(int column);
    // A click on the lock cell of a data row (client/server modes): lock or unlock.
    void DataLockClick(int row);
    // Fills the data-place combo and takes the number and folder of the session's place (the
    // standard place 0 when it no longer exists).
    void FillDataPlaces();
    void SearchClick();
    void SearchCancelClick();

    // The button "更新": after the question, every row is brought back in line with its data
    // folder (client/server modes: the list is read again from the registry first).
    void btnListUpdateClick();
    // A new choice in the data-place combo disables the grid and the search until the combo
    // is left; leaving it lists the chosen place.
    void cmbDataManChange();
    void cmbDataManExit();
    // The data-place dialog; after OK the combo is filled again, and a place that no longer
    // exists gives way to the standard place, whose list is shown.
    void btnDataManClick();
    // Selects the row of the session's current data folder with up to six rows above it.
    void FocusCurrentData();
    // Reads and shows the list again, keeps the top row and selects the row of the record.
    void ReloadAndFocus(int topRow, const companydata::TDataListRec& rec);
    void cboxKyoyuDataAutoClick();
    // The button "情報": the details dialog for the current row, and its changes written.
    void btnDataInfoClick();
    // The row's record put back into the list's records (a child into its parent's children,
    // renumbered), and the broken mark of a row shown.
    void KeepRowRec(int row, const companydata::TDataListRec& rec);
    void ShowRowStatus(int row, quint8 dataStatus);
    std::unique_ptr<TDataSyosaiInfoBox> SyosaiBox;
    // Shows the details dialog modally; its result.
    std::function<int(TDataSyosaiInfoBox& box)> ShowSyosaiBox;
    // Shows the list print dialog of F8 modally (unset: its own modal run); its result.
    std::function<int(TDataSentakuPrintDlg& dlg)> ShowPrintDlg;

    // Operations on data sets.
    int CopyPaste();
    int NewData();                               // 1 when data was created
    void AddBunsanData();
    int DeleteData(bool failureMessage);
    bool AddArea();
    int UnassignSharedData();
    int SaveData(const QString& folder);         // 1 saved, -1 failed, 0 refused or cancelled
    int RestoreData(const QString& folder);      // 1 restored, -1 refused, cancelled or failed
    void PrintList();
    int TakeOutBringBack();
    int FetchSharedRow(int row, bool automatic); // 1 fetched
    int StoreSharedRow(int row, bool automatic); // 1 stored
    void UpdateServerRow(const companydata::TDataListRec& rec);
    void btnKyoyuDataDownClick();
    void btnKyoyuDataUpClick();
    void btnCloudShareClick();
    // The automatic fetch and store around a choice: with the session's auto-share switch on,
    // a stored shared row is fetched (a fetched one stored); 1 when nothing is to be done.
    int AutoFetchShared(int row);
    int AutoStoreShared(int row);
    // ---- save, restore, shared data, cloud share, take-out and bring-back ----
    // Fetches and stores again a shared row stored on the share (stand-alone); true when
    // nothing was to be done or both succeeded.
    bool AutoShareBeforeUse(int row);
    // The fetch mark of the record (and its children) written, with the share status of its
    // working folder and of its shared folder.
    void SetShareLock(int mark, companydata::TDataSentakuRec& rec);
    // "backup" keeps the session's connection values, "local" switches the session to the
    // local data area, "server" puts the kept values back.
    void SwitchConnection(TKeptConnection& keep, const QString& kind);
    // The current row's lock mark: taken shows the key and locks with the code (the session's
    // login code when 0); not taken clears both.
    void SetLockMark(bool taken, qint32 code);

    std::unique_ptr<controls::TFileOperationBox> SaveFolderBox;
    std::unique_ptr<controls::TFileOperationBoxEx1> RestoreFolderBox;
    std::unique_ptr<communication::TfrmTusinSettei> TusinSettei; // created on first use
    std::unique_ptr<communication::TfmDataTusin> CloudTusin;     // created on first use
    communication::TfrmTusinSettei& TusinSetteiForm();
    communication::TfmDataTusin& CloudTusinForm();
    // Modal runs that tests answer: the folder choosers, the shared-data selection and the
    // take-out or bring-back choice; each returns the dialog's result.
    std::function<int(controls::TFileOperationBox& box)> ShowFolderBox;
    std::function<int(TServerSentakuBox& box)> ShowServerBox;
    std::function<int(TWhichDataSetBox& box)> ShowWhichBox;
    // The source information of the last restore check (name, period, version, kind).
    companydata::TDataInfomationRec RestoreSource;

    // A key in the grid; true when the incremental search took it.
    bool GridKey(const QString& text, bool keypad);
    void IncSearchTimerFired();

    // State of the form.
    QStringList Params;
    quint8 SyoriType = 0;
    int FormStyle = fsMdiChild;
    TDataSentakuParams ModuleParams;
    QString SelPath;
    QString SelPasName;
    QString OpenDataPath;
    bool EscPressed = false;
    int OnlySAMode = 0;
    QString OnlySABackupPath;
    qint32 DataPlaceNo = 0;
    QString DataPlacePath;
    bool PastePending = false; // a copy source is waiting for its paste target
    // The copy source while a paste is pending: its data folder, its record (named with the new
    // name) and its list position.
    QString CopySource;
    companydata::TDataListRec CopyRec;
    int CopyIndex = -1;
    // Drops a pending copy and sets its source's state back to 1 (Esc, closing the dialog).
    void CancelCopy();
    // The stand-alone paste's copy of a folder's contents; the shell copy unless set (tests
    // make it fail midway).
    std::function<bool(const QString& source, const QString& target)> CopyFolder;
    // The folder name typed into the add-area box; unset: the input box. None: cancelled.
    std::function<std::optional<QString>(const QString& initial)> InputAreaName;
    int SavedAutoShare = 0;
    int PrepareFlag = 0;
    bool FocusCurrentSw = true;  // focus the current data set when the form is shown
    bool DataManChanging = false; // a new data place is chosen and not yet listed
    TIncSearch IncSearch;

    companydata::TDataSentakuListCtl ListCtl;
    TDataSentakuList List;
    TDataKensakuRec ActiveKensaku;
    std::unique_ptr<TDataListKensakuBox> KensakuBox; // the operator's stored conditions
    std::unique_ptr<TDataPlaceBox> PlaceBox;         // the data places (client/server modes)
    // The shared-data selection, created on first use and kept while this form lives.
    TServerSentakuBox& ServerSentaku();
    std::unique_ptr<TServerSentakuBox> ServerBox;

    // The folder's data state check with its messages (mode 0 with messages, 1 silent); true
    // when the state allows the work. Default: every folder is allowed.
    std::function<bool(const QString& folder, int mode)> CheckDataState;
    // Whether the company database file exists in a folder of the database server; Unknown
    // (reported) when the server refused the test or it failed.
    std::function<core::FileState(const QString& folder)> ServerFileExists;
    // Shows the data-place dialog modally; its result.
    std::function<int(TDataPlaceBox& box)> ShowPlaceBox;
    // The numbered message box (catalogue message, the end-application question).
    std::function<int(controls::TMessage2InfoRec& info)> ShowBox2;
    // The detail message box (TMessageBox).
    std::function<int(const controls::TMessageInfoRec& info)> ShowDetailBox;
    // The data state of a folder's information file (1 normal … 10 broken), -1 when the folder
    // holds no database, and the state written by the data lock. Filled by the data-state
    // checks; unset: the lock column does nothing.
    std::function<int(const QString& folder)> ReadDataState;
    std::function<bool(const QString& folder, int state)> SetDataStatus;

    // Controls.
    controls::TxGrid* Grid = nullptr;
    std::array<QPushButton*, fkCount> Keys{};
    QPushButton* btnKyoyuDataDown = nullptr;
    QPushButton* btnKyoyuDataUp = nullptr;
    QPushButton* btnCloudShare = nullptr;
    QPushButton* btnSearch = nullptr;
    QPushButton* btnSearchCancel = nullptr;
    QPushButton* btnListUpdate = nullptr;
    QPushButton* btnDataInfo = nullptr;
    QPushButton* btnDataMan = nullptr;
    QCheckBox* cboxKyoyuDataAuto = nullptr;
    QComboBox* cmbDataMan = nullptr;
    QLineEdit* txtIncSerch = nullptr;
    QTimer* IncSerchTimer = nullptr;
    QWidget* BottomPanel = nullptr;
    QString GridHint;
    int KeyState = 0;

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool PreviewKey(QKeyEvent* event);
    void buildControls();
    void InitList();
    void MakeCurrent();
    void ClearSelection();
    void ChooseOnlySA(int row, int r);
    void ListDataPlace();
    bool IsBare(int key) const;
    void RunKey(int key);
    QString GridHintFor() const;

    controls::WindowKeyPreview* keyPreview_ = nullptr;
    QSet<int> pressedKeys_;
};

} // namespace selection
