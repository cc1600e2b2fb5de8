#include "FormFixture.h"

#include "controls/kikan/TxKikanPanel12.h"
#include "controls/kikan/TxKikanPanel16.h"
#include "controls/kikan/TxKikanPanel4.h"

#include <QLabel>
#include <QLineEdit>

using namespace controls;
using controlstest::TestForm;

namespace {

QDate d(int y, int m, int day) { return QDate(y, m, day); }

QStringList texts(const TxKikanPanelBase& panel, int count) {
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << panel.CellText(i);
    return out;
}

QList<bool> enabled(const TxKikanPanelBase& panel, int count) {
    QList<bool> out;
    for (int i = 0; i < count; ++i)
        out << panel.CellEnabled(i);
    return out;
}

QColor cellBack(const TxKikanPanelBase& panel, int i) {
    return panel.Cell(i)->palette().color(QPalette::Window);
}

QPoint centreOf(const TxKikanPanelBase& panel, int i) {
    return panel.Cell(i)->geometry().center();
}

// A panel between two edits on a shown form, counting its reports.
template <typename Panel>
struct PanelForm {
    PanelForm() {
        before = form.add(new QLineEdit);
        panel = form.add(new Panel);
        after = form.add(new QLineEdit);
        form.show();
        panel->OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++reports; };
    }
    TestForm form;
    QLineEdit* before;
    Panel* panel;
    QLineEdit* after;
    int reports = 0;
};

const QString kMark = QStringLiteral("・");
const QString kKessan = QStringLiteral("決");

} // namespace

TEST(TxKikanPanel16, SetKikanLaysTheYearOut) {
    struct Case {
        const char* name;
        int closingDay;
        QDate start, end, firstOpen;
        QStringList texts;
        int lastNo, firstNo, stno, edno, edMonthNo;
    };
    const QStringList fullYear = {"4", "5", "6", kMark, "7", "8", "9", kMark, "10", "11", "12", kMark, "1", "2", "3", kKessan};
    const Case cases[] = {
        {"April to March", 99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 4, 1), fullYear, 15, 0, 0, 15, 15},
        {"opened in July", 99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 7, 1), fullYear, 15, 4, 4, 15, 15},
        {"six months", 99, d(2024, 4, 1), d(2024, 9, 30), d(2024, 4, 1),
         {"4", "5", "6", kMark, "7", "8", "9", kKessan, "", "", "", "", "", "", "", ""}, 7, 0, 0, 7, 15},
        {"closing day 20", 20, d(2024, 3, 21), d(2025, 3, 20), d(2024, 3, 21), fullYear, 15, 0, 0, 15, 15},
        {"closing day 0", 0, d(2024, 4, 1), d(2025, 3, 31), d(2024, 4, 1),
         {"4", "4", "4", kMark, "4", "4", "4", kMark, "4", "4", "4", kMark, "4", "4", "4", kKessan}, 15, 0, 0, 15, 15},
        // Thirteen closing months: the last month cell stays at 14 and "決" at 15.
        {"thirteen months", 99, d(2024, 4, 1), d(2025, 4, 30), d(2024, 4, 1), fullYear, 15, 0, 0, 15, 15},
        // An end 21 months after the start, and a first open date beyond the year.
        {"end far after the start", 99, d(2024, 4, 1), d(2025, 12, 31), d(2026, 3, 1), fullYear, 15, 15, 15, 15, 15},
    };
    for (const Case& c : cases) {
        TxKikanPanel16 panel;
        panel.SetKikan(c.closingDay, c.start, c.end, c.firstOpen);
        const int lastNo = c.lastNo;
        const int edno = c.edno;
        EXPECT_EQ(texts(panel, 16), c.texts) << c.name;
        EXPECT_EQ(panel.LastNo(), lastNo) << c.name;
        EXPECT_EQ(panel.MaxNo(), lastNo) << c.name;
        EXPECT_EQ(panel.FirstNo(), c.firstNo) << c.name;
        EXPECT_EQ(panel.Stno(), c.stno) << c.name;
        EXPECT_EQ(panel.Edno(), edno) << c.name;
        EXPECT_EQ(panel.StMonthNo(), panel.MonthNo(c.stno)) << c.name;
        EXPECT_EQ(panel.EdMonthNo(), c.edMonthNo) << c.name;
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(panel.CellEnabled(i), i >= c.firstNo && i <= lastNo) << c.name << " cell " << i;
    }
}

