#include "controls/forms/FormState.h"

#include <QDialog>
#include <QVariant>

namespace controls {

namespace {
constexpr char kModalResult[] = "ModalResult";
constexpr char kTag[] = "Tag";
} // namespace

int FormModalResult(const QWidget* form) {
    return form ? form->property(kModalResult).toInt() : 0;
}

void SetFormModalResult(QWidget* form, int modalResult) {
    if (form)
        form->setProperty(kModalResult, modalResult);
}

void ApplyFormModalResult(QWidget* form) {
    auto* dialog = qobject_cast<QDialog*>(form);
    const int result = FormModalResult(form);
    if (dialog == nullptr || result == 0 || !dialog->isModal() || !dialog->isVisible())
        return;
    dialog->done(result);
}

int FormTag(const QWidget* form) {
    return form ? form->property(kTag).toInt() : 0;
}

void SetFormTag(QWidget* form, int tag) {
    if (form)
        form->setProperty(kTag, tag);
}

} // namespace controls
