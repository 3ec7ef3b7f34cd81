#include "grid/GridCursors.h"

#include "platform/ui/ResourceCursor.h"

GridCursors::GridCursors()
    : right_(LoadResourceCursor(QStringLiteral("RIGHTCUREH"))),
      left_(LoadResourceCursor(QStringLiteral("LEFTCUREH"))),
      down_(LoadResourceCursor(QStringLiteral("DOWNCUREH"))) {
}

const GridCursors& GridCursors::Load() {
    // A failed load throws out of the initialiser, so the next call tries again.
    static const GridCursors cursors;
    return cursors;
}
