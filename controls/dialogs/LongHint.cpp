#include "controls/dialogs/LongHint.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace controls {

namespace {
constexpr char kHint[] = "Hint";
} // namespace

void SetHint(QWidget* control, const QString& hint) {
    control->setProperty(kHint, hint);
    control->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
}

QString HintOf(const QWidget* control) {
    return control ? control->property(kHint).toString() : QString();
}

QString LongHintOf(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void FollowFocusHints(QWidget* form, QPlainTextEdit* memo) {
    QObject::connect(qApp, &QApplication::focusChanged, memo,
                     [form = QPointer<QWidget>(form), memo](QWidget*, QWidget* now) {
                         if (!form || now == nullptr || now->window() != form)
                             return;
                         // A control inside a compound control (the edit of a combo box, a
                         // box of a date edit) shows the hint of the nearest one that has one.
                         QWidget* owner = now;
                         while (owner != nullptr && owner != form && HintOf(owner).isEmpty())
                             owner = owner->parentWidget();
                         memo->setPlainText(owner && owner != form ? LongHintOf(HintOf(owner)) : QString());
                     });
}

} // namespace controls
