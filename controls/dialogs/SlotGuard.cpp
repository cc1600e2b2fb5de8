#include "controls/dialogs/SlotGuard.h"

#include "core/Exception.h"
#include "core/errors/ExceptionText.h"
#include "core/ui/MessageService.h"

#include <QDebug>

namespace controls {

namespace {

const QString kUnknownError = QStringLiteral("予期しないエラーが発生しました。");

void showError(const QString& text) noexcept {
    try {
        core::showMessage(core::MessageKind::Error, text.isEmpty() ? kUnknownError : text, core::mbOK);
    } catch (...) {
        // The message itself failed (a broken service): the log is all that is left.
        qCritical().noquote() << "error that could not be shown:" << text;
    }
}

} // namespace

void ShowGuardedException(std::exception_ptr error) noexcept {
    if (!error)
        return;
    try {
        std::rethrow_exception(error);
    } catch (const core::EAbort&) {
        // The silent abort: the operation has ended on purpose and said what it had to.
    } catch (const core::Exception& e) {
        showError(e.message());
    } catch (const std::exception& e) {
        showError(core::exceptionText(e));
    } catch (...) {
        showError(kUnknownError);
    }
}

bool RunGuarded(const std::function<void()>& body) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        ShowGuardedException(std::current_exception());
        return false;
    }
}

bool NotifyGuarded(QObject* receiver, QEvent* event) {
    bool handled = false;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    RunGuarded([&] { handled = app->QApplication::notify(receiver, event); });
    return handled;
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    return NotifyGuarded(receiver, event);
}

} // namespace controls
