// tavorin-artgen: draws every picture of the launcher window and, when asked,
// the demo game folder. The drawing code is the source of the artwork; the
// written files are its output and are committed beside the window's code.

#include "Cameras.h"
#include "DemoFolder.h"
#include "Emblems.h"
#include "Face.h"
#include "PictureFiles.h"
#include "Quantise.h"
#include "Text.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <cstdio>
#include <stdexcept>

using namespace tavorin::art;

namespace {

struct FaceButton
{
    const char* name;
    QRect place;
    ButtonPictures pictures;
};

void writeGifButton(const QString& folder, const FaceButton& button, const QImage& indexedFace)
{
    // The idle picture is cut from the finished face, so both share every pixel and palette entry.
    writeGif(indexedFace.copy(button.place), QStringLiteral("%1/%2_idle.gif").arg(folder, button.name));
    writeGif(toIndexed(button.pictures.hover), QStringLiteral("%1/%2_hover.gif").arg(folder, button.name));
    writeGif(toIndexed(button.pictures.down), QStringLiteral("%1/%2_down.gif").arg(folder, button.name));
}

void writeFace(const QString& folder)
{
    const QImage bare = faceWithoutButtons();
    const QList<FaceButton> buttons { { "minimise", place::kMinimise, minimiseTab(bare) },
        { "close", place::kClose, closeTab(bare) }, { "eye", place::kEye, eye(bare) },
        { "maker", place::kMaker, makerLogo(bare) } };
    QImage face = bare;
    QPainter painter(&face);
    for (const FaceButton& button : buttons)
        painter.drawImage(button.place.topLeft(), button.pictures.idle);
    painter.end();
    const QImage indexedFace = toIndexed(face);
    writeGif(indexedFace, folder + "/background.gif");
    for (const FaceButton& button : buttons)
        writeGifButton(folder, button, indexedFace);
}

void writeCameras(const QString& folder)
{
    const std::pair<const char*, QColor> frames[] = { { "idle", QColor(0, 0, 0) },
        { "hover", QColor(255, 255, 255) }, { "down", QColor(40, 200, 70) } };
    for (int camera = 1; camera <= 12; ++camera) {
        const QImage view = cameraView(camera);
        for (const auto& [state, colour] : frames) {
            writeBmp24(framedCameraView(view, colour),
                QStringLiteral("%1/camera%2_%3.bmp")
                    .arg(folder)
                    .arg(camera, 2, 10, QLatin1Char('0'))
                    .arg(state));
        }
    }
}

QImage pixelArtIconImage(int size, bool sixteenColours)
{
    return sixteenColours ? footballInVgaColours(size) : football(size, false);
}

void writeIconAndCursor(const QString& folder)
{
    QList<IconImage> images;
    for (int size : { 16, 32 })
        images.append({ pixelArtIconImage(size, true), 4 });
    for (int size : { 16, 32, 48 })
        images.append({ pixelArtIconImage(size, false), 8 });
    // Smoothing blurs a ball of 16 pixels, so the smallest true-colour image stays pixel art too.
    for (int size : { 16, 32, 48 })
        images.append({ football(size, size > 16), 32 });
    writeIco(images, folder + "/tavorin.ico");
    writeCur({ pointingHand(), 4 }, kHandHotSpot, folder + "/hand.cur");
}

void writePictures(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw std::runtime_error("cannot make the folder " + folder.toStdString());
    writeFace(folder);
    writeCameras(folder);
    writeBmp24(commandBar(QStringLiteral("Save Settings")), folder + "/save_settings.bmp");
    writeBmp24(commandBar(QStringLiteral("Play FIFA 2005")), folder + "/play.bmp");
    writeIconAndCursor(folder);
}

QImage load(const QString& path)
{
    QImage picture(path);
    if (picture.isNull())
        throw std::runtime_error("cannot read back " + path.toStdString());
    return picture.convertToFormat(QImage::Format_ARGB32);
}

// The face as the window shows it, every button idle, read back from the written files.
QImage composedWindow(const QString& pictures)
{
    QImage window = load(pictures + "/background.gif");
    QPainter painter(&window);
    painter.drawImage(place::kMinimise.topLeft(), load(pictures + "/minimise_idle.gif"));
    painter.drawImage(place::kClose.topLeft(), load(pictures + "/close_idle.gif"));
    painter.drawImage(place::kEye.topLeft(), load(pictures + "/eye_idle.gif"));
    painter.drawImage(place::kMaker.topLeft(), load(pictures + "/maker_idle.gif"));
    for (int camera = 1; camera <= 12; ++camera) {
        painter.drawImage(place::cameraPosition(camera),
            load(QStringLiteral("%1/camera%2_idle.bmp").arg(pictures).arg(camera, 2, 10, QLatin1Char('0'))));
    }
    return window;
}

// Every other picture on one sheet, at twice its size: the states of each button side by side.
QImage sheet(const QString& pictures)
{
    QImage sheet(800, 2000, QImage::Format_ARGB32);
    sheet.fill(QColor(60, 60, 70));
    QPainter painter(&sheet);
    int x = 8, y = 8, rowHeight = 0;
    auto put = [&](const QImage& picture) {
        const QImage big = picture.scaled(picture.size() * 2);
        if (x + big.width() > sheet.width()) {
            x = 8;
            y += rowHeight + 8;
            rowHeight = 0;
        }
        painter.drawImage(x, y, big);
        x += big.width() + 8;
        rowHeight = std::max(rowHeight, big.height());
    };
    auto newRow = [&] { x = sheet.width(); };
    for (const char* name : { "minimise", "close", "eye", "maker" }) {
        for (const char* state : { "idle", "hover", "down" })
            put(load(QStringLiteral("%1/%2_%3.gif").arg(pictures, name, state)));
    }
    for (int camera = 1; camera <= 12; ++camera) {
        if (camera % 2)
            newRow();
        for (const char* state : { "idle", "hover", "down" })
            put(load(QStringLiteral("%1/camera%2_%3.bmp")
                         .arg(pictures)
                         .arg(camera, 2, 10, QLatin1Char('0'))
                         .arg(state)));
    }
    newRow();
    put(load(pictures + "/save_settings.bmp"));
    put(load(pictures + "/play.bmp"));
    QImageReader icon(pictures + "/tavorin.ico");
    for (int i = 0; i < icon.imageCount(); ++i) {
        icon.jumpToImage(i);
        put(icon.read().convertToFormat(QImage::Format_ARGB32).scaled(QSize(96, 96) / 2 * 2));
    }
    put(load(pictures + "/hand.cur").scaled(64, 64));
    return sheet.copy(0, 0, sheet.width(), y + rowHeight + 8);
}

void writePreview(const QString& pictures, const QString& folder)
{
    QDir().mkpath(folder);
    const QImage window = composedWindow(pictures);
    for (const auto& [image, name] : { std::pair { window, "preview.png" },
             std::pair { window.scaled(window.size() * 2), "preview@2x.png" },
             std::pair { sheet(pictures), "sheet.png" } }) {
        if (!image.save(folder + '/' + name))
            throw std::runtime_error("cannot write the preview " + std::string(name));
    }
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs fonts, and fonts need a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Draws the launcher's pictures and the demo game folder.");
    parser.addHelpOption();
    parser.addPositionalArgument("pictures", "folder for the window's pictures (src/ui/pictures)");
    parser.addPositionalArgument("demo", "folder for the demo game (demo), optional", "[demo]");
    parser.addOption(
        { "preview", "also write preview.png, preview@2x.png and sheet.png into <folder>", "folder" });
    parser.process(app);
    const QStringList folders = parser.positionalArguments();
    if (folders.isEmpty() || folders.size() > 2)
        parser.showHelp(2);
    try {
        registerFonts();
        writePictures(folders[0]);
        if (folders.size() == 2)
            writeDemoFolder(folders[1]);
        if (parser.isSet("preview"))
            writePreview(folders[0], parser.value("preview"));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tavorin-artgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
