// The JPEG codec on files made here with libjpeg: colour, greyscale, CMYK,
// EXIF-rotated, progressive, truncated and otherwise damaged.
#include "TestJpeg.h"

#include "data/DbError.h"
#include "photo/JpegCodec.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zel;
using phototest::colourDistance;
using phototest::Layout;
using phototest::makeJpeg;

namespace {

constexpr QRgb kRed = qRgb(220, 30, 30);
constexpr QRgb kBlue = qRgb(30, 40, 210);
constexpr QRgb kGreen = qRgb(40, 180, 60);
constexpr QRgb kYellow = qRgb(230, 210, 40);

/// Left half red, right half blue.
QRgb halves(int x, int, int width)
{
    return x < width / 2 ? kRed : kBlue;
}

/// Four quadrants: red, green / blue, yellow.
QRgb quadrants(int x, int y, int width, int height)
{
    if (y < height / 2)
        return x < width / 2 ? kRed : kGreen;
    return x < width / 2 ? kBlue : kYellow;
}

/// A picture with fine detail everywhere, so that its compressed data is long.
QRgb noise(int x, int y)
{
    const quint32 h = quint32(x) * 2654435761u ^ quint32(y) * 40503u;
    return qRgb(int(h & 0xff), int((h >> 8) & 0xff), int((h >> 16) & 0xff));
}

class JpegCodecTest : public ::testing::Test {
protected:
    QTemporaryDir folder;

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    /// The message of the IoError that reading path raises; empty when none is raised.
    static QString failureOf(const QString& path)
    {
        try {
            JpegCodec::readFile(path);
        } catch (const IoError& failure) {
            return failure.message();
        }
        return {};
    }
};

TEST_F(JpegCodecTest, ColourFileDecodesToItsPixels)
{
    const QString path = write(QStringLiteral("colour.jpg"),
                               makeJpeg(64, 48, Layout::Colour, [](int x, int y) { return quadrants(x, y, 64, 48); }));
    const QImage image = JpegCodec::readFile(path);
    ASSERT_EQ(image.size(), QSize(64, 48));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_LT(colourDistance(image.pixel(10, 10), kRed), 24);
    EXPECT_LT(colourDistance(image.pixel(54, 10), kGreen), 24);
    EXPECT_LT(colourDistance(image.pixel(10, 38), kBlue), 24);
    EXPECT_LT(colourDistance(image.pixel(54, 38), kYellow), 24);
    EXPECT_EQ(qAlpha(image.pixel(30, 30)), 255);
}

TEST_F(JpegCodecTest, ProgressiveFileDecodesLikeABaselineOne)
{
    const QString path = write(QStringLiteral("progressive.jpg"),
                               makeJpeg(64, 48, Layout::Colour, [](int x, int y) { return quadrants(x, y, 64, 48); },
                                        {}, true));
    const QImage image = JpegCodec::readFile(path);
    ASSERT_EQ(image.size(), QSize(64, 48));
    EXPECT_LT(colourDistance(image.pixel(54, 38), kYellow), 24);
}

TEST_F(JpegCodecTest, GreyscaleFileGivesGreyPixelsOfItsLevels)
{
    const QString path = write(QStringLiteral("grey.jpg"),
                               makeJpeg(80, 16, Layout::Grey, [](int x, int) { return x < 40 ? qRgb(40, 40, 40) : qRgb(200, 200, 200); }));
    const QImage image = JpegCodec::readFile(path);
    ASSERT_EQ(image.size(), QSize(80, 16));
    for (const QPoint at : {QPoint(10, 8), QPoint(70, 8)}) {
        const QRgb c = image.pixel(at);
        EXPECT_EQ(qRed(c), qGreen(c));
        EXPECT_EQ(qGreen(c), qBlue(c));
    }
    EXPECT_NEAR(qRed(image.pixel(10, 8)), 40, 6);
    EXPECT_NEAR(qRed(image.pixel(70, 8)), 200, 6);
}

TEST_F(JpegCodecTest, CmykFilesWithAndWithoutAdobeMarkerGiveTheirColours)
{
    for (const Layout layout : {Layout::AdobeCmyk, Layout::PlainCmyk}) {
        const QString path = write(QStringLiteral("cmyk.jpg"), makeJpeg(64, 48, layout, [](int x, int y) {
                                       return quadrants(x, y, 64, 48);
                                   }));
        const QImage image = JpegCodec::readFile(path);
        ASSERT_EQ(image.size(), QSize(64, 48));
        EXPECT_LT(colourDistance(image.pixel(10, 10), kRed), 30) << int(layout);
        EXPECT_LT(colourDistance(image.pixel(54, 10), kGreen), 30) << int(layout);
        EXPECT_LT(colourDistance(image.pixel(10, 38), kBlue), 30) << int(layout);
        EXPECT_LT(colourDistance(image.pixel(54, 38), kYellow), 30) << int(layout);
    }
}

TEST_F(JpegCodecTest, ExifOrientationTurnsThePictureUpright)
{
    // Stored 40 x 20, red on the left and blue on the right.
    auto stored = [](int x, int y) { return halves(x, y, 40); };
    struct Case {
        int orientation;
        bool bigEndian;
        QSize size;
        QPoint red;   // where the red half ends up
        QPoint blue;
    };
    const Case cases[] = {
        {1, false, QSize(40, 20), QPoint(5, 10), QPoint(35, 10)},
        {2, false, QSize(40, 20), QPoint(35, 10), QPoint(5, 10)},   // mirrored
        {3, false, QSize(40, 20), QPoint(35, 10), QPoint(5, 10)},   // upside down
        {6, false, QSize(20, 40), QPoint(10, 5), QPoint(10, 35)},   // held turned right: left side is the top
        {6, true, QSize(20, 40), QPoint(10, 5), QPoint(10, 35)},
        {8, false, QSize(20, 40), QPoint(10, 35), QPoint(10, 5)},   // held turned left: left side is the bottom
        {5, false, QSize(20, 40), QPoint(10, 5), QPoint(10, 35)},
        {7, false, QSize(20, 40), QPoint(10, 35), QPoint(10, 5)},
    };
    for (const Case& c : cases) {
        const QString path = write(QStringLiteral("exif.jpg"),
                                   makeJpeg(40, 20, Layout::Colour, stored,
                                            phototest::exifWithOrientation(c.orientation, c.bigEndian)));
        const QImage image = JpegCodec::readFile(path);
        ASSERT_EQ(image.size(), c.size) << c.orientation;
        EXPECT_LT(colourDistance(image.pixel(c.red), kRed), 30) << c.orientation;
        EXPECT_LT(colourDistance(image.pixel(c.blue), kBlue), 30) << c.orientation;
    }
}

TEST_F(JpegCodecTest, OrientationTagIsReadOnlyFromWellFormedExifData)
{
    EXPECT_EQ(JpegCodec::exifOrientation(phototest::exifWithOrientation(6)), 6);
    EXPECT_EQ(JpegCodec::exifOrientation(phototest::exifWithOrientation(8, true)), 8);
    // Out of range, cut short, not EXIF at all: upright.
    EXPECT_EQ(JpegCodec::exifOrientation(phototest::exifWithOrientation(9)), 1);
    EXPECT_EQ(JpegCodec::exifOrientation(phototest::exifWithOrientation(6).left(30)), 1);
    EXPECT_EQ(JpegCodec::exifOrientation(QByteArray("http://ns.adobe.com/xap/1.0/\0", 29)), 1);
    QByteArray badOffset = phototest::exifWithOrientation(6);
    badOffset[6 + 4] = char(0xf0);  // IFD0 offset far beyond the data
    EXPECT_EQ(JpegCodec::exifOrientation(badOffset), 1);
}

TEST_F(JpegCodecTest, TruncatedFileIsRefusedWithAMessageNamingIt)
{
    const QByteArray whole = makeJpeg(256, 192, Layout::Colour, noise);
    ASSERT_GT(whole.size(), 20000);
    const QString path = write(QStringLiteral("обрезанный снимок.jpg"), whole.left(whole.size() / 2));
    const QString message = failureOf(path);
    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("повреждён или записан не до конца"))) << message.toStdString();
    // The whole file reads.
    EXPECT_EQ(JpegCodec::readFile(write(QStringLiteral("whole.jpg"), whole)).size(), QSize(256, 192));
}

