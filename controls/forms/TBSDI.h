#pragma once
// The base form of the program's dialogs. Every dialog of the shared framework derives from it
// and gets, without code of its own:
//  - at first show: the operation history (OPINF) of the company database, a reload of the
//    company information, a layout capture and a scaling of the form by the operator's font
//    relative to the standard font, and the remembered size of sizeable forms (FORMRSIZE);
//  - at close: the size written back, the history closed, and the form freed (deleteLater)
//    unless KeepOnClose is set;
//  - common keys: Esc closes a dialog-border form, F12 presses its F12 button, both on the
//    key's release and only for a key pressed while the form was up (the release of the key
//    that opened the form does not act on it); the focused control's long hint in HintMemo.
//
// The base constructor is the form's FormCreate step: it sets the defaults by border style.
// A subclass constructor then sets the switches it wants, HintMemo and F12Button, builds its
// controls and sets InitOK as its very last step. The opener checks InitOK (CheckFormInitOK)
// before it shows the form.

#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/settings/GamenKeyValue.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QSet>

#include <memory>
#include <vector>

class QPlainTextEdit;

namespace controls {

class TxGrid;
class TxPlButton;
class WindowKeyPreview;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
// Where SetFormPosition last put the form: at the computed place, or centred on the screen.
enum TFormPosition { poDesigned, poScreenCenter };

// Column widths and row height of one grid or list view at layout capture.
struct TGridLayout {
    double RowHeight = 0;
    QList<qint16> ColWidths;
};

// One record per component of the form at capture; Grid only for grids and list views.
struct TControlLayout {
    QPointer<QWidget> Control;
    std::unique_ptr<TGridLayout> Grid;
};

class TBSDI : public QDialog {
    Q_OBJECT
public:
    // The form's border: a fixed dialog or a sizeable window.
    enum TBorderStyle { bsDialog, bsSizeable };

    explicit TBSDI(QWidget* owner = nullptr, TBorderStyle borderStyle = bsDialog);
    ~TBSDI() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    // The form's name: objectName, else the class name without its leading "T".
    QString Name() const;

    WId OwnerWnd = 0;
    QString OwnerCaption;
    bool HostMenuSw = false;
    bool RirekiSw;
    bool SkipOtherProcSw;
    bool FormSizeSw;
    bool AccInfoSw;
    bool InitOK = false;
    bool Shown = false;
    bool FirstLayout = true;
    QPlainTextEdit* HintMemo = nullptr;
    bool KeepOnClose = false;
    qint32 MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    qint32 DesignFontHeight = 0;
    qint32 FontRatio = 0;
    qint32 FontRatio2 = 100;
    QString ScreenValue;
    core::TGamenKeyValue GamenValues;
    TxPlButton* F12Button = nullptr;
    bool F12FocusSw = true;
    // The form's pixels per inch: 96 at design, the scaled value after the first show.
    qint32 PixelsPerInch = 96;
    TFormPosition Position = poDesigned;

    // The company database transaction of the form's own work (history, factories).
    core::TIBTransaction IBTransactionDAT;

    // The form's event handlers by their product-line names; the Qt events call them.
    void FormShow();
    void FormClose(TCloseAction& action);
    void FormKeyUp(int& key, Qt::KeyboardModifiers shift);

    void SetOwnerWindow(WId handle);
    static void ShowLongHint(QWidget* control, QPlainTextEdit* memo);
    void SetFormPosition(int xOffset, int yOffset, int areaWidth, int areaHeight, int kind);
    static void SetGridColors(TxGrid& grid, int mode);
    // 0 at start, 1 at end. Database errors are reported and raised again.
    void PutProcRirekiInfo(int state);
    // Database errors are reported and swallowed.
    void GetFormSize();
    void PutFormSize();
    void FukugenGamenValue();
    void HozonGamenValue();
    // Statements on the company database with IBTransactionDAT; nullptr when they cannot be
    // made. The procedure's statement is "EXECUTE PROCEDURE name(:P1,…)" with its input
    // parameters by name.
    std::unique_ptr<core::TIBSQL> CreateStoredProc(const QString& procName);
    std::unique_ptr<core::TIBSQL> CreateQuery();
    // Era editing and display of every date edit by the operator's switch, with the session's
    // era table. Runs at the first show; a subclass may call it earlier.
    void SetDateEditEras();

    // Closes the form: a modal form ends with Cancel.
    void Close();

    int layoutCount() const { return int(layouts_.size()); }
    const TGridLayout* gridLayoutOf(const QWidget* control) const;

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // After the platform's show: host-menu hook codes, HostMenuState, the cursor.
    virtual void CMShowingChanged();

private:
    bool previewKey(QKeyEvent* event);
    void captureLayout();
    void scaleFonts();
    void freeLayouts();
    void rewriteMedicalLabels();
    void prepareTransaction();

    TBorderStyle borderStyle_;
    std::vector<TControlLayout> layouts_;
    int capturedCount_ = -1;
    QSet<int> pressedKeys_;
    WindowKeyPreview* keyPreview_;
    bool showHints_ = true;
    bool erasApplied_ = false;
    bool closing_ = false;
    QMetaObject::Connection focusHint_;
};

// The opener's check of the ready flag: when InitOK is off, shows "%s画面の初期化に失敗しました。
// \r処理を終了します。" with the form's caption (error, one Yes button) and gives false.
bool CheckFormInitOK(const TBSDI& form);
QString InitFailedMessage(const QString& caption);
// The opener's protocol: the ready-flag check, then the modal run. A form that failed to
// initialise is never shown and gives mrCancel.
int ShowFormModal(TBSDI& form);

} // namespace controls
