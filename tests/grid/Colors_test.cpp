#include "platform/ui/Colors.h"

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

TColor PaletteColor(QPalette::ColorRole role) {
    const QColor color = QGuiApplication::palette().color(QPalette::Active, role);
    return RGB(color.red(), color.green(), color.blue());
}

TEST(Colors, RgbPacksRedIntoTheLowByte) {
    EXPECT_EQ(RGB(240, 251, 255), 16776176);
    EXPECT_EQ(RGB(192, 220, 192), clMoneyGreen);
    EXPECT_EQ(RGB(0, 128, 128), clTeal);
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
}

TEST(Colors, SystemColorsAreNegativeWithTheirIndex) {
    EXPECT_EQ(static_cast<std::uint32_t>(clActiveBorder), 0x8000000Au);
    EXPECT_EQ(static_cast<std::uint32_t>(clHighlight), 0x8000000Du);
    EXPECT_LT(clBtnFace, 0);
    EXPECT_GT(clNone, 0);
    EXPECT_GT(clDefault, 0);
}

TEST(Colors, ExplicitColoursResolveToThemselves) {
    for (const TColor color : {clBlack, clWhite, clSilver, clMoneyGreen, RGB(240, 251, 255)})
        EXPECT_EQ(ColorToRGB(color), color);
}

TEST(Colors, ActiveBorderComesFromTheFixedTable) {
    EXPECT_EQ(ColorToRGB(clActiveBorder), RGB(180, 180, 180));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
}

TEST(Colors, PaletteColoursComeFromTheApplicationPalette) {
    const struct {
        TColor color;
        QPalette::ColorRole role;
    } cases[] = {
        {clHighlight, QPalette::Highlight},   {clHighlightText, QPalette::HighlightedText},
        {clBtnFace, QPalette::Button},        {clBtnShadow, QPalette::Dark},
        {clWindowText, QPalette::WindowText}, {clWindow, QPalette::Base},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.role);
        EXPECT_EQ(ColorToRGB(c.color), PaletteColor(c.role));
    }
}

TEST(Colors, ToQColorIsOpaqueExceptForNone) {
    EXPECT_EQ(ToQColor(RGB(240, 251, 255)), QColor(240, 251, 255));
    EXPECT_EQ(ToQColor(clActiveBorder), QColor(180, 180, 180));
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
}

} // namespace