TEST_F(JpegCodecTest, DamagedEmptyMissingAndOversizedFilesAreRefused)
{
    QByteArray damaged = makeJpeg(256, 192, Layout::Colour, noise);
    for (qsizetype i = damaged.size() / 3; i < damaged.size() / 3 + 400; ++i)
        damaged[i] = char(0xff);  // markers in the middle of the data
    for (const auto& [name, bytes] : std::initializer_list<std::pair<QString, QByteArray>>{
             {QStringLiteral("damaged.jpg"), damaged},
             {QStringLiteral("empty.jpg"), QByteArray()},
             {QStringLiteral("text.jpg"), QByteArray("not a picture at all")},
             {QStringLiteral("header-only.jpg"), makeJpeg(16, 16, Layout::Colour, noise).left(200)}}) {
        const QString path = write(name, bytes);
        const QString message = failureOf(path);
        EXPECT_TRUE(message.contains(path)) << name.toStdString() << ": " << message.toStdString();
    }

    const QString missing = folder.filePath(QStringLiteral("нет такого.jpg"));
    EXPECT_EQ(failureOf(missing), QStringLiteral("Не удаётся открыть файл \"%1\".").arg(missing));

    // A header claiming 65000 x 65000 points is refused before any memory is taken.
    QByteArray huge = makeJpeg(16, 16, Layout::Colour, noise);
    const qsizetype sof = huge.indexOf(QByteArray("\xff\xc0", 2));
    ASSERT_GT(sof, 0);
    for (int i : {5, 7})
        huge[sof + i] = char(0xfd), huge[sof + i + 1] = char(0xe8);
    const QString message = failureOf(write(QStringLiteral("huge.jpg"), huge));
    EXPECT_TRUE(message.contains(QStringLiteral("слишком велик"))) << message.toStdString();
}