TEST(TxKikanPanel16, SettersAndSettlementCell) {
    TxKikanPanel16 panel;
    panel.SetKikan(99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 4, 1));
    panel.SetEdno(20);
    EXPECT_EQ(panel.Edno(), 15); // at most LastNo

    panel.SetKESSAN(false);
    EXPECT_EQ(panel.MaxNo(), 14);
    EXPECT_EQ(panel.LastNo(), 15);
    EXPECT_FALSE(panel.CellEnabled(15));
    EXPECT_EQ(panel.CellText(15), QString());
    EXPECT_EQ(panel.Edno(), 14); // the choice no longer ends on the settlement cell
    panel.SetKESSAN(true);
    EXPECT_EQ(panel.MaxNo(), 15);
    EXPECT_EQ(panel.CellText(15), kKessan);

    panel.SetKikanMove(false);
    EXPECT_EQ(panel.Edno(), panel.Stno());
    panel.SetKikan(99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 7, 1));
    EXPECT_EQ(panel.Edno(), 4);
}

TEST(TxKikanPanel16, Colours) {
    TxKikanPanel16 panel;
    panel.SetKikan(99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 4, 1));
    panel.SetStno(5);
    panel.SetEdno(9);
    EXPECT_EQ(cellBack(panel, 5), QColor(0, 0, 128));
    EXPECT_EQ(cellBack(panel, 10), panel.palette().color(QPalette::Button));

    panel.SetKakuteiMode(true);
    panel.SetKakuteiMNo(3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(cellBack(panel, i), QColor(0xFF, 0x80, 0x40)) << i;
        EXPECT_EQ(panel.Cell(i)->palette().color(QPalette::WindowText), QColor(Qt::white)) << i;
    }
    EXPECT_EQ(cellBack(panel, 3), panel.palette().color(QPalette::Button));

    // Disabled: chosen cells in DisabelColor, grey text everywhere.
    panel.setEnabled(false);
    EXPECT_EQ(cellBack(panel, 5), QColor(0xC0, 0xC0, 0xC0));
    panel.SetDisabelColor(QColor(0xA0, 0xA0, 0xA0));
    EXPECT_EQ(cellBack(panel, 5), QColor(0xA0, 0xA0, 0xA0));
    EXPECT_EQ(panel.Cell(0)->palette().color(QPalette::WindowText), QColor(0x80, 0x80, 0x80));
}

TEST(TxKikanPanel16, DragChoosesARange) {
    PanelForm<TxKikanPanel16> f;
    f.panel->SetKikan(99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 4, 1));
    QTest::mousePress(f.panel, Qt::LeftButton, Qt::NoModifier, centreOf(*f.panel, 9));
    QTest::mouseMove(f.panel, centreOf(*f.panel, 7));
    QTest::mouseMove(f.panel, centreOf(*f.panel, 5));
    EXPECT_EQ(f.panel->CurrentNo(), 5);
    EXPECT_EQ(cellBack(*f.panel, 7), QColor(0, 0, 128));
    QTest::mouseRelease(f.panel, Qt::LeftButton, Qt::NoModifier, centreOf(*f.panel, 5));
    EXPECT_EQ(f.panel->Stno(), 5);
    EXPECT_EQ(f.panel->Edno(), 9);
    EXPECT_EQ(f.reports, 1);

    // Without KikanMove a drag chooses the pressed cell only.
    f.panel->SetKikanMove(false);
    QTest::mousePress(f.panel, Qt::LeftButton, Qt::NoModifier, centreOf(*f.panel, 2));
    QTest::mouseMove(f.panel, centreOf(*f.panel, 6));
    QTest::mouseRelease(f.panel, Qt::LeftButton, Qt::NoModifier, centreOf(*f.panel, 6));
    EXPECT_EQ(f.panel->Stno(), 2);
    EXPECT_EQ(f.panel->Edno(), 2);

    // A disabled cell cannot be pressed.
    f.panel->SetKikanMove(true);
    f.panel->SetKikan(99, d(2024, 4, 1), d(2024, 9, 30), d(2024, 4, 1));
    QTest::mousePress(f.panel, Qt::LeftButton, Qt::NoModifier, centreOf(*f.panel, 12));
    QTest::mouseRelease(f.panel, Qt::LeftButton, Qt::NoModifier, centreOf(*f.panel, 12));
    EXPECT_EQ(f.panel->Stno(), 0);
    EXPECT_EQ(f.panel->Edno(), 7);
}

