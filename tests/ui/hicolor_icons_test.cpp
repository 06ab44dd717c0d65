#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

// The build cuts the icon's true-colour images into PNGs for the hicolor theme with
// ImageMagick; Qt, reading the same icon on its own, must see exactly those pixels.
TEST(HicolorIcons, HoldExactlyTheTrueColourImagesOfTheWindowIcon)
{
    QImageReader reader(QStringLiteral(TAVORIN_SOURCE_DIR "/src/ui/pictures/tavorin.ico"));
    QList<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        // Qt's icon reader notes each image's bit count in this text key.
        if (image.text(QStringLiteral("_q_icoOrigDepth")) != QLatin1String("32"))
            continue;
        sizes << image.width();
        const QString png
            = QStringLiteral(TAVORIN_BINARY_DIR "/icons/hicolor/%1x%1/apps/tavorin.png").arg(image.width());
        const QImage cut(png);
        ASSERT_FALSE(cut.isNull()) << "missing " << png.toStdString();
        EXPECT_EQ(cut.convertToFormat(QImage::Format_ARGB32), image.convertToFormat(QImage::Format_ARGB32))
            << png.toStdString();
    }
    EXPECT_EQ(sizes, (QList<int> { 16, 32, 48 }));
}
