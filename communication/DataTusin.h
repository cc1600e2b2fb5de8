#pragma once
// The data-communication form: the dialog over TCloudShareCtl with its list grid and function
// keys, the module "VxDataTusin" of the module registry, and the cloud-share entry points that
// the main program and the data selection call. The entry points are virtual so that a caller's
// tests can watch them.

#include "communication/CloudShareCtl.h"
#include "communication/DataTusinView.h"
#include "controls/forms/TBSDI.h"
#include "core/modules/IModuleForm.h"

#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class QKeyEvent;
class QPlainTextEdit;
class QPushButton;

namespace controls {
class TxGrid;
}

namespace communication {

class TfmWaitMess;
class TfmWaitMess2;
class TMeetingToolSettingBox;

// Transfer results: 0 done or nothing to do, 1 to 9 not done.
inline constexpr int kTusinDone = 0;
inline constexpr int kTusinNotDone = 1;

// Form styles of the "FormStyle" parameter: MDI child and MDI form become normal windows here.
enum TDataTusinFormStyle { fsMdiChild = 0, fsMdiForm = 1, fsNormal = 2, fsStayOnTop = 3 };

class TfmDataTusin : public controls::TBSDI, public IDataTusinView, public core::IModuleForm {
    Q_OBJECT
public:
    explicit TfmDataTusin(QWidget* owner = nullptr);
    ~TfmDataTusin() override;

    // Module interface.
    void SetModuleParams(const QStringList& params) override;
    int RunModule(bool modal) override;

    // Cloud-share entry points: 0 done (or nothing needed doing), 1 not done.
    virtual int CloudShareRelease(const QString& dataFolder);
    virtual int CloudShareSetting(const QString& dataFolder);
    virtual int CloudShareAreaSelect(const QString& dataFolder);
    virtual int CloudShareSend(const QString& dataFolder, const QString& caption, int silent);
    virtual int CloudShareReceive(const QString& dataFolder, int silent, int check);
    virtual int CloudShareReceiveNew(const QString& dataFolder, int silent);

    // The folder the last successful cloud receive filled; empty otherwise.
    QString ReceivedDataFolder() const { return Ctl->ReceivedDataFolder; }

    TCloudShareCtl& Control() { return *Ctl; }
    int SyoriType() const { return Ctl->SyoriType; }
    int FormStyle = fsMdiChild;
    QStringList ModuleParams;

    // Result of the cloud-share list (types 25 and 26).
    int SelectedLine = 0;
    QString SelectedDataName;
    QString SelectedStatus;
    quint8 LineChosen = 0;

    // The list: the server information fetched and shown (types 1, 2, 25, 26), the cells of
    // the control's table into the grid, and the list shown.
    void PrepareList();
    void FillList();
    void ShowList(int flag);
    quint8 ListShown = 0;
    // Captions of the keys by the operation type.
    void SetKeyCaptions();
    // Every function key's click: F1 help, F4 release, F5 delete, F12 run; F2, F3 and F6 to F8
    // do nothing. Every path ends with the captions.
    void F1Click(QPushButton* sender);
    // Esc clicks ESC (and is spent), F1 to F8 and F12 click their keys; the base form's key
    // handling follows. Keys with Shift, Ctrl or Alt are left to the base form.
    void FormKeyUp(int& key, Qt::KeyboardModifiers shift);
    // F12: send or receive (types 1, 2 to 24) or choose the line (types 25, 26); F5: delete.
    void F12Click();
    void F5Click();
    QPushButton* F12Button() const { return F12; }
    controls::TxGrid* Grid() const { return PerfectGrid1; }
    // F12 of the cloud-share list: takes the current row as the chosen line.
    void ChooseLine();
    // F4 of the cloud-share list: releases the in-use mark of the current line after the
    // line's password.
    void ReleaseLine();
    // F4 for a line in use, F5 for any other (a line in use cannot be deleted).
    void UpdateCloudKeys();
    QPushButton* F4Button() const { return F4; }
    QPushButton* F5Button() const { return F5; }

    // IDataTusinView.
    void StepWindowOpen(const QStringList& captions, const QString& caption) override;
    void StepWindowSet(int box, StepState state, const QString& caption) override;
    void StepWindowClose() override;
    void BusyShow(const QString& caption, const QString& info) override;
    void BusyInfo(const QString& info) override;
    void BusyClose() override;
    bool ConfirmPassword(const QString& caption, const QString& checkCaption, const QString& hint,
                         const QString& expected) override;
    bool Consent(const QString& caption, const QString& text, const QStringList& details, const QString& agreeCaption,
                 bool screenCentre) override;
    int ConfirmBeforeSend() override;
    void ResetAfterSend() override;
    int SelectedRow() const override;
    void SetDialogEnabled(bool enabled) override;
    void SetExecuteKeysEnabled(bool f12, bool f5) override;
    void SetNotTopmost(bool shown) override;
    void SetBusyCursor(bool busy) override;

protected:
    std::unique_ptr<TCloudShareCtl> Ctl;

private:
    controls::TxGrid* PerfectGrid1 = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    QPushButton* ESC = nullptr;
    QPushButton* F1 = nullptr;
    QPushButton* F12 = nullptr;
    QPushButton* F2 = nullptr;
    QPushButton* F3 = nullptr;
    QPushButton* F4 = nullptr;
    QPushButton* F5 = nullptr;
    QPushButton* F6 = nullptr;
    QPushButton* F7 = nullptr;
    QPushButton* F8 = nullptr;
    QPointer<TfmWaitMess> waitMess_;
    QPointer<TfmWaitMess> busy_;
    QPointer<TfmWaitMess2> waitMess2_;
    QPointer<TMeetingToolSettingBox> meeting_;
    bool busyCursor_ = false;
    QSet<int> pressedKeys_;
    QMetaObject::Connection focusCaptions_;

    void RunCloudList();
    QPushButton* KeyButton(int key) const;
    bool PreviewKey(QKeyEvent* event);
};

// Registers the module "VxDataTusin".
void RegisterDataTusinModule();

} // namespace communication
