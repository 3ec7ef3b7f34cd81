// The picture control: decoding on first paint, stretching, placement and damaged pictures.
#include "platform/Exceptions.h"
#include "platform/ui/JpegPicture.h"
#include "platform/ui/TImage.h"
#include "tests/support/ScriptedDialogService.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

namespace {

const QColor Untouched(255, 0, 255);

// What the control paints, on a canvas one pixel wider and taller than the control so that
// anything drawn outside it shows.
QImage Render(TImage& image) {
    QImage canvas(image.width() + 1, image.height() + 1, QImage::Format_RGB32);
    canvas.fill(Untouched);
    image.render(&canvas, QPoint(), QRegion(), QWidget::DrawChildren);
    return canvas;
}

bool Near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// A JPEG picture in four coloured quarters, written with Qt's encoder into a folder.
class QuarteredPicture {
public:
    static constexpr QRgb TopLeft = 0xFFD02020, TopRight = 0xFF20B020, BottomLeft = 0xFF2040D0,
                          BottomRight = 0xFFE0D020;

    explicit QuarteredPicture(QSize size) {
        QImage image(size, QImage::Format_RGB32);
        const int w = size.width() / 2, h = size.height() / 2;
        QPainter painter(&image);
        painter.fillRect(0, 0, w, h, QColor(TopLeft));
        painter.fillRect(w, 0, size.width() - w, h, QColor(TopRight));
        painter.fillRect(0, h, w, size.height() - h, QColor(BottomLeft));
        painter.fillRect(w, h, size.width() - w, size.height() - h, QColor(BottomRight));
        painter.end();
        path_ = dir_.filePath(QStringLiteral("quarters.jpg"));
        QImageWriter writer(path_, "jpg");
        writer.setQuality(95);
        written_ = writer.write(image);
    }

    bool written() const { return written_; }
    const QString& path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
    bool written_ = false;
};

TEST(TImage, DecodesThePictureOnlyWhenFirstPainted) {
    TImage image(nullptr);
    image.LoadJpeg(QStringLiteral(":/pictures/town.jpg"));
    image.SetStretch(true);
    image.resize(431, 382);
    EXPECT_FALSE(image.IsDecoded()) << "decoded when loaded";
    Render(image);
    EXPECT_TRUE(image.IsDecoded());
    EXPECT_EQ(image.Picture().size(), QSize(618, 400));
    image.LoadJpeg(QStringLiteral(":/pictures/banner.jpg"));
    EXPECT_FALSE(image.IsDecoded()) << "a new picture keeps the old decoding";
}

struct StretchCase {
    const char* name;
    const char* path;
    QSize control;
};

void PrintTo(const StretchCase& c, std::ostream* out) {
    *out << c.path;
}

class StretchedPictures : public ::testing::TestWithParam<StretchCase> {};

// The program's pictures at the sizes the main window shows them: the corners of the control
// show the corners of the picture, and nothing is drawn beyond it.
TEST_P(StretchedPictures, FillTheControlCornerToCorner) {
    const QString path = QString::fromLatin1(GetParam().path);
    const QSize control = GetParam().control;
    TImage image(nullptr);
    image.LoadJpeg(path);
    image.SetStretch(true);
    image.SetCenter(true); // no effect while stretched
    image.resize(control);
    const QImage shown = Render(image);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QImage expected = DecodeJpegPicture(file.readAll())
                                .scaled(control, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const int right = control.width() - 1, bottom = control.height() - 1;
    for (const QPoint p : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom),
                           QPoint(right / 2, bottom / 2)}) {
        SCOPED_TRACE(testing::Message() << "at " << p.x() << "," << p.y());
        EXPECT_TRUE(Near(shown.pixelColor(p), expected.pixelColor(p), 24));
    }
    EXPECT_EQ(shown.pixelColor(control.width(), 0), Untouched);
    EXPECT_EQ(shown.pixelColor(0, control.height()), Untouched);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, StretchedPictures,
                         ::testing::Values(StretchCase{"Start", ":/pictures/town.jpg", {431, 382}},
                                           StretchCase{
                                               "Banner", ":/pictures/banner.jpg", {433, 59}}),
                         [](const auto& test) { return std::string(test.param.name); });

