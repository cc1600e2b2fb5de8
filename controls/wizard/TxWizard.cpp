#include "controls/wizard/TxWizard.h"

#include <QAbstractButton>
#include <QLabel>

namespace controls {

TxWizard::TxWizard(QWidget* parent)
    : QStackedWidget(parent),
      nextButtonCap_(QStringLiteral("次へ(&N) >")),
      nextButtonFinCap_(QStringLiteral("完了(&F)")),
      backButtonCap_(QStringLiteral("< 戻る(&B)")) {}

void TxWizard::SetNextButton(QAbstractButton* button) {
    if (nextButton_)
        disconnect(nextButton_, &QAbstractButton::clicked, this, nullptr);
    nextButton_ = button;
    if (!button)
        return;
    connect(button, &QAbstractButton::clicked, this, [this] { NextClick(); });
    button->setText(PageCount() == 1 ? nextButtonFinCap_ : nextButtonCap_);
}

void TxWizard::SetBackButton(QAbstractButton* button) {
    if (backButton_)
        disconnect(backButton_, &QAbstractButton::clicked, this, nullptr);
    backButton_ = button;
    if (!button)
        return;
    connect(button, &QAbstractButton::clicked, this, [this] { BackClick(); });
    button->hide();
    button->setText(backButtonCap_);
}

void TxWizard::SetLblHeader(QLabel* label) {
    lblHeader_ = label;
    showCaptions();
}

void TxWizard::SetLblInfo(QLabel* label) {
    lblInfo_ = label;
    showCaptions();
}

bool TxWizard::DeletePage(const QString& name) {
    for (int i = 0; i < count(); ++i) {
        QWidget* page = widget(i);
        if (page->objectName() != name)
            continue;
        removeWidget(page);
        delete page;
        // The page now shown may have become the last one.
        if (count() > 0 && currentIndex() == count() - 1)
            setNextCaption(nextButtonFinCap_);
        return true;
    }
    return false;
}

void TxWizard::NextClick() {
    QObject* sender = nextButton_ ? static_cast<QObject*>(nextButton_.data()) : this;
    const int n = count();
    const int p = currentIndex();
    const bool last = n == p + 1;
    bool allowChange = true;
    // Asked before anything happens, with FinalState false even on the last page.
    if (OnNextClicking)
        OnNextClicking(sender, false, allowChange);
    if (!allowChange)
        return;
    bool finalState = false;
    if (n == 1 || last) {
        finalState = true;
    } else {
        setCurrentIndex(p + 1);
        showCaptions();
        if (backButton_)
            backButton_->show();
    }
    if (currentIndex() == n - 1)
        setNextCaption(nextButtonFinCap_);
    if (OnNextClick)
        OnNextClick(sender, finalState);
}

void TxWizard::BackClick() {
    const int p = currentIndex();
    if (count() == 1 || p <= 0) {
        if (backButton_)
            backButton_->hide();
    } else {
        setCurrentIndex(p - 1);
        showCaptions();
        setNextCaption(nextButtonCap_);
        if (currentIndex() == 0 && count() > 1 && backButton_)
            backButton_->hide();
    }
    if (OnBackClick)
        OnBackClick(backButton_ ? static_cast<QObject*>(backButton_.data()) : this);
}

void TxWizard::showCaptions() {
    const int p = currentIndex();
    if (lblHeader_ && p >= 0 && p < headerCaption_.size())
        lblHeader_->setText(headerCaption_.at(p));
    if (lblInfo_ && p >= 0 && p < infoCaption_.size())
        lblInfo_->setText(infoCaption_.at(p));
}

void TxWizard::setNextCaption(const QString& caption) {
    if (nextButton_)
        nextButton_->setText(caption);
}

} // namespace controls
