#pragma once

#include <QFont>
#include <QString>

// Makes the metric-compatible Windows fonts of fonts-wine (Tahoma, Tahoma Bold, MS Sans Serif)
// known to the application when they are installed. Runs once; later calls do nothing.
void LoadPlatformFonts();

// The family at a pixel size (a font height of -pixelSize at 96 dpi), or a sans font of the
// same size when the family is not installed. Loads the platform fonts first.
QFont PlatformFont(const QString& family, int pixelSize, bool bold = false);

// The window font: Tahoma 8 point, pixel size 11.
QFont WindowFont();
