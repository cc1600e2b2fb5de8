// The common print dialog: options saved and restored, the start page, the action.
#include "controls/buttons/TxPlButton.h"
#include "core/Globals.h"
#include "print/Pagewerk.h"
#include "print/PrintDlgBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

using print::TDefaultPrintRec;
using print::TPrintDlgBox;

namespace {

TEST(PrintDlgBoxTest, OptionsStartPageAndAction) {
    core::SystemDef.PLineColor1 = 0x112233;
    TDefaultPrintRec rec;
    TPrintDlgBox::InitDefaultPrintRec(rec);
    EXPECT_EQ(rec.LineColor1, 0x112233);
    EXPECT_EQ(rec.TitleFontSize, 16);
    rec.OptionText = QStringLiteral("C010=1\r\nC020=1\r\n");

    const struct {
        const char* page;
        int expected;
    } pages[] = {{"0", 1}, {"x", 1}, {"-3", -3}, {"12", 12}};
    for (const auto& c : pages) {
        TPrintDlgBox box;
        box.PrintRec = &rec;
        box.ColorSw = true; // the start page and both-sides switches stay off
        box.StartPageSw = true;
        box.Prepare(1);
        EXPECT_TRUE(box.btnColor->isChecked()); // "C010=1" restored with the colour switch on
        EXPECT_FALSE(box.chkBoth->isChecked()); // "C020=1" not restored with its switch off
        box.txtStartPage->setText(QString::fromLatin1(c.page));
        box.btnPreview->Click();
        EXPECT_EQ(rec.StartPage, c.expected) << c.page;
        EXPECT_EQ(box.PrintAction, 2);
        EXPECT_EQ(rec.OptionText, QStringLiteral("C010=1\r\n"));
    }

    TPrintDlgBox box;
    box.PrintRec = &rec;
    box.Prepare(1); // colour switch off: nothing restored, nothing saved for it
    box.btnOK->Click();
    EXPECT_EQ(box.PrintAction, 1);
    EXPECT_EQ(rec.ColorPrint, 0);
    EXPECT_EQ(rec.OptionText, QString());
}

TEST(PrintDlgBoxTest, MonoColoursAreTheMeanGrey) {
    print::TPagewerk pw;
    pw.NetColor1 = 0x0000FF;
    pw.NetColor2 = 0xFFFFFF;
    pw.UserColor1 = 0x123456;
    print::SetMonoPrintColors(1, pw);
    EXPECT_EQ(pw.NetColor1, 0x0000FF);
    print::SetMonoPrintColors(0, pw);
    EXPECT_EQ(pw.NetColor1, 0x555555);
    EXPECT_EQ(pw.NetColor2, 0xFFFFFF);
    EXPECT_EQ(pw.UserColor1, 0);
    EXPECT_EQ(pw.OcrGreen, 0);
}

} // namespace

#include "print/PrnColorSetBox.h"
#include <QPushButton>

namespace {

TEST(PrnColorSetBoxTest, ChoosesColoursAndStartsWithWhiteCustomColours) {
    core::SystemDef.NetColor1 = 0x00FF00;
    print::TPrnColorSetBox box;
    box.PerReport = 1;
    box.Prepare(1);
    EXPECT_EQ(box.CustomColours().size(), 16);
    EXPECT_EQ(box.CustomColours().first(), QStringLiteral("ColorA=FFFFFF"));
    print::TPrnColorSetBox::ChooseColour = [](qint32) { return std::optional<qint32>(0x0000FF); };
    box.btnLineColor1Click(2);
    print::TPrnColorSetBox::ChooseColour = nullptr;
    box.btnOKClick();
    EXPECT_EQ(box.NetColor1, 0x0000FF);
    EXPECT_EQ(core::SystemDef.NetColor1, 0x00FF00); // a report's colours leave the environment alone
}

} // namespace
