#include "controls/wizard/TxWizard.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace controls;

namespace {

// A wizard with named pages, its two buttons and labels, recording its events.
struct WizardForm {
    explicit WizardForm(int pages) {
        for (int i = 0; i < pages; ++i) {
            auto* page = new QWidget;
            page->setObjectName(QStringLiteral("page%1").arg(i + 1));
            wizard.addWidget(page);
        }
        wizard.SetNextButton(&next);
        wizard.SetBackButton(&back);
        wizard.SetLblHeader(&header);
        wizard.SetLblInfo(&info);
        wizard.OnNextClicking = [this](QObject* sender, bool finalState, bool& allowChange) {
            clicking << finalState;
            EXPECT_EQ(sender, &next);
            allowChange = allow;
        };
        wizard.OnNextClick = [this](QObject*, bool finalState) { clicked << finalState; };
        wizard.OnBackClick = [this](QObject* sender) {
            EXPECT_EQ(sender, &back);
            ++backClicks;
        };
    }

    QPushButton next;
    QPushButton back;
    QLabel header;
    QLabel info;
    TxWizard wizard;
    QList<bool> clicking;
    QList<bool> clicked;
    int backClicks = 0;
    bool allow = true;
};

const QString kNext = QStringLiteral("次へ(&N) >");
const QString kFinish = QStringLiteral("完了(&F)");

} // namespace

TEST(TxWizard, OnePageWizardFinishesAtOnce) {
    WizardForm f(1);
    EXPECT_EQ(f.next.text(), kFinish);
    EXPECT_EQ(f.back.text(), QStringLiteral("< 戻る(&B)"));
    EXPECT_TRUE(f.back.isHidden());
    f.next.click();
    EXPECT_EQ(f.wizard.PageIndex(), 0);
    EXPECT_EQ(f.clicking, QList<bool>{false});
    EXPECT_EQ(f.clicked, QList<bool>{true});
}

TEST(TxWizard, NextWalksToTheLastPageWhereItIsTheFinish) {
    WizardForm f(3);
    EXPECT_EQ(f.next.text(), kNext);
    f.next.click();
    EXPECT_EQ(f.wizard.PageIndex(), 1);
    EXPECT_FALSE(f.back.isHidden());
    EXPECT_EQ(f.next.text(), kNext);
    f.next.click();
    EXPECT_EQ(f.wizard.PageIndex(), 2);
    EXPECT_EQ(f.next.text(), kFinish);
    f.next.click(); // the Finish: no page change
    EXPECT_EQ(f.wizard.PageIndex(), 2);
    // The handler before the step never hears FinalState true; the one after it does on the last page.
    EXPECT_EQ(f.clicking, (QList<bool>{false, false, false}));
    EXPECT_EQ(f.clicked, (QList<bool>{false, false, true}));

    f.back.click();
    EXPECT_EQ(f.wizard.PageIndex(), 1);
    EXPECT_EQ(f.next.text(), kNext);
    EXPECT_FALSE(f.back.isHidden());
    f.back.click();
    EXPECT_EQ(f.wizard.PageIndex(), 0);
    EXPECT_TRUE(f.back.isHidden());
    EXPECT_EQ(f.backClicks, 2);
}

TEST(TxWizard, ClearedAllowChangeStopsPageChangeAndClickEvent) {
    for (int pages : {1, 3}) {
        WizardForm f(pages);
        f.allow = false;
        f.next.click();
        EXPECT_EQ(f.wizard.PageIndex(), 0) << pages;
        EXPECT_EQ(f.clicking.size(), 1) << pages;
        EXPECT_TRUE(f.clicked.isEmpty()) << pages;
        EXPECT_EQ(f.next.text(), pages == 1 ? kFinish : kNext);
    }
}

TEST(TxWizard, ShortCaptionListsLeaveTheLabelsOnPagesWithoutEntry) {
    WizardForm f(3);
    f.wizard.SetHeaderCaption({QStringLiteral("H1"), QStringLiteral("H2")});
    f.wizard.SetInfoCaption({QStringLiteral("I1")});
    f.wizard.SetLblHeader(&f.header);
    f.wizard.SetLblInfo(&f.info);
    EXPECT_EQ(f.header.text(), QStringLiteral("H1"));
    EXPECT_EQ(f.info.text(), QStringLiteral("I1"));

    const struct {
        bool forward;
        const char* header;
        const char* info;
    } steps[] = {{true, "H2", "I1"}, {true, "H2", "I1"}, {false, "H2", "I1"}, {false, "H1", "I1"}};
    for (const auto& s : steps) {
        s.forward ? f.next.click() : f.back.click();
        EXPECT_EQ(f.header.text(), QString::fromUtf8(s.header)) << f.wizard.PageIndex();
        EXPECT_EQ(f.info.text(), QString::fromUtf8(s.info)) << f.wizard.PageIndex();
    }
}

TEST(TxWizard, PagesAreDeletedByName) {
    WizardForm f(3);
    EXPECT_TRUE(f.wizard.DeletePage(QStringLiteral("page2")));
    EXPECT_FALSE(f.wizard.DeletePage(QStringLiteral("page9")));
    EXPECT_EQ(f.wizard.PageCount(), 2);
    f.next.click();
    EXPECT_EQ(f.wizard.currentWidget()->objectName(), QStringLiteral("page3"));
    EXPECT_EQ(f.next.text(), kFinish);

    // Deleting down to one page makes the Next button the Finish button.
    WizardForm g(2);
    g.wizard.DeletePage(QStringLiteral("page2"));
    EXPECT_EQ(g.next.text(), kFinish);
}
