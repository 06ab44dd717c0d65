// The committed pictures, read back as the window and the platform read them:
// real formats and sizes, the icon's and cursor's inner structure, and the
// pictures that must line up with the face they lie on.

#include "controls/PictureButton.h"
#include "controls/PropertyBag.h"
#include "ui/FormLayout.h"
#include "ui/Pictures.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QString kPictures = QStringLiteral(TAVORIN_SOURCE_DIR "/src/ui/pictures/");
const QString kDemo = QStringLiteral(TAVORIN_SOURCE_DIR "/demo/");

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 le16(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}
quint32 le32(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

QImage picture(const QString& name)
{
    return QImage(kPictures + name).convertToFormat(QImage::Format_ARGB32);
}

// Where PictureButton<number> lies: its pictures are exactly its size.
QRect placeOf(int button)
{
    const QString name = QStringLiteral("PictureButton%1").arg(button);
    const auto& places = tavorin::formLayout();
    return std::find_if(places.begin(), places.end(), [&](const auto& place) {
        return name == place.name;
    })->rect;
}

// The file of one state of PictureButton<number>: the minimise and close tabs, twelve cameras, the
// eye and the maker's logo.
QString buttonFile(int button, const char* state)
{
    const char* const onTheFace[] = { "minimise", "close", "eye", "maker" };
    if (button >= 3 && button <= 14)
        return QStringLiteral("camera%1_%2.bmp").arg(button - 2, 2, 10, QLatin1Char('0')).arg(state);
    return QStringLiteral("%1_%2.gif").arg(onTheFace[button <= 2 ? button - 1 : button - 13], state);
}

// No two pictures look alike, so the tests of which button holds which file tell them apart, and
// every button looks different in each of its states. Each button reads its own three files. The
// window lays the buttons of the face over their drawn copies, where a stray pixel shows as a seam;
// a camera's frame is black, white under the pointer and green while pressed.
TEST(Pictures, HaveTheirFormatAndSizeAndNoTwoLookAlikeAndTheButtonsHoldTheirOwn)
{
    struct File
    {
        QString name;
        QByteArray format;
        QSize size;
    };
    std::vector<File> files { { "background.gif", "gif", { 430, 449 } },
        { "save_settings.bmp", "bmp", { 154, 33 } }, { "play.bmp", "bmp", { 154, 33 } },
        { "tavorin.ico", "ico", { 16, 16 } }, { "hand.cur", "ico", { 32, 32 } } };
    const QImage face = picture("background.gif");
    for (int button = 1; button <= 16; ++button) {
        SCOPED_TRACE(button);
        tavorin::PictureButton held;
        held.ReadProperties(tavorin::pictures::pictureButtonProperties(button));
        for (const auto& [read, state] : { std::pair { held.picture(), "idle" },
                 std::pair { held.pictureHover(), "hover" }, std::pair { held.pictureDown(), "down" } }) {
            const QString name = buttonFile(button, state);
            files.push_back({ name, name.right(3).toLatin1(), placeOf(button).size() });
            ASSERT_TRUE(read) << state;
            EXPECT_EQ(read->pixmap().toImage().convertToFormat(QImage::Format_ARGB32), picture(name))
                << state;
        }
        if (button < 3 || button > 14) {
            EXPECT_EQ(face.copy(placeOf(button)), picture(buttonFile(button, "idle")));
            continue;
        }
        EXPECT_EQ(picture(buttonFile(button, "idle")).pixelColor(0, 22), QColor(Qt::black));
        EXPECT_EQ(picture(buttonFile(button, "hover")).pixelColor(59, 22), QColor(Qt::white));
        const QColor green = picture(buttonFile(button, "down")).pixelColor(30, 44);
        EXPECT_GT(green.green(), 2 * std::max(green.red(), green.blue()));
    }
    QHash<QByteArray, QString> seen;
    for (const File& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        QImageReader reader(kPictures + file.name);
        EXPECT_EQ(reader.format(), file.format);
        EXPECT_EQ(reader.size(), file.size);
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        const QByteArray look(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        EXPECT_FALSE(seen.contains(look)) << "looks like " << seen.value(look).toStdString();
        seen.insert(look, file.name);
    }
}

// Each image is a ball with a red star in the middle, on a transparent ground.
TEST(Icon, HoldsEightImagesOfTheListedSizesAndDepths)
{
    const std::vector<std::pair<int, int>> expected { { 16, 4 }, { 32, 4 }, { 16, 8 }, { 32, 8 }, { 48, 8 },
        { 16, 32 }, { 32, 32 }, { 48, 32 } }; // size, bits per pixel
    const QByteArray bytes = fileBytes(kPictures + "tavorin.ico");
    ASSERT_GE(bytes.size(), 6 + 16 * 8);
    EXPECT_EQ(le16(bytes, 2), 1) << "type icon";
    ASSERT_EQ(le16(bytes, 4), expected.size());
    QImageReader reader(kPictures + "tavorin.ico");
    ASSERT_EQ(reader.imageCount(), int(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto [size, bits] = expected[i];
        SCOPED_TRACE(testing::Message() << "image " << i);
        const int entry = 6 + 16 * int(i);
        EXPECT_EQ(uchar(bytes[entry]), size);
        EXPECT_EQ(uchar(bytes[entry + 1]), size);
        EXPECT_EQ(uchar(bytes[entry + 2]), bits == 4 ? 16 : 0) << "colour count";
        EXPECT_EQ(le16(bytes, entry + 6), bits);
        const quint32 length = le32(bytes, entry + 8);
        const quint32 offset = le32(bytes, entry + 12);
        ASSERT_LE(offset + length, quint32(bytes.size()));
        // The image itself must agree with its directory entry.
        EXPECT_EQ(le32(bytes, offset), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(le32(bytes, offset + 8), quint32(size * 2)) << "colour and mask rows";
        EXPECT_EQ(le16(bytes, offset + 14), bits);

        ASSERT_TRUE(reader.jumpToImage(int(i)));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "the corner outside the ball is transparent";
        const QColor centre = image.pixelColor(size / 2, size / 2);
        EXPECT_EQ(centre.alpha(), 255);
        EXPECT_GT(centre.red(), 180);
        EXPECT_LT(centre.green(), 80);
#ifndef Q_OS_WIN
        // The build cuts the true-colour images into PNGs for the hicolor theme with ImageMagick;
        // Qt, reading the same icon on its own, must see exactly those pixels.
        const QString png
            = QStringLiteral(TAVORIN_BINARY_DIR "/icons/hicolor/%1x%1/apps/tavorin.png").arg(size);
        if (bits == 32) {
            EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_ARGB32), image) << png.toStdString();
        }
#endif
    }
}

TEST(HandCursor, IsOneImageOf32PixelsWithTheHotSpotOnTheFingertip)
{
    const QByteArray bytes = fileBytes(kPictures + "hand.cur");
    ASSERT_GE(bytes.size(), 22);
    EXPECT_EQ(le16(bytes, 2), 2) << "type cursor";
    EXPECT_EQ(le16(bytes, 4), 1);
    EXPECT_EQ(uchar(bytes[6]), 32);
    EXPECT_EQ(uchar(bytes[7]), 32);
    const QPoint hotSpot(le16(bytes, 10), le16(bytes, 12));
    EXPECT_EQ(hotSpot, QPoint(12, 1));

    const QImage hand = picture("hand.cur");
    EXPECT_GT(qAlpha(hand.pixel(hotSpot)), 0) << "the hot spot is on the hand";
    for (int y = 0; y < hotSpot.y(); ++y)
        EXPECT_EQ(qAlpha(hand.pixel(hotSpot.x(), y)), 0) << "nothing of the hand lies above the fingertip";
    EXPECT_EQ(qAlpha(hand.pixel(31, 31)), 0);
}

TEST(DemoLogos, EveryCatalogueTeamHasAJpegThatFitsTheLogoBox)
{
    const QByteArray teams = fileBytes(kDemo + "teams.ini");
    ASSERT_FALSE(teams.isEmpty());
    const QList<QByteArray> lines = teams.split('\n');
    EXPECT_TRUE(lines.back().isEmpty()) << "the last record ends with a line break";
    const QRegularExpression record(QStringLiteral("^\"[^\"]+\",(\\d+)\r$"));
    for (const QByteArray& line : lines.mid(0, lines.size() - 1)) {
        const QRegularExpressionMatch match = record.match(QString::fromLatin1(line));
        ASSERT_TRUE(match.hasMatch()) << line.toStdString();
        QImageReader logo(kDemo + "data/EASO/fifa/images/logos/logo" + match.captured(1) + ".jpg");
        EXPECT_EQ(logo.format(), "jpeg") << line.toStdString();
        EXPECT_LE(logo.size().width(), 81);
        EXPECT_LE(logo.size().height(), 73);
    }
}

} // namespace
