#include "controls/forms/TBSDI.h"

#include "controls/buttons/TxPlButton.h"
#include "controls/dates/TallekExDateEdit.h"
#include "controls/dialogs/DialogFont.h"
#include "controls/dialogs/LongHint.h"
#include "controls/dialogs/SlotGuard.h"
#include "controls/dialogs/WindowKeyPreview.h"
#include "controls/forms/ScreenCursor.h"
#include "controls/grid/SetGridColors.h"
#include "core/Globals.h"
#include "core/dates/Gengo.h"
#include "core/db/IBDatabase.h"
#include "core/dm/TDM.h"
#include "core/ui/MessageService.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace controls {

namespace {

// Drops the mouse and key events already queued for the form, so that what the user did while
// the form was coming up does not act on it.
void discardQueuedInput(QWidget* form) {
    QList<QWidget*> widgets = form->findChildren<QWidget*>();
    widgets.prepend(form);
    for (QWidget* widget : widgets)
        for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::Wheel, QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::removePostedEvents(widget, type);
}

} // namespace

TBSDI::TBSDI(QWidget* owner, TBorderStyle borderStyle)
    : QDialog(owner), RirekiSw(borderStyle != bsDialog), SkipOtherProcSw(borderStyle != bsDialog),
      FormSizeSw(borderStyle != bsDialog), AccInfoSw(borderStyle != bsDialog), borderStyle_(borderStyle),
      keyPreview_(new WindowKeyPreview(this, [this](QKeyEvent* event) { return previewKey(event); })) {
    showHints_ = core::SystemDef.ShowHint != 0;
    setWindowTitle(QStringLiteral("( W=1005 * H=620 )"));
    setFont(DialogFont(13));
    resize(656, 415);
    if (borderStyle == bsDialog)
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                       | Qt::WindowCloseButtonHint);
    else
        setSizeGripEnabled(true);
    focusHint_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (HintMemo != nullptr && now != nullptr && now->window() == this)
            ShowLongHint(now, HintMemo);
    });
    try {
        SetOwnerWindow(winId());
    } catch (const std::exception&) {
        OwnerWnd = 0;
    }
}

TBSDI::~TBSDI() {
    // The children, deleted after this destructor, move the focus: no hint for a form that is gone.
    disconnect(focusHint_);
    freeLayouts();
}

QString TBSDI::Name() const {
    if (!objectName().isEmpty())
        return objectName();
    // The C++ class of the form (a subclass without Q_OBJECT has no meta-object of its own).
    QString name = QString::fromLatin1(typeid(*this).name());
    int status = 0;
    if (char* demangled = abi::__cxa_demangle(typeid(*this).name(), nullptr, nullptr, &status)) {
        name = QString::fromLatin1(demangled);
        std::free(demangled);
    }
    name = name.mid(name.lastIndexOf(u':') + 1);
    return name.startsWith(u'T') ? name.mid(1) : name;
}

void TBSDI::SetOwnerWindow(WId handle) {
    OwnerWnd = handle;
    if (handle == 0)
        return;
    QWidget* owner = QWidget::find(handle);
    OwnerCaption = owner ? owner->windowTitle() : QString();
    // The form's own window cannot own itself; any other window becomes its transient parent.
    if (owner != nullptr && owner != this && owner->window() != this && windowHandle() && owner->windowHandle())
        windowHandle()->setTransientParent(owner->window()->windowHandle());
}

void TBSDI::ShowLongHint(QWidget* control, QPlainTextEdit* memo) {
    if (control == nullptr || memo == nullptr)
        return;
    // A box inside a compound control (the edit of a combo box) shows its owner's hint.
    QWidget* owner = control;
    while (owner != nullptr && HintOf(owner).isEmpty() && !owner->isWindow())
        owner = owner->parentWidget();
    const QString hint = owner ? HintOf(owner) : QString();
    memo->setPlainText(hint.isEmpty() ? QString() : LongHintOf(hint));
}