TEST_F(JpegCodecTest, RandomlyDamagedFilesDecodeOrFailWithAMessage)
{
    const QByteArray good = makeJpeg(96, 64, Layout::Colour, noise, phototest::exifWithOrientation(6));
    quint32 seed = 7;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = good;
        const int hits = 1 + int(next() % 8);
        for (int i = 0; i < hits; ++i)
            bytes[qsizetype(next() % quint32(bytes.size()))] = char(next() >> 16);
        if (round % 5 == 0)
            bytes.truncate(qsizetype(next() % quint32(bytes.size())));
        try {
            const QImage image = JpegCodec::decode(bytes, QStringLiteral("random.jpg"));
            EXPECT_FALSE(image.isNull());
            EXPECT_EQ(image.format(), QImage::Format_RGB32);
        } catch (const IoError& failure) {
            ++refused;
            EXPECT_TRUE(failure.message().contains(QStringLiteral("random.jpg")));
        }
    }
    // Most damage is noticed; none of it crashes or escapes as another error.
    EXPECT_GT(refused, 200);
}

TEST_F(JpegCodecTest, EncodingGivesABaselineColourFileOfTheChosenQuality)
{
    QImage picture(120, 160, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 2, y + 40, (x + y) / 2 + (x / 10 % 2) * 60));

    const QByteArray best = JpegCodec::encode(picture, 100);
    const QByteArray worst = JpegCodec::encode(picture, 1);
    const phototest::HeaderFacts facts = phototest::readHeader(best);
    EXPECT_EQ(facts.width, 120);
    EXPECT_EQ(facts.height, 160);
    EXPECT_EQ(facts.components, 3);
    EXPECT_EQ(facts.space, JCS_YCbCr);
    EXPECT_FALSE(facts.progressive);
    EXPECT_LT(worst.size() * 3, best.size());

    // Quality 0 and below count as 1, above 100 as 100.
    EXPECT_EQ(JpegCodec::encode(picture, 0), worst);
    EXPECT_EQ(JpegCodec::encode(picture, 150), best);

    // Quality 100 keeps the picture closely; quality 1 does not.
    const QImage back = JpegCodec::decode(best, QStringLiteral("best"));
    const QImage rough = JpegCodec::decode(worst, QStringLiteral("worst"));
    qint64 bestError = 0, roughError = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            bestError += colourDistance(back.pixel(x, y), picture.pixel(x, y));
            roughError += colourDistance(rough.pixel(x, y), picture.pixel(x, y));
        }
    EXPECT_LT(bestError * 3, roughError);
    EXPECT_LT(bestError / (120 * 160), 8);

    EXPECT_TRUE(JpegCodec::encode(QImage(), 50).isEmpty());
    // Pictures with an alpha channel are encoded as colour too.
    EXPECT_EQ(phototest::readHeader(JpegCodec::encode(picture.convertToFormat(QImage::Format_ARGB32), 80)).components, 3);
}

}  // namespace
