// The application icon: one icon file with the 16 images the program carries.
#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using SizeAndDepth = std::pair<int, int>;

QByteArray IconBytes() {
    QFile file(QStringLiteral(":/icon/phonebook.ico"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 U16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 U32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

std::vector<SizeAndDepth> Expected() {
    std::vector<SizeAndDepth> all;
    for (int depth : {4, 8, 32})
        for (int size : {16, 24, 32, 48})
            all.emplace_back(size, depth);
    for (int size : {64, 72, 96, 128})
        all.emplace_back(size, 32);
    std::sort(all.begin(), all.end());
    return all;
}

// The bytes a BMP-in-ICO image of this size and depth takes: header, palette, colour rows
// and AND-mask rows, each row padded to four bytes.
qsizetype DibSize(int size, int depth) {
    const qsizetype palette = depth <= 8 ? (qsizetype(1) << depth) * 4 : 0;
    const qsizetype colourRow = ((size * depth + 31) / 32) * 4;
    const qsizetype maskRow = ((size + 31) / 32) * 4;
    return 40 + palette + (colourRow + maskRow) * size;
}

TEST(PhonebookIcon, DirectoryListsTheSixteenImagesOfTheApplicationIcon) {
    const QByteArray ico = IconBytes();
    ASSERT_GE(ico.size(), 6);
    EXPECT_EQ(U16(ico, 0), 0);
    EXPECT_EQ(U16(ico, 2), 1) << "not an icon file";
    ASSERT_EQ(U16(ico, 4), 16);
    std::vector<SizeAndDepth> found;
    for (int i = 0; i < 16; ++i) {
        const qsizetype entry = 6 + 16 * i;
        const int width = static_cast<unsigned char>(ico[entry]);
        const int height = static_cast<unsigned char>(ico[entry + 1]);
        const int colours = static_cast<unsigned char>(ico[entry + 2]);
        const int depth = U16(ico, entry + 6);
        const quint32 bytes = U32(ico, entry + 8);
        const quint32 offset = U32(ico, entry + 12);
        SCOPED_TRACE(testing::Message() << "image " << i << ": " << width << " px, " << depth);
        EXPECT_EQ(width, height);
        EXPECT_EQ(colours, depth == 4 ? 16 : 0);
        ASSERT_LE(qsizetype(offset) + bytes, ico.size());
        // The image itself: a bitmap header of the same size (height doubled for the mask).
        EXPECT_EQ(U32(ico, offset), 40u);
        EXPECT_EQ(qint32(U32(ico, offset + 4)), width);
        EXPECT_EQ(qint32(U32(ico, offset + 8)), 2 * height);
        EXPECT_EQ(U16(ico, offset + 14), depth);
        EXPECT_EQ(qsizetype(bytes), DibSize(width, depth));
        found.emplace_back(width, depth);
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, Expected());
}

TEST(PhonebookIcon, QtReadsEveryImage) {
    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("ico"))
        << "Qt's ICO image plugin is missing";
    QByteArray ico = IconBytes();
    QBuffer buffer(&ico);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    ASSERT_EQ(reader.imageCount(), 16);
    std::vector<int> sizes;
    for (int i = 0; i < 16; ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.width(), image.height());
        EXPECT_TRUE(image.hasAlphaChannel());
        EXPECT_EQ(qAlpha(image.pixel(0, image.height() - 1)), 0) << "corner not transparent";
        EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
        sizes.push_back(image.width());
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes,
              (std::vector<int>{16, 16, 16, 24, 24, 24, 32, 32, 32, 48, 48, 48, 64, 72, 96, 128}));
}

TEST(PhonebookIcon, LoadsAsAnIconWithAllItsSizes) {
    const QIcon icon(QStringLiteral(":/icon/phonebook.ico"));
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 24, 32, 48, 64, 72, 96, 128})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

} // namespace