void TBSDI::SetGridColors(TxGrid& grid, int mode) {
    controls::SetGridColors(grid, mode);
}

void TBSDI::FukugenGamenValue() {
    GamenValues.FukugenValue(Name(), ScreenValue);
}

void TBSDI::HozonGamenValue() {
    GamenValues.HozonValue(Name(), ScreenValue);
}

void TBSDI::SetDateEditEras() {
    const bool wareki = core::SystemDef.Reserve4Switch9 != 0;
    for (TTallekExDateEdit* edit : findChildren<TTallekExDateEdit*>()) {
        edit->SetEditGengo(wareki);
        edit->SetGengo(wareki ? rsWareki : rsSeireki);
        edit->SetWarekiTable(core::GengoTable);
    }
    erasApplied_ = true;
}

void TBSDI::FormShow() {
    if (Shown)
        return;
    if (!erasApplied_)
        SetDateEditEras();
    if (RirekiSw) {
        PutProcRirekiInfo(0);
        core::SystemDef.DialogShown = 1;
    }
    if (AccInfoSw && core::DM)
        core::DM->fnGetAccInfo();
    // The horizontal shift for thick window frames has nothing to do here: Qt sizes the client
    // area and the window manager draws the frame outside it (SystemDef.FrameAdjust is 0).
    captureLayout();
    scaleFonts();
    GetFormSize();
    Shown = true;
}

void TBSDI::showEvent(QShowEvent* event) {
    if (!event->spontaneous() && !Shown) {
        if (!RunGuarded([this] { FormShow(); })) {
            // The first-show work failed (the error is shown): the form does not stay up.
            QTimer::singleShot(0, this, [this] { done(core::mrCancel); });
        }
    }
    QDialog::showEvent(event);
    if (!event->spontaneous())
        CMShowingChanged();
}

void TBSDI::CMShowingChanged() {
    discardQueuedInput(this);
    pressedKeys_.clear();
    core::SystemDef.HostMenuState = 0;
    if (core::HostMenuHook) {
        if (HostMenuSw && core::HostMenuHook(10, QString()) > 0)
            HostMenuSw = false;
        if (HostMenuSw) {
            core::SystemDef.HostMenuState = quint8(core::HostMenuHook(11, QStringLiteral("TessaroMenu")));
            core::HostMenuHook(4, QString());
        }
    }
    ResetScreenCursor();
}

void TBSDI::FormClose(TCloseAction& action) {
    SetBusyScreenCursor();
    std::exception_ptr error;
    try {
        if (FormSizeSw)
            PutFormSize();
        if (RirekiSw)
            PutProcRirekiInfo(1);
    } catch (...) {
        error = std::current_exception();
    }
    if (QInputMethod* im = QGuiApplication::inputMethod())
        im->reset();
    ResetScreenCursor();
    if (!KeepOnClose)
        action = caFree;
    if (error)
        std::rethrow_exception(error);
}

void TBSDI::done(int result) {
    if (closing_) {
        QDialog::done(result);
        return;
    }
    closing_ = true;
    TCloseAction action = caHide;
    std::exception_ptr error;
    try {
        FormClose(action);
    } catch (...) {
        error = std::current_exception();
    }
    // A failed history record does not keep the form open: it closes, then the error shows.
    if (action != caNone)
        QDialog::done(result);
    closing_ = false;
    if (action == caFree)
        deleteLater();
    if (error)
        ShowGuardedException(error);
}

void TBSDI::reject() {
    done(core::mrCancel);
}

void TBSDI::Close() {
    if (!isVisible())
        return;
    if (isModal())
        done(core::mrCancel);
    else
        close();
}

