#pragma once
// Answers the modal dialogs that a test opens, so that no test waits for a user. While the
// answerer lives, a timer looks for the active modal window; each one it finds gets the next
// scripted answer (a function that clicks, types or checks something and usually ends the
// dialog). An unscripted dialog, or one still open after its answer has had its time, is
// rejected, so a forgotten answer fails the test instead of hanging it.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

namespace testsupport {

class ModalAnswerer {
public:
    using Answer = std::function<void(QWidget* dialog)>;

    explicit ModalAnswerer(int intervalMs = 10) {
        timer_.setInterval(intervalMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start();
    }

    // The answer for the next modal dialog that appears.
    ModalAnswerer& then(Answer answer) {
        answers_.push_back(std::move(answer));
        return *this;
    }

    int answered() const { return answered_; }
    int unanswered() const { return unanswered_; }

private:
    void tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        if (modal == current_) {
            // The answer did not end the dialog: after a grace period, end it.
            if (++waited_ > 200) {
                ++unanswered_;
                closeDialog(modal);
            }
            return;
        }
        current_ = modal;
        waited_ = 0;
        if (answers_.empty()) {
            ++unanswered_;
            closeDialog(modal);
            return;
        }
        Answer answer = std::move(answers_.front());
        answers_.pop_front();
        ++answered_;
        answer(modal);
    }

    static void closeDialog(QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    QTimer timer_;
    std::deque<Answer> answers_;
    QPointer<QWidget> current_;
    int waited_ = 0;
    int answered_ = 0;
    int unanswered_ = 0;
};

} // namespace testsupport