TEST(TxKikanPanel16, Keyboard) {
    PanelForm<TxKikanPanel16> f;
    f.panel->SetKikan(99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 7, 1));
    TestForm::focus(f.panel);
    QTest::keyClick(f.panel, Qt::Key_Left); // cannot go below the first open cell
    EXPECT_EQ(f.panel->AnchorNo(), 4);
    EXPECT_TRUE(f.panel->KBDMOUSE());
    QTest::keyClick(f.panel, Qt::Key_Right);
    QTest::keyPress(f.panel, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyPress(f.panel, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(f.panel->Stno(), 5);
    EXPECT_EQ(f.panel->Edno(), 7);
    QTest::keyPress(f.panel, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyPress(f.panel, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyPress(f.panel, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(f.panel->Stno(), 5); // while Shift is held the start may lie after the end
    EXPECT_EQ(f.panel->Edno(), 4);
    QTest::keyRelease(f.panel, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(f.panel->Stno(), 4);
    EXPECT_EQ(f.panel->Edno(), 5);

    // Enter reports and moves on; leaving then reports nothing more.
    QTest::keyClick(f.panel, Qt::Key_Return);
    EXPECT_EQ(f.reports, 1);
    EXPECT_EQ(TestForm::focused(), f.after);

    // A keyboard change reported by leaving.
    TestForm::focus(f.panel);
    QTest::keyClick(f.panel, Qt::Key_Right);
    TestForm::focus(f.after);
    EXPECT_EQ(f.reports, 2);
    TestForm::focus(f.panel);
    QTest::keyClick(f.panel, Qt::Key_Up);
    EXPECT_EQ(TestForm::focused(), f.before);
    EXPECT_EQ(f.reports, 2);
}

TEST(TxKikanPanel16, KeyboardWithoutKikanMoveMovesOneCell) {
    PanelForm<TxKikanPanel16> f;
    f.panel->SetKikanMove(false);
    f.panel->SetKikan(99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 4, 1));
    TestForm::focus(f.panel);
    QTest::keyPress(f.panel, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyRelease(f.panel, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(f.panel->Stno(), 1);
    EXPECT_EQ(f.panel->Edno(), 1);
}

// Each panel has a fixed height and a natural width in a layout; given another size it spreads
// its cells over it and keeps that size.
TEST(TxKikanPanel, SizeHintsAndCellsInsideTheGivenSize) {
    TxKikanPanel16 sixteen;
    TxKikanPanel12 twelve;
    TxKikanPanel4 four;
    const struct {
        TxKikanPanelBase* panel;
        int cells;
    } cases[] = {{&sixteen, 16}, {&twelve, 12}, {&four, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cells);
        TxKikanPanelBase& panel = *c.panel;
        const QSize hint = panel.sizeHint();
        EXPECT_EQ(panel.minimumSizeHint(), hint);
        EXPECT_GE(hint.height(), 22);
        EXPECT_GE(hint.width(), c.cells * 14 + 8);
        EXPECT_EQ(panel.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);

        // In a layout: the hint, every cell seen with its text fitting.
        TestForm form;
        form.add(c.panel);
        form.show();
        EXPECT_EQ(panel.size(), hint);
        for (int i = 0; i < c.cells; ++i) {
            const QRect cell = panel.Cell(i)->geometry();
            EXPECT_TRUE(panel.Cell(i)->isVisible()) << i;
            EXPECT_GE(cell.width(), panel.fontMetrics().horizontalAdvance(panel.CellText(i))) << i;
            EXPECT_GT(cell.height(), 0) << i;
            EXPECT_TRUE(panel.rect().contains(cell)) << i;
        }

        // A size given from outside is kept; the cells share it without gaps.
        panel.setParent(nullptr);
        panel.resize(301, 30);
        panel.show();
        EXPECT_EQ(panel.size(), QSize(301, 30));
        EXPECT_EQ(panel.Cell(0)->geometry().left(), 4);
        EXPECT_EQ(panel.Cell(c.cells - 1)->geometry().right(), 301 - 4 - 1);
        for (int i = 1; i < c.cells; ++i)
            EXPECT_EQ(panel.Cell(i)->geometry().left(), panel.Cell(i - 1)->geometry().right() + 1) << i;
        EXPECT_EQ(panel.Cell(0)->geometry().height(), 30 - 6);
        panel.hide();
    }
    EXPECT_EQ(sixteen.Cell(0)->objectName(), QStringLiteral("No1"));
}

TEST(TxKikanPanel12, TwelveMonthsAndSetters) {
    PanelForm<TxKikanPanel12> f;
    f.panel->SetKikan(99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 6, 1));
    EXPECT_EQ(texts(*f.panel, 12), (QStringList{"4", "5", "6", "7", "8", "9", "10", "11", "12", "1", "2", "3"}));
    EXPECT_EQ(f.panel->FirstNo(), 2);
    EXPECT_EQ(f.panel->StMonNo(), 2);
    EXPECT_EQ(f.panel->EdMonNo(), 14);
    f.panel->SetEdno(20);
    f.panel->SetStno(-3);
    EXPECT_EQ(f.panel->Stno(), 0);
    EXPECT_EQ(f.panel->Edno(), 11);
    f.panel->SetStno(9);
    f.panel->SetEdno(4); // put in order
    EXPECT_EQ(f.panel->Stno(), 4);
    EXPECT_EQ(f.panel->Edno(), 9);

    // Enter reports once: leaving afterwards does not report again.
    TestForm::focus(f.panel);
    QTest::keyClick(f.panel, Qt::Key_Right);
    QTest::keyClick(f.panel, Qt::Key_Return);
    TestForm::focus(f.before);
    EXPECT_EQ(f.reports, 1);

    f.panel->SetKikan(99, d(2024, 4, 1), d(2024, 9, 30), d(2024, 4, 1));
    EXPECT_EQ(f.panel->LastNo(), 5);
    EXPECT_EQ(enabled(*f.panel, 12), (QList<bool>{true, true, true, true, true, true, false, false, false, false, false, false}));
}

TEST(TxKikanPanel4, ButtonsQuartersAndHalves) {
    PanelForm<TxKikanPanel4> f;
    EXPECT_EQ(texts(*f.panel, 4), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(f.panel->Stno(), 0);
    EXPECT_EQ(f.panel->Edno(), 3);
    f.panel->SetBtnCnt(3); // ignored
    EXPECT_EQ(f.panel->BtnCnt(), 4);

    // Quarters: the first open date in the second quarter, the year ending in the fourth.
    f.panel->SetKikan(99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 8, 1));
    EXPECT_EQ(enabled(*f.panel, 4), (QList<bool>{false, true, true, true}));
    EXPECT_EQ(f.panel->Stno(), 1);
    EXPECT_EQ(f.panel->Edno(), 3);
    // The keyboard stays within the enabled buttons.
    TestForm::focus(f.panel);
    QTest::keyClick(f.panel, Qt::Key_Left);
    EXPECT_EQ(f.panel->AnchorNo(), 1);
    QTest::keyPress(f.panel, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyRelease(f.panel, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(f.panel->Stno(), 1);
    EXPECT_EQ(f.panel->Edno(), 2);
    QTest::keyClick(f.panel, Qt::Key_Return);
    TestForm::focus(f.before);
    EXPECT_EQ(f.reports, 1);

    f.panel->SetBtnCnt(2);
    EXPECT_EQ(f.panel->CellText(0), QStringLiteral("上"));
    EXPECT_EQ(f.panel->CellText(1), QStringLiteral("下"));
    EXPECT_FALSE(f.panel->Cell(2)->isVisible());
    EXPECT_EQ(f.panel->Stno(), 0);
    EXPECT_EQ(f.panel->Edno(), 1);
    f.panel->SetKikan(99, d(2024, 4, 1), d(2024, 9, 30), d(2024, 4, 1));
    EXPECT_EQ(f.panel->Stno(), 0);
    EXPECT_EQ(f.panel->Edno(), 0);
}
