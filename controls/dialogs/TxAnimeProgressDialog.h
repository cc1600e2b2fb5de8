#pragma once
// A small progress window while long work runs: caption, animation, one information line and
// an optional Cancel button. Two ways of use:
//  - without OnShow, Show returns at once with the window up and the owner window disabled;
//    the caller works, updates InfoLabel, may poll Cancelled and ends with Close;
//  - with OnShow, Show opens the window modally, runs OnShow once the window is on screen and
//    returns when it has finished. Whatever OnShow throws (the silent abort too) is carried
//    out of the modal run and thrown again by Show after the window is gone.

#include "controls/dialogs/AnimeControl.h"
#include "controls/keys/ControlEvents.h"

#include <QDialog>
#include <QPointer>

#include <exception>

class QLabel;
class QPushButton;

namespace controls {

enum TxLabelPosition { xlpRight, xlpBottom };

class TxAnimeProgressDialog;

// The window of one Show, built at run time.
class TxProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TxProgressForm(TxAnimeProgressDialog* dialog);

    AnimeControl* Anime;
    QLabel* Info;
    QPushButton* CancelButton;

    void done(int result) override;
    void reject() override {} // no Esc and no closing while the work runs

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    TxAnimeProgressDialog* dialog_;
};

class TxAnimeProgressDialog : public QObject {
    Q_OBJECT
public:
    explicit TxAnimeProgressDialog(QObject* owner = nullptr);
    ~TxAnimeProgressDialog() override;

    // The native window of the progress form while it exists, else 0.
    WId Handle() const;
    TxProgressForm* Form() const { return form_; }
    // The owner window when Show gets no parent form.
    QWidget* ParentHandle() const { return parentHandle_; }
    void SetParentHandle(QWidget* owner) { parentHandle_ = owner; }

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QString InfoLabel() const { return infoLabel_; }
    // Shows the line at once, also in the middle of busy work.
    void SetInfoLabel(const QString& text);
    TxLabelPosition LabelPosition() const { return labelPosition_; }
    void SetLabelPosition(TxLabelPosition position);
    TCommonAVI CommonAVI() const { return commonAvi_; }
    void SetCommonAVI(TCommonAVI kind);
    QString AviFile() const { return aviFile_; }
    void SetAviFile(const QString& path);
    bool AnimeActive() const;
    void SetAnimeActive(bool on);
    bool CancelBtnShow() const { return cancelBtnShow_; }
    void SetCancelBtnShow(bool on) { cancelBtnShow_ = on; } // from the next Show

    bool Cancelled() const { return cancelled_; }
    bool Shown() const { return shown_; }

    // The work of the modal way; its sender is the progress form.
    TNotifyEvent OnShow;
    // Called when the modal run of the progress form ends; its sender is this dialog.
    TNotifyEvent OnClose;

    void Show(QWidget* parentForm = nullptr);
    // Enables the owner again and frees the window; nothing when it is not shown.
    void Close();

private:
    friend class TxProgressForm;
    void layoutForm();
    void placeOverOwner(QWidget* owner);
    void runWork();
    void formClosing();
    void releaseOwner();

    QPointer<QWidget> parentHandle_;
    QPointer<QWidget> disabledOwner_;
    QPointer<TxProgressForm> form_;
    QString caption_;
    QString infoLabel_;
    TxLabelPosition labelPosition_ = xlpRight;
    TCommonAVI commonAvi_ = aviNone;
    QString aviFile_;
    bool cancelBtnShow_ = true;
    bool cancelled_ = false;
    bool shown_ = false;
    bool inModalRun_ = false;
    std::exception_ptr workError_;
};

} // namespace controls
