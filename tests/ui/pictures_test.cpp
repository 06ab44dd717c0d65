// The committed pictures, read back as the window and the platform read them:
// real formats and sizes, the icon's and cursor's inner structure, and the
// pictures that must line up with the face they lie on.

#include "controls/PropertyBag.h"
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

QString cameraName(int camera, const char* state)
{
    return QStringLiteral("camera%1_%2.bmp").arg(camera, 2, 10, QLatin1Char('0')).arg(QLatin1String(state));
}

struct PictureFile
{
    QString name;
    QByteArray format;
    int width;
    int height;
};

std::vector<PictureFile> allPictures()
{
    std::vector<PictureFile> files { { "background.gif", "gif", 430, 449 },
        { "save_settings.bmp", "bmp", 154, 33 }, { "play.bmp", "bmp", 154, 33 },
        { "tavorin.ico", "ico", 16, 16 }, { "hand.cur", "ico", 32, 32 } };
    for (const char* state : { "idle", "hover", "down" }) {
        files.push_back({ QStringLiteral("minimise_%1.gif").arg(state), "gif", 25, 29 });
        files.push_back({ QStringLiteral("close_%1.gif").arg(state), "gif", 25, 29 });
        files.push_back({ QStringLiteral("eye_%1.gif").arg(state), "gif", 95, 85 });
        files.push_back({ QStringLiteral("maker_%1.gif").arg(state), "gif", 158, 86 });
        for (int camera = 1; camera <= 12; ++camera)
            files.push_back({ cameraName(camera, state), "bmp", 60, 45 });
    }
    return files;
}

using EveryPicture = testing::TestWithParam<PictureFile>;

TEST_P(EveryPicture, HasItsFormatAndSize)
{
    const PictureFile& expected = GetParam();
    QImageReader reader(kPictures + expected.name);
    EXPECT_EQ(reader.format(), expected.format);
    EXPECT_EQ(reader.size(), QSize(expected.width, expected.height));
    EXPECT_FALSE(reader.read().isNull()) << reader.errorString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pictures, EveryPicture, testing::ValuesIn(allPictures()),
    [](const testing::TestParamInfo<PictureFile>& info) {
        return QString(info.param.name).replace('.', '_').toStdString();
    });

struct IconEntry
{
    int size;
    int bitsPerPixel;
};

// Each image is a ball with a red star in the middle, on a transparent ground.
TEST(Icon, HoldsEightImagesOfTheListedSizesAndDepths)
{
    const std::vector<IconEntry> expected { { 16, 4 }, { 32, 4 }, { 16, 8 }, { 32, 8 }, { 48, 8 }, { 16, 32 },
        { 32, 32 }, { 48, 32 } };
    const QByteArray bytes = fileBytes(kPictures + "tavorin.ico");
    ASSERT_GE(bytes.size(), 6 + 16 * 8);
    EXPECT_EQ(le16(bytes, 2), 1) << "type icon";
    ASSERT_EQ(le16(bytes, 4), expected.size());
    QImageReader reader(kPictures + "tavorin.ico");
    ASSERT_EQ(reader.imageCount(), int(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "image " << i);
        const int entry = 6 + 16 * int(i);
        EXPECT_EQ(uchar(bytes[entry]), expected[i].size);
        EXPECT_EQ(uchar(bytes[entry + 1]), expected[i].size);
        EXPECT_EQ(uchar(bytes[entry + 2]), expected[i].bitsPerPixel == 4 ? 16 : 0) << "colour count";
        EXPECT_EQ(le16(bytes, entry + 6), expected[i].bitsPerPixel);
        const quint32 length = le32(bytes, entry + 8);
        const quint32 offset = le32(bytes, entry + 12);
        ASSERT_LE(offset + length, quint32(bytes.size()));
        // The image itself must agree with its directory entry.
        EXPECT_EQ(le32(bytes, offset), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(le32(bytes, offset + 8), quint32(expected[i].size * 2)) << "colour and mask rows";
        EXPECT_EQ(le16(bytes, offset + 14), expected[i].bitsPerPixel);

        ASSERT_TRUE(reader.jumpToImage(int(i)));
        const QImage image = reader.read();
        EXPECT_EQ(image.size(), QSize(expected[i].size, expected[i].size));
        const int middle = expected[i].size / 2;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "the corner outside the ball is transparent";
        const QColor centre = image.pixelColor(middle, middle);
        EXPECT_EQ(centre.alpha(), 255);
        EXPECT_GT(centre.red(), 180);
        EXPECT_LT(centre.green(), 80);
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

// No two pictures look alike, so the tests of which button holds which file tell them apart,
// and every button looks different in each of its states.
TEST(Pictures, NoTwoLookAlike)
{
    QHash<QByteArray, QString> seen;
    for (const PictureFile& file : allPictures()) {
        const QImage image = picture(file.name);
        const QByteArray look(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        EXPECT_FALSE(seen.contains(look))
            << file.name.toStdString() << " = " << seen.value(look).toStdString();
        seen.insert(look, file.name);
    }
}

TEST(ButtonPictures, CameraFramesAreBlackWhiteAndGreen)
{
    for (int camera = 1; camera <= 12; ++camera) {
        SCOPED_TRACE(camera);
        EXPECT_EQ(picture(cameraName(camera, "idle")).pixelColor(0, 22), QColor(Qt::black));
        EXPECT_EQ(picture(cameraName(camera, "hover")).pixelColor(59, 22), QColor(Qt::white));
        const QColor green = picture(cameraName(camera, "down")).pixelColor(30, 44);
        EXPECT_GT(green.green(), 2 * std::max(green.red(), green.blue()));
    }
}

// The idle pictures are read at once, the others on first use: each must still be the button's own file.
TEST(ButtonPictures, EveryButtonHoldsItsOwnThreeFiles)
{
    const QStringList faces { "minimise_%1.gif", "close_%1.gif", "eye_%1.gif", "maker_%1.gif" };
    for (int button = 1; button <= 16; ++button) {
        const bool camera = button >= 3 && button <= 14;
        const QString files
            = camera ? cameraName(button - 2, "%1") : faces[button <= 2 ? button - 1 : button - 13];
        const tavorin::PropertyBag stored = tavorin::pictures::pictureButtonProperties(button);
        for (const auto& [property, state] :
            { std::pair { "picture", "idle" }, { "picturehover", "hover" }, { "picturedown", "down" } }) {
            const tavorin::Picture held = stored.ReadProperty(property, nullptr);
            ASSERT_TRUE(held) << button << " " << property;
            EXPECT_EQ(
                held->pixmap().toImage().convertToFormat(QImage::Format_ARGB32), picture(files.arg(state)))
                << button << " " << property;
        }
    }
}

// The window lays these buttons over their drawn copies on the face; a stray pixel shows as a seam.
TEST(Background, UnderTheFaceButtonsEqualsTheirIdlePictures)
{
    const QImage face = picture("background.gif");
    for (const auto& [name, topLeft] :
        { std::pair { "eye_idle.gif", QPoint(168, 32) }, { "maker_idle.gif", QPoint(264, 32) },
            { "minimise_idle.gif", QPoint(376, 0) }, { "close_idle.gif", QPoint(400, 0) } }) {
        const QImage idle = picture(name);
        EXPECT_EQ(face.copy(QRect(topLeft, idle.size())), idle) << name;
    }
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
