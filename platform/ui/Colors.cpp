#include "platform/ui/Colors.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <optional>

namespace {

// The system colours that have a counterpart in the application's palette. clBtnShadow maps to
// Dark rather than Mid: Dark is the colour Qt's styles draw the shadow side of a raised
// button with, and it is the nearer of the two to the platform's own button shadow grey.
// clWindow is the background of text entry and list controls, which Qt calls Base.
std::optional<QPalette::ColorRole> PaletteRole(TColor color) {
    switch (color) {
    case clHighlight:
        return QPalette::Highlight;
    case clHighlightText:
        return QPalette::HighlightedText;
    case clBtnFace:
        return QPalette::Button;
    case clBtnShadow:
        return QPalette::Dark;
    case clBtnText:
        return QPalette::ButtonText;
    case clWindowText:
        return QPalette::WindowText;
    case clWindow:
        return QPalette::Base;
    default:
        return std::nullopt;
    }
}

// Every system colour by its index, with the values of the platform's standard desktop scheme.
// These are used for the colours the palette has no counterpart for (clActiveBorder, the
// border of the active window, is RGB(180,180,180)), and for all of them when there is no
// application object to ask. Index 25 is unused by the platform.
constexpr std::array<TColor, 31> SystemColorTable{
    RGB(200, 200, 200), // 0 clScrollBar
    RGB(0, 0, 0),       // 1 clBackground
    RGB(153, 180, 209), // 2 clActiveCaption
    RGB(191, 205, 219), // 3 clInactiveCaption
    RGB(240, 240, 240), // 4 clMenu
    RGB(255, 255, 255), // 5 clWindow
    RGB(100, 100, 100), // 6 clWindowFrame
    RGB(0, 0, 0),       // 7 clMenuText
    RGB(0, 0, 0),       // 8 clWindowText
    RGB(0, 0, 0),       // 9 clCaptionText
    RGB(180, 180, 180), // 10 clActiveBorder
    RGB(244, 247, 252), // 11 clInactiveBorder
    RGB(171, 171, 171), // 12 clAppWorkSpace
    RGB(51, 153, 255),  // 13 clHighlight
    RGB(255, 255, 255), // 14 clHighlightText
    RGB(240, 240, 240), // 15 clBtnFace
    RGB(160, 160, 160), // 16 clBtnShadow
    RGB(109, 109, 109), // 17 clGrayText
    RGB(0, 0, 0),       // 18 clBtnText
    RGB(67, 78, 84),    // 19 clInactiveCaptionText
    RGB(255, 255, 255), // 20 clBtnHighlight
    RGB(105, 105, 105), // 21 cl3DDkShadow
    RGB(227, 227, 227), // 22 cl3DLight
    RGB(0, 0, 0),       // 23 clInfoText
    RGB(255, 255, 225), // 24 clInfoBk
    RGB(0, 0, 0),       // 25 (unused)
    RGB(0, 102, 204),   // 26 clHotLight
    RGB(185, 209, 234), // 27 clGradientActiveCaption
    RGB(215, 228, 242), // 28 clGradientInactiveCaption
    RGB(51, 153, 255),  // 29 clMenuHighlight
    RGB(240, 240, 240), // 30 clMenuBar
};

TColor FromQColor(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

} // namespace

TColor ColorToRGB(TColor color) {
    if (!IsSystemColor(color))
        return color;
    if (const auto role = PaletteRole(color); role && qGuiApp)
        return FromQColor(QGuiApplication::palette().color(QPalette::Active, *role));
    const auto index = static_cast<std::size_t>(color & 0xFF);
    return index < SystemColorTable.size() ? SystemColorTable[index] : clBlack;
}

QColor ToQColor(TColor color) {
    if (color == clNone)
        return QColor(Qt::transparent);
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}
