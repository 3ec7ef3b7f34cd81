// The grid's cursors come from the program's resources, with their hot spots; a missing
// resource is an error with the message the start-up shows.
#include "grid/GridCursors.h"
#include "platform/ui/ResourceCursor.h"

#include <QPixmap>

#include <gtest/gtest.h>

namespace {

TEST(GridCursors, EachCursorHasItsPictureAndHotSpot) {
    const struct {
        const char* name;
        QPoint hotSpot;
    } cases[] = {{"RIGHTCUREH", {14, 6}}, {"LEFTCUREH", {0, 6}}, {"DOWNCUREH", {6, 14}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QCursor cursor = LoadResourceCursor(QString::fromLatin1(c.name));
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_FALSE(cursor.pixmap().isNull());
        EXPECT_EQ(cursor.hotSpot(), c.hotSpot);
    }
    const GridCursors& cursors = GridCursors::Load();
    EXPECT_EQ(cursors.RowSelect(Qt::LeftToRight).hotSpot(), QPoint(14, 6));
    EXPECT_EQ(cursors.RowSelect(Qt::RightToLeft).hotSpot(), QPoint(0, 6));
    EXPECT_EQ(cursors.ColumnSelect().hotSpot(), QPoint(6, 14));
}

TEST(GridCursors, AMissingCursorCannotBeLoaded) {
    try {
        LoadResourceCursor(QStringLiteral("NOSUCHCURSOR"));
        FAIL() << "no error";
    } catch (const EResNotFound& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Cannot load cursor resource"));
    }
}

} // namespace