struct PlacementCase {
    const char* name;
    bool stretch;
    bool center;
    QSize control;
    QPoint probe;
    QRgb quarter; // 0: nothing drawn there
};

// A 618 x 400 picture in quarters; where each quarter lands tells how the picture was placed.
TEST(TImage, StretchIgnoresAspectRatioAndPlainPicturesKeepTheirSize) {
    QuarteredPicture picture(QSize(618, 400));
    if (!picture.written())
        GTEST_SKIP() << "Qt's JPEG writer is not available";
    using Q = QuarteredPicture;
    const PlacementCase cases[] = {
        // stretched to 431 x 382, the quarters meet at (215.5, 191)
        {"stretch, left of middle", true, false, {431, 382}, {205, 100}, Q::TopLeft},
        {"stretch, right of middle", true, false, {431, 382}, {226, 100}, Q::TopRight},
        {"stretch, below middle", true, false, {431, 382}, {100, 201}, Q::BottomLeft},
        {"stretch, bottom right", true, false, {431, 382}, {430, 381}, Q::BottomRight},
        {"stretch ignores center", true, true, {431, 382}, {0, 0}, Q::TopLeft},
        // not stretched: drawn at 618 x 400 from the top-left corner, clipped by the control
        {"plain, top left", false, false, {700, 450}, {0, 0}, Q::TopLeft},
        {"plain, own bottom right", false, false, {700, 450}, {617, 399}, Q::BottomRight},
        {"plain, beyond the picture", false, false, {700, 450}, {650, 420}, 0},
        {"plain, clipped", false, false, {431, 382}, {430, 381}, Q::BottomRight},
        // centred: offset by half the spare room, (700 - 618) / 2 = 41 and (450 - 400) / 2 = 25
        {"centred, left margin", false, true, {700, 450}, {40, 200}, 0},
        {"centred, first column", false, true, {700, 450}, {42, 26}, Q::TopLeft},
        {"centred, last column", false, true, {700, 450}, {657, 423}, Q::BottomRight},
        {"centred, right margin", false, true, {700, 450}, {660, 200}, 0},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        TImage image(nullptr);
        image.LoadJpeg(picture.path());
        image.SetStretch(c.stretch);
        image.SetCenter(c.center);
        image.resize(c.control);
        const QColor seen = Render(image).pixelColor(c.probe);
        if (c.quarter == 0)
            EXPECT_EQ(seen, Untouched);
        else
            EXPECT_TRUE(Near(seen, QColor(c.quarter), 40)) << seen.name().toStdString();
    }
}

TEST(TImage, DamagedPictureLeavesTheControlEmptyAndIsReportedOnce) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("damaged.jpg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\xFF\xD8\xFF\xE0 not really a picture", 26));
    file.close();
    ScriptedDialogs dialogs;
    TImage image(nullptr);
    image.LoadJpeg(path);
    image.SetStretch(true);
    image.resize(60, 40);
    EXPECT_EQ(Render(image).pixelColor(30, 20), Untouched);
    EXPECT_EQ(Render(image).pixelColor(30, 20), Untouched);
    EXPECT_TRUE(dialogs->requests().empty()) << "reported inside the paint";
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(dialogs->requests().size(), 1u);
    EXPECT_EQ(dialogs->requests()[0].kind, DialogKind::MessageBox);
    EXPECT_EQ(dialogs->requests()[0].icon, DialogIcon::Stop);
    EXPECT_TRUE(
        dialogs->requests()[0].text.startsWith(QStringLiteral("Cannot decode the JPEG picture: ")));
    EXPECT_FALSE(image.IsDecoded());
    EXPECT_THROW(image.Picture(), Exception);
}

TEST(TImage, MissingPictureFileIsAnOpenError) {
    TImage image(nullptr);
    EXPECT_THROW(image.LoadJpeg(QStringLiteral(":/pictures/missing.jpg")), EFOpenError);
}

} // namespace
