#include "controls/dialogs/TxAnimeProgressDialog.h"

#include "controls/dialogs/DialogFont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QWindow>

namespace controls {

namespace {

// The message the progress form posts to itself so that the work starts once it is on screen.
const QEvent::Type kRunWork = QEvent::Type(QEvent::registerEventType());

constexpr int kClientWidth = 380;
constexpr int kClientHeight = 100;

// Waits the given milliseconds in 1 ms steps.
void pause(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QThread::msleep(1);
}

} // namespace

TxProgressForm::TxProgressForm(TxAnimeProgressDialog* dialog)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Anime(new AnimeControl(this)),
      Info(new QLabel(this)),
      CancelButton(new QPushButton(QStringLiteral("キャンセル"), this)),
      dialog_(dialog) {
    Info->setTextFormat(Qt::PlainText);
    connect(CancelButton, &QPushButton::clicked, this, [this] { dialog_->cancelled_ = true; });
}

void TxProgressForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (dialog_->inModalRun_)
        QCoreApplication::postEvent(this, new QEvent(kRunWork));
}

bool TxProgressForm::event(QEvent* event) {
    if (event->type() == kRunWork) {
        dialog_->runWork();
        return true;
    }
    return QDialog::event(event);
}

void TxProgressForm::done(int result) {
    QDialog::done(result);
    dialog_->formClosing();
}

void TxProgressForm::closeEvent(QCloseEvent* event) {
    // The window goes only when its work or its caller says so.
    event->ignore();
}

TxAnimeProgressDialog::TxAnimeProgressDialog(QObject* owner) : QObject(owner) {}

TxAnimeProgressDialog::~TxAnimeProgressDialog() {
    releaseOwner();
    delete form_.data();
}

WId TxAnimeProgressDialog::Handle() const {
    return form_ ? form_->winId() : WId(0);
}

void TxAnimeProgressDialog::SetCaption(const QString& caption) {
    caption_ = caption;
    if (form_)
        form_->setWindowTitle(caption);
}

void TxAnimeProgressDialog::SetInfoLabel(const QString& text) {
    infoLabel_ = text;
    if (form_) {
        form_->Info->setText(text);
        // Painted now, so that the line changes while the caller keeps the loop busy.
        form_->repaint();
        pause(1);
    }
}

void TxAnimeProgressDialog::SetLabelPosition(TxLabelPosition position) {
    labelPosition_ = position;
    if (form_)
        layoutForm();
}

void TxAnimeProgressDialog::SetCommonAVI(TCommonAVI kind) {
    commonAvi_ = kind;
    if (form_)
        form_->Anime->SetCommonAVI(kind);
}

void TxAnimeProgressDialog::SetAviFile(const QString& path) {
    aviFile_ = path;
    // A file that cannot be played is dropped while the window is up.
    if (form_ && !form_->Anime->SetFile(path))
        aviFile_.clear();
}

bool TxAnimeProgressDialog::AnimeActive() const {
    return form_ && form_->Anime->Active();
}

void TxAnimeProgressDialog::SetAnimeActive(bool on) {
    if (form_)
        form_->Anime->SetActive(on);
}

void TxAnimeProgressDialog::layoutForm() {
    TxProgressForm* form = form_;
    form->setFixedSize(kClientWidth, kClientHeight);
    form->Anime->setGeometry(20, 16, 32, 32);
    const int lineHeight = form->Info->fontMetrics().height();
    QPoint labelAt = labelPosition_ == xlpBottom ? QPoint(20, 52) : QPoint(60, 24);
    form->CancelButton->setGeometry(152, 67, 76, 23);
    form->CancelButton->setVisible(cancelBtnShow_);
    if (!cancelBtnShow_) {
        // Without the button, the line and the animation move to the vertical middle.
        labelAt.setY(kClientHeight / 2 + (labelPosition_ == xlpBottom ? 20 : -8));
        form->Anime->move(20, kClientHeight / 2 - 20);
    }
    form->Info->setGeometry(labelAt.x(), labelAt.y(), 300, lineHeight);
}

void TxAnimeProgressDialog::Show(QWidget* parentForm) {
    // 1. The owner window.
    if (parentForm)
        parentHandle_ = parentForm->window();
    QWidget* owner = parentHandle_;

    // 2. The form, unless it is up already.
    if (!form_) {
        form_ = new TxProgressForm(this);
        form_->setFont(parentForm ? parentForm->font() : DialogFont(12));
    }
    if (owner) {
        form_->winId();
        if (owner->windowHandle())
            form_->windowHandle()->setTransientParent(owner->windowHandle());
    }

    // 3. Caption, layout, animation and the Cancel button.
    form_->setWindowTitle(caption_);
    form_->Info->setText(infoLabel_);
    layoutForm();
    form_->Anime->SetCommonAVI(commonAvi_);
    if (!form_->Anime->SetFile(aviFile_))
        aviFile_.clear();
    cancelled_ = false;

    // 4. Up it goes.
    shown_ = true;
    form_->Anime->SetActive(form_->Anime->HasAnimation());
    if (OnShow) {
        if (QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
            form_->move(screen->availableGeometry().center() - form_->rect().center());
        workError_ = nullptr;
        inModalRun_ = true;
        form_->exec();
        inModalRun_ = false;
        shown_ = false;
        delete form_.data();
    } else if (owner) {
        placeOverOwner(owner);
        if (owner->isEnabled()) {
            owner->setEnabled(false);
            disabledOwner_ = owner;
        }
        form_->show();
    } else {
        form_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        form_->show();
    }

    // 5. Let the window paint.
    QCoreApplication::processEvents();
    pause(50);
    if (workError_) {
        std::exception_ptr error = workError_;
        workError_ = nullptr;
        std::rethrow_exception(error);
    }
}

void TxAnimeProgressDialog::placeOverOwner(QWidget* owner) {
    const QRect base = owner->frameGeometry();
    if (!owner->isVisible() || base.isEmpty()) {
        // Nothing to centre on: the middle of the screen, above the other windows.
        if (QScreen* screen = QGuiApplication::primaryScreen())
            form_->move(screen->availableGeometry().center() - form_->rect().center());
        form_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        return;
    }
    form_->move(base.left() + (base.width() - form_->width()) / 2, base.top() + (base.height() - form_->height()) / 2);
}

void TxAnimeProgressDialog::runWork() {
    try {
        form_->repaint();
        if (OnShow)
            OnShow(form_.data());
    } catch (...) {
        // Nothing may cross the modal loop: Show throws it again once the form is gone.
        workError_ = std::current_exception();
    }
    if (form_ && form_->isVisible())
        form_->done(QDialog::Accepted);
}

void TxAnimeProgressDialog::formClosing() {
    if (OnClose)
        OnClose(this);
}

void TxAnimeProgressDialog::releaseOwner() {
    if (disabledOwner_)
        disabledOwner_->setEnabled(true);
    disabledOwner_ = nullptr;
}

void TxAnimeProgressDialog::Close() {
    if (inModalRun_) {
        // Called from the work: the modal run ends and Show frees the form.
        if (form_)
            form_->done(QDialog::Accepted);
        return;
    }
    if (!form_ && !shown_)
        return;
    releaseOwner();
    shown_ = false;
    delete form_.data();
}

} // namespace controls
