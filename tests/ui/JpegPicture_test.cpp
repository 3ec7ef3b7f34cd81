// The JPEG decoder on the program's own pictures and on damaged data.
#include "platform/Exceptions.h"
#include "platform/ui/JpegPicture.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

QByteArray ReadResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

struct FrameHeader {
    int marker = 0; // 0xC0 baseline, 0xC1 extended, 0xC2 progressive ...
    int precision = 0;
    int height = 0;
    int width = 0;
    int components = 0;
};

// Walks the marker segments up to the first start-of-frame marker.
FrameHeader ReadFrameHeader(const QByteArray& jpeg) {
    const auto* b = reinterpret_cast<const unsigned char*>(jpeg.constData());
    const qsizetype size = jpeg.size();
    qsizetype pos = 2;
    while (pos + 4 <= size && b[pos] == 0xFF) {
        const int marker = b[pos + 1];
        const int length = (b[pos + 2] << 8) | b[pos + 3];
        const bool isFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame && pos + 10 <= size)
            return {marker, b[pos + 4], (b[pos + 5] << 8) | b[pos + 6],
                    (b[pos + 7] << 8) | b[pos + 8], b[pos + 9]};
        pos += 2 + length;
    }
    return {};
}

struct CommittedPicture {
    const char* name;
    const char* path;
    int width;
    int height;
};

void PrintTo(const CommittedPicture& c, std::ostream* out) {
    *out << c.path;
}

class CommittedPictures : public ::testing::TestWithParam<CommittedPicture> {};

TEST_P(CommittedPictures, AreBaselineThreeComponentJpegsOfTheirSize) {
    const QByteArray jpeg = ReadResource(QString::fromLatin1(GetParam().path));
    ASSERT_FALSE(jpeg.isEmpty()) << GetParam().path << " is not among the resources";
    ASSERT_TRUE(jpeg.startsWith("\xFF\xD8"));
    const FrameHeader frame = ReadFrameHeader(jpeg);
    EXPECT_EQ(frame.marker, 0xC0) << "not a baseline (SOF0) picture";
    EXPECT_EQ(frame.precision, 8);
    EXPECT_EQ(frame.width, GetParam().width);
    EXPECT_EQ(frame.height, GetParam().height);
    EXPECT_EQ(frame.components, 3);
}

TEST_P(CommittedPictures, DecodeToTheirSizeWithRealPictureContent) {
    const QImage image = DecodeJpegPicture(ReadResource(QString::fromLatin1(GetParam().path)));
    EXPECT_EQ(image.size(), QSize(GetParam().width, GetParam().height));
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    // Artwork, not a test pattern: a wide spread of colours.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 1000);
}

INSTANTIATE_TEST_SUITE_P(
    Resources, CommittedPictures,
    ::testing::Values(CommittedPicture{"Town", ":/pictures/town.jpg", 618, 400},
                      CommittedPicture{"Banner", ":/pictures/banner.jpg", 600, 39}),
    [](const auto& test) { return std::string(test.param.name); });

QByteArray Town() {
    return ReadResource(QStringLiteral(":/pictures/town.jpg"));
}

QByteArray WithZeroWidth(QByteArray jpeg) {
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    jpeg[sof + 7] = 0;
    jpeg[sof + 8] = 0;
    return jpeg;
}

struct DamagedCase {
    const char* name;
    QByteArray bytes;
};

TEST(JpegPicture, DamagedDataIsRefusedWithAClearError) {
    const QByteArray town = Town();
    ASSERT_FALSE(town.isEmpty());
    const DamagedCase cases[] = {
        {"empty", QByteArray()},
        {"not a JPEG", QByteArray("GIF89a this is not a JPEG picture at all")},
        {"start marker only", QByteArray("\xFF\xD8", 2)},
        {"header only", town.left(400)},
        {"cut in half", town.left(town.size() / 2)},
        {"last bytes lost", town.left(town.size() - 40)},
        {"zero width", WithZeroWidth(town)},
    };
    for (const DamagedCase& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            DecodeJpegPicture(c.bytes);
            ADD_FAILURE() << "decoded without an error";
        } catch (const Exception& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Cannot decode the JPEG picture: ")))
                << e.what();
            EXPECT_GT(e.message().size(), 33) << "the reason is missing";
        }
    }
}

TEST(JpegPicture, DecodesTheSamePictureEveryTime) {
    const QByteArray town = Town();
    EXPECT_EQ(DecodeJpegPicture(town), DecodeJpegPicture(town));
}

} // namespace