void TBSDI::keyPressEvent(QKeyEvent* event) {
    // Esc acts on its release (FormKeyUp), not on the press as in QDialog.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TBSDI::previewKey(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return false;
    if (event->type() == QEvent::KeyPress) {
        pressedKeys_.insert(event->key());
        return false;
    }
    // The release of a key that went down before the form was up (the key that opened it)
    // does nothing here.
    if (!pressedKeys_.remove(event->key()))
        return false;
    int key = event->key();
    FormKeyUp(key, event->modifiers());
    return key == 0;
}

void TBSDI::FormKeyUp(int& key, Qt::KeyboardModifiers shift) {
    if (shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return;
    if (key == Qt::Key_Escape) {
        if (borderStyle_ == bsDialog)
            Close();
    } else if (key == Qt::Key_F12) {
        if (borderStyle_ != bsDialog) {
            Close();
        } else if (F12Button != nullptr && F12Button->isVisibleTo(this) && F12Button->isEnabled()
                   && F12Button->OnClick) {
            if (F12FocusSw)
                F12Button->setFocus(Qt::OtherFocusReason);
            key = 0;
            F12Button->Click();
        }
    }
}

bool TBSDI::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && !showHints_)
        return true;
    return QDialog::eventFilter(watched, event);
}

std::unique_ptr<core::TIBSQL> TBSDI::CreateQuery() {
    try {
        prepareTransaction();
        if (IBTransactionDAT.defaultDatabase() == nullptr)
            return nullptr;
        return std::make_unique<core::TIBSQL>(IBTransactionDAT.defaultDatabase(), &IBTransactionDAT);
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::unique_ptr<core::TIBSQL> TBSDI::CreateStoredProc(const QString& procName) {
    try {
        std::unique_ptr<core::TIBSQL> proc = CreateQuery();
        if (!proc || !IBTransactionDAT.defaultDatabase()->connected())
            return nullptr;
        QStringList params;
        {
            core::TransactionScope scope(IBTransactionDAT);
            core::TIBSQL q(IBTransactionDAT.defaultDatabase(), &IBTransactionDAT);
            q.sql() << QStringLiteral("SELECT RDB$PARAMETER_NAME FROM RDB$PROCEDURE_PARAMETERS")
                    << QStringLiteral("WHERE RDB$PROCEDURE_NAME=:NAME AND RDB$PARAMETER_TYPE=0")
                    << QStringLiteral("ORDER BY RDB$PARAMETER_NUMBER");
            q.paramByName(QStringLiteral("NAME")).setString(procName.toUpper());
            for (q.execQuery(); !q.eof(); q.next())
                params << u':' + q.fields(0).asString().trimmed();
            q.close();
            scope.commit();
        }
        QString text = QStringLiteral("EXECUTE PROCEDURE ") + procName;
        if (!params.isEmpty())
            text += u'(' + params.join(u',') + u')';
        proc->sql() << text;
        return proc;
    } catch (const std::exception&) {
        return nullptr;
    }
}

void TBSDI::prepareTransaction() {
    if (core::DM == nullptr)
        return;
    core::TIBDatabase* company = &core::DM->IBDatabaseDAT;
    if (IBTransactionDAT.defaultDatabase() == company)
        return;
    if (IBTransactionDAT.defaultDatabase() != nullptr)
        IBTransactionDAT.removeDatabase(IBTransactionDAT.defaultDatabase());
    IBTransactionDAT.params() = QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                            QStringLiteral("nowait")};
    IBTransactionDAT.setDefaultDatabase(company);
}

QString InitFailedMessage(const QString& caption) {
    return QStringLiteral("%1画面の初期化に失敗しました。\r処理を終了します。").arg(caption);
}

bool CheckFormInitOK(const TBSDI& form) {
    if (form.InitOK)
        return true;
    core::showMessage(core::MessageKind::Error, InitFailedMessage(form.windowTitle()), core::mbYes);
    return false;
}

int ShowFormModal(TBSDI& form) {
    if (!CheckFormInitOK(form))
        return core::mrCancel;
    return form.exec();
}

} // namespace controls
