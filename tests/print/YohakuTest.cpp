// The margin dialog, its key filter and the library's text helpers.
#include "print/LibraryHelpers.h"
#include "print/Yohaku.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace print;

namespace {

TEST(YohakuTest, ClampsOnLeavingAndReturnsTheRatios) {
    Tfmyohaku dialog;
    dialog.SetVRatio(1020);
    EXPECT_EQ(dialog.ED_VRATIO->text(), QStringLiteral("20"));
    dialog.SetHRatio(900); // outside 950..1050: the row shows 0
    EXPECT_EQ(dialog.ED_HRATIO->text(), QStringLiteral("0"));
    dialog.ED_TOP->setText(QStringLiteral("150"));
    dialog.ED_TOPExit(dialog.ED_TOP);
    EXPECT_EQ(dialog.ED_TOP->text(), QStringLiteral("100"));
    dialog.ED_VRATIO->setText(QStringLiteral("-70"));
    dialog.ED_TOPExit(dialog.ED_VRATIO);
    EXPECT_EQ(dialog.ED_VRATIO->text(), QStringLiteral("-50"));
    dialog.Button1Click();
    EXPECT_EQ(dialog.VRatio(), 950);
    EXPECT_EQ(dialog.HRatio(), 1000);
    EXPECT_EQ(dialog.TopMargin(), 100);

    QLineEdit* edit = dialog.ED_LEFT; // typed keys go through the filter
    edit->setText(QString());
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("-x0-5"));
    EXPECT_EQ(edit->text(), QStringLiteral("-5")); // "x", "0" after "-" and a second "-" dropped
}

TEST(YohakuTest, KeyFilterRefusals) {
    const auto signedKey = [](const char* text, char key) {
        return !FilterNumericKey(QString::fromLatin1(text), QChar(key), TNumericKind::SignedInteger, false).isNull();
    };
    EXPECT_FALSE(signedKey("-", '-'));
    EXPECT_FALSE(signedKey("12", '-'));
    EXPECT_FALSE(signedKey("0", '0'));
    EXPECT_FALSE(signedKey("-", '0'));
    EXPECT_FALSE(signedKey("1", 'a'));
    EXPECT_TRUE(signedKey("", '-'));
    EXPECT_TRUE(signedKey("10", '0'));
    EXPECT_TRUE(!FilterNumericKey(QStringLiteral("12"), u'-', TNumericKind::SignedInteger, true).isNull());
    EXPECT_TRUE(FilterNumericKey(QStringLiteral("1.5"), u'.', TNumericKind::Decimal, false).isNull());
    EXPECT_TRUE(FilterNumericKey(QStringLiteral("0"), u'0', TNumericKind::Digits, false).isNull());
}

TEST(YohakuTest, SplitFieldsAndHelpers) {
    QStringList fields;
    EXPECT_EQ(SplitFields(QStringLiteral("a,b,,d // note"), QStringLiteral(","), fields), 3);
    EXPECT_EQ(fields, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QString(), QStringLiteral("d ")}));
    EXPECT_EQ(GetFieldText(QStringLiteral("a,b,,d // note"), QStringLiteral(","), 3), QStringLiteral("d"));
    EXPECT_EQ(GetFieldText(QStringLiteral("a,b,,d"), QStringLiteral(","), 4), QString());
    EXPECT_EQ(SplitFields(QString(), QStringLiteral(","), fields), 0);
    EXPECT_TRUE(fields.isEmpty());
    const QString many = QString(150, u',');
    EXPECT_EQ(SplitFields(many, QStringLiteral(","), fields), 150); // more than 101 fields: a list
    EXPECT_EQ(GetFieldText(many, QStringLiteral(","), 120), QString());
    EXPECT_EQ(StrToFloatDefZero(QStringLiteral("1.5")), 1.5);
    EXPECT_EQ(StrToFloatDefZero(QStringLiteral("x")), 0);
    QString docs;
    EXPECT_TRUE(GetSpecialFolderPath(5, docs));
    EXPECT_FALSE(docs.isEmpty());
    EXPECT_TRUE(ChartFileExists(QStringLiteral("anything")));
}

} // namespace
