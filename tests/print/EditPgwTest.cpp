// The print library's edit: focus keys by key style and the numbers.
#include "print/EditPgw.h"

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(EditPgwTest, DefaultKeyStylesMoveWithEnterAndUpOnly) {
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* first = new print::TEditPgw(&form);
    auto* second = new print::TEditPgw(&form);
    layout->addWidget(first);
    layout->addWidget(second);
    form.show();
    QApplication::setActiveWindow(&form);
    second->setFocus();
    second->setText(QStringLiteral("12"));
    QTest::keyClick(second, Qt::Key_Down); // not in the default styles
    EXPECT_TRUE(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Up);
    EXPECT_TRUE(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_TRUE(second->hasFocus());

    second->KeyStyles = {controls::ksRight};
    second->deselect();
    second->setCursorPosition(2);
    QTest::keyClick(second, Qt::Key_Right); // caret at the end, nothing selected: stays
    EXPECT_TRUE(second->hasFocus());
    second->selectAll();
    QTest::keyClick(second, Qt::Key_Right);
    EXPECT_FALSE(second->hasFocus());

    EXPECT_EQ(second->Long(), 12);
    second->SetLong(0); // 0 leaves the text
    EXPECT_EQ(second->text(), QStringLiteral("12"));
    second->setText(QStringLiteral("x"));
    EXPECT_EQ(second->Long(), 0);
    EXPECT_EQ(second->Curr(), 0);
}

} // namespace
