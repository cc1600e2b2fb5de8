#pragma once
// A stack of pages driven as a wizard: it takes over a Next and a Back button placed elsewhere
// on the form, moves between the pages, keeps a header label and an information label in step
// with the page, and turns the Next caption into the Finish caption on the last page. A Next
// click on the last page (or in a one-page wizard) is the Finish: the page stays and
// OnNextClick gets FinalState true.

#include "controls/keys/ControlEvents.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPointer>
#include <QStackedWidget>
#include <QStringList>

namespace controls {

using TNextClickEvent = std::function<void(QObject* sender, bool FinalState)>;
using TNextClickingEvent = std::function<void(QObject* sender, bool FinalState, bool& AllowChange)>;

class TxWizard : public QStackedWidget {
    Q_OBJECT
public:
    explicit TxWizard(QWidget* parent = nullptr);

    QString NextButtonCap() const { return nextButtonCap_; }
    void SetNextButtonCap(const QString& caption) { nextButtonCap_ = caption; }
    QString NextButtonFinCap() const { return nextButtonFinCap_; }
    void SetNextButtonFinCap(const QString& caption) { nextButtonFinCap_ = caption; }
    QString BackButtonCap() const { return backButtonCap_; }
    void SetBackButtonCap(const QString& caption) { backButtonCap_ = caption; }

    QAbstractButton* NextButton() const { return nextButton_; }
    void SetNextButton(QAbstractButton* button);
    QAbstractButton* BackButton() const { return backButton_; }
    void SetBackButton(QAbstractButton* button);
    QLabel* LblHeader() const { return lblHeader_; }
    void SetLblHeader(QLabel* label);
    QLabel* LblInfo() const { return lblInfo_; }
    void SetLblInfo(QLabel* label);

    // Header and information text per page, by page index; a page without an entry leaves
    // the label as it is.
    QStringList HeaderCaption() const { return headerCaption_; }
    void SetHeaderCaption(const QStringList& lines) { headerCaption_ = lines; }
    QStringList InfoCaption() const { return infoCaption_; }
    void SetInfoCaption(const QStringList& lines) { infoCaption_ = lines; }

    int PageIndex() const { return currentIndex(); }
    void SetPageIndex(int index) { setCurrentIndex(index); }
    int PageCount() const { return count(); }
    // Removes and frees the page with this object name; false when there is none.
    bool DeletePage(const QString& name);

    // The steps the two buttons run; callable directly.
    void NextClick();
    void BackClick();

    TNotifyEvent OnBackClick;
    TNextClickEvent OnNextClick;
    TNextClickingEvent OnNextClicking;

private:
    void showCaptions();
    void setNextCaption(const QString& caption);

    QString nextButtonCap_;
    QString nextButtonFinCap_;
    QString backButtonCap_;
    QPointer<QAbstractButton> nextButton_;
    QPointer<QAbstractButton> backButton_;
    QPointer<QLabel> lblHeader_;
    QPointer<QLabel> lblInfo_;
    QStringList headerCaption_;
    QStringList infoCaption_;
};

} // namespace controls
