#pragma once
// The small windows of the data communication: the step window of a transfer (TfmWaitMess), the
// busy window, the password confirmation of the in-use release (TfmTusinSettiPas) and the consent
// box of the collation.

#include <QDialog>
#include <QString>
#include <QStringList>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace communication {

// The step window: up to five captioned boxes, each idle (grey), running (blue) or finished,
// over a busy bar that stands for the animation.
class TfmWaitMess : public QDialog {
    Q_OBJECT
public:
    explicit TfmWaitMess(QWidget* owner = nullptr);
    // An empty caption hides its box.
    void SetCaptions(const QStringList& captions);
    // box is 1-based; state 0 idle, 1 running, 2 finished; a non-empty caption replaces the box's.
    void SetBox(int box, int state, const QString& caption);
    QLabel* Box(int box) const { return boxes_[size_t(box - 1)]; }

private:
    std::array<QLabel*, 5> boxes_{};
    QProgressBar* busy_ = nullptr;
};

// The one-step wait window of the cloud-share receives: the authentication check only.
class TfmWaitMess2 : public TfmWaitMess {
    Q_OBJECT
public:
    explicit TfmWaitMess2(QWidget* owner = nullptr);
};

// The password confirmation before a delete or release: OK only with the tick set and the
// expected password, compared case-sensitively; a password with a blank is refused.
class TfmTusinSettiPas : public QDialog {
    Q_OBJECT
public:
    TfmTusinSettiPas(QWidget* owner, const QString& caption, const QString& checkCaption, const QString& hint,
                     const QString& expected);
    QCheckBox* CheckBox1() const { return check_; }
    QLineEdit* Password() const { return password_; }
    // Accepts the dialog on a ticked box and a matching password, shows the refusal otherwise.
    void OkClick();
    // The blank test on leaving the edit: false (message shown) when the text holds a blank.
    bool PasswordExit();

private:
    QCheckBox* check_ = nullptr;
    QLineEdit* password_ = nullptr;
    QString expected_;
};

// The consent box: the details and an agreement tick that OK needs.
class TConsentBox : public QDialog {
    Q_OBJECT
public:
    TConsentBox(QWidget* owner, const QString& caption, const QString& text, const QStringList& details,
                const QString& agreeCaption);
    QCheckBox* Agree() const { return agree_; }

private:
    QCheckBox* agree_ = nullptr;
};

} // namespace communication
