#pragma once

class QWidget;

// The widgets need an application; the benchmarks of the other layers do not make one. It is
// made on first use, offscreen unless QT_QPA_PLATFORM says otherwise, and lives until the
// process ends.
void EnsureApplication();

// Paints what is pending in the window now, as the event loop would next, and hands it to the
// (offscreen) screen.
void FlushPaints(QWidget& window);
