// The standard grid colours from the operator's settings, and stored colour values.
#include "controls/grid/ColorRef.h"
#include "controls/grid/SetGridColors.h"
#include "controls/grid/TxGrid.h"
#include "core/session/SystemDef.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

using controls::fromColorRef;
using controls::TxGrid;

TEST(GridColorsTest, StoredColourValuesAreBlueGreenRed) {
    EXPECT_EQ(fromColorRef(0x00FFF0E1), QColor(0xE1, 0xF0, 0xFF));
    EXPECT_EQ(fromColorRef(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(fromColorRef(0x00804000), QColor(0x00, 0x40, 0x80));
    EXPECT_FALSE(fromColorRef(controls::clNone).isValid());
    EXPECT_FALSE(fromColorRef(controls::clDefault).isValid());
    const QColor grayText = QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    EXPECT_EQ(fromColorRef(controls::clGrayText), grayText);
    EXPECT_EQ(fromColorRef(qint32(0x80000011)), grayText); // the older system-colour form
}

TEST(GridColorsTest, SetGridColorsModes) {
    core::TSystemDef def;
    def.ColHeaderColor = 0x00C0C0C0;
    def.ClientColor = 0x00FFFFFF;
    def.ClientColor1 = 0x00EEEEEE;
    def.ClientColor2 = 0x00FFF0E1;
    def.ActiveColor = 0x00804000;
    const QColor client(255, 255, 255), client1(0xEE, 0xEE, 0xEE), client2(0xE1, 0xF0, 0xFF);
    const QColor green(0, 128, 0), orange(255, 107, 36);

    struct Case {
        int mode;
        int edition;
        QColor back, odd, thru;
    };
    const Case cases[] = {
        {1, 0, client, client, green},   {0, 0, client1, client2, green},
        {2, 0, client1, client2, green}, {1, 1, client, client, orange},
        {0, 2, client1, client2, orange}, {1, 3, client, client, green},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " edition " << c.edition);
        TxGrid grid;
        controls::SetGridColors(grid, c.mode, def, c.edition);
        const controls::TxGridColors& colors = grid.Colors();
        EXPECT_EQ(colors.BackColor, c.back);
        EXPECT_EQ(colors.OddRowBackColor, c.odd);
        EXPECT_EQ(colors.ThruBorderColor, c.thru);
        EXPECT_EQ(colors.FixedBackColor, QColor(0xC0, 0xC0, 0xC0));
        EXPECT_EQ(colors.FocusBorderColor, QColor(0x00, 0x40, 0x80));
        EXPECT_EQ(colors.FixedBorderColor, QColor(128, 128, 128));
        EXPECT_EQ(colors.BorderColor, QColor(128, 128, 128));
        EXPECT_EQ(colors.DisabledColor, QColor(128, 128, 128));
        EXPECT_EQ(colors.VoidAreaColor, fromColorRef(controls::clGrayText));

        // Rows follow the set: even rows the back colour, odd rows the odd-row colour.
        grid.SetCols(1);
        grid.SetRowCount(2);
        EXPECT_EQ(grid.RowBackColor(0), c.back);
        EXPECT_EQ(grid.RowBackColor(1), c.odd);
    }
}
