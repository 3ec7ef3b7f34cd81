#include "platform/ui/Fonts.h"

#include <QFile>
#include <QFontDatabase>

#include <array>

namespace {

// Where Debian's fonts-wine installs the fonts the layout's pixel figures assume.
constexpr auto FontFolder = QLatin1StringView("/usr/share/wine/fonts/");
constexpr std::array FontFiles{QLatin1StringView("tahoma.ttf"), QLatin1StringView("tahomabd.ttf"),
                               QLatin1StringView("ms_sans_serif.ttf")};

constexpr int WindowFontPixelSize = 11;

bool IsInstalled(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

} // namespace

void LoadPlatformFonts() {
    static const bool loaded = [] {
        for (QLatin1StringView file : FontFiles) {
            const QString path = FontFolder + file;
            if (QFile::exists(path))
                QFontDatabase::addApplicationFont(path);
        }
        return true;
    }();
    (void)loaded;
}

QFont PlatformFont(const QString& family, int pixelSize, bool bold) {
    LoadPlatformFonts();
    QFont font(IsInstalled(family)
                   ? family
                   : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont WindowFont() {
    return PlatformFont(QStringLiteral("Tahoma"), WindowFontPixelSize);
}
