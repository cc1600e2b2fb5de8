#pragma once
// TDataSyosaiInfoBox ("データの詳細情報"): the information of one company data set from its
// data-folder information, where the operator changes its display name, forbids updates of
// old data or journal entry, and clears a stuck processing state. The opener sets the input
// fields, calls Prepare and reads the results after OK; the dialog itself stores nothing in
// the registry except the lock of the rebuild.

#include "companydata/DataInfomation.h"
#include "companydata/DataListRec.h"
#include "controls/dialogs/Message2Info.h"
#include "controls/forms/TBSDI.h"

#include <QString>

#include <array>
#include <functional>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace companydata {
class TBackupRestoreThread;
}

namespace controls {
class TxEdit;
}

namespace selection {

// The kind name of a data kind and code kind pair; "設定なし" for an unknown pair.
QString DataKbnName(qint32 dataKbn, qint32 codeKbn);

class TDataSyosaiInfoBox : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TDataSyosaiInfoBox(QWidget* owner = nullptr);

    // In: set by the opener before Prepare. Out: read after OK (Rebuilt whatever the result).
    int ShareMode = 0; // 0 data selection, 1 shared-data selection
    companydata::TDataListRec DataRec;
    qint32 DataPlaceRec = 0; // the opener's data place: the row the lock changes
    QString DataPath;
    QString ListName;
    qint32 UpdateLock = 0;
    qint32 ReadOnlyFlag = 0;
    int NameEditable = 1;
    int ClearState = 0;
    int Rebuilt = 0;

    bool ClearAllowed = false;
    bool RebuildOffered = false;
    companydata::TDataInfomationRec InfoRec;
    int PrepareFlag = 0;

    void Prepare(int flag);
    void LayoutInfo();
    void SetHints();
    void SetFKeyCaptions();
    void btnOKClick();
    // Locks (on) or releases the data set's registry row in the server modes.
    void LockData(bool on);
    // F7: refused while another connection has the database attached on the server; asks,
    // rebuilds, and after a success says so, lays out again and sets Rebuilt.
    void RebuildClick();
    // Backs up and restores the company database through the backup and restore worker
    // (mode 3); true on success. The database is put back from its copy after any failure.
    bool RebuildData();

    // Seams that tests replace: the numbered box, whether an input-method composition is open
    // in the name edit.
    std::function<int(controls::TMessage2InfoRec& info)> ShowBox2;
    std::function<bool()> ImeComposing;
    // The worker's run (true when it succeeded), and the one-step replace of a database by a
    // copy of another file (true when it took the place).
    std::function<bool(companydata::TBackupRestoreThread& worker)> RunWorker;
    std::function<bool(const QString& source, const QString& target)> ReplaceDatabase;

    QLabel* lblStatus = nullptr;
    QPlainTextEdit* txtDataPath = nullptr;
    QCheckBox* cboxStatusClear = nullptr;
    QCheckBox* cboxDataUpdateLock = nullptr;
    QCheckBox* cboxDataReadOnly = nullptr;
    QLabel* lblDataUpdateLock = nullptr;
    QLabel* lblDataReadOnly = nullptr;
    QLabel* lblDataSeigenMessage = nullptr;
    QLabel *lblCode = nullptr, *lblDataKbn = nullptr, *lblShougou = nullptr, *lblKana = nullptr;
    controls::TxEdit* txtListName = nullptr;
    QLabel *lblNendo = nullptr, *lblKikan = nullptr, *lblTanto = nullptr, *lblBumon = nullptr, *lblSiten = nullptr,
           *lblSiwake = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    std::array<QPushButton*, 8> FKeys{}; // F1 … F8

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    bool composing_ = false;
};

} // namespace selection
