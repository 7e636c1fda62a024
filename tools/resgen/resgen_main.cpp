// romwise-resgen OUTPUT_DIR: draws the Win32 window's artwork with the Qt
// window's own drawing code and writes it as Windows resource files (the
// icons, the two bitmaps and the logo animation as a video clip), with the
// resource script that names them and the window's strings. The Windows build
// runs it and compiles the script into romwise.exe.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "model/control_ids.h"
#include "tools/resgen/avi_file.h"
#include "tools/resgen/bitmap_files.h"
#include "tools/resgen/resource_script.h"
#include "ui/common/dialog_templates.h"
#include "ui/common/resource_ids.h"
#include "ui/qt/artwork.h"
#include "ui/qt/dialog_units.h"

namespace {

using namespace romwise;
using namespace romwise::resgen;

// The dialog base units of the Song face at 10 points on a 96-dpi screen, as
// the system's dialog manager (and wine's, for the stand-in face) makes them.
// Pictures are drawn for them; the window stretches them where its font
// gives other units.
constexpr ui::DialogBaseUnits kReferenceUnits{7, 14};
// A border of one pixel on every side.
constexpr int kBorderPixels = 2;

constexpr int kApplicationIconSizes[] = {16, 32, 48};
constexpr int kAboutIconSizes[] = {32, 48};

Picture pictureOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Picture picture{argb.width(), argb.height(), {}};
    picture.pixels.reserve(static_cast<std::size_t>(argb.width()) *
                           static_cast<std::size_t>(argb.height()));
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            picture.pixels.push_back(argb.pixel(x, y));
        }
    }
    return picture;
}

// The pixel size of a main-dialog control, less its border.
QSize controlPixels(const ui::ControlTemplate& control, int border) {
    const QRect rect = ui::dialogRectToPixels(kReferenceUnits, control.x, control.y, control.width,
                                              control.height);
    return rect.size() - QSize(border, border);
}

// The main dialog's control with this id.
const ui::ControlTemplate& mainControl(int id) {
    for (const ui::ControlTemplate& control : ui::kMainDialogTemplate.controls) {
        if (control.id == id) {
            return control;
        }
    }
    throw std::runtime_error("the main dialog template lacks a control the artwork needs");
}

const ui::ControlTemplate& decorativePictureControl() {
    return ui::kMainDialogTemplate.controls[static_cast<std::size_t>(ui::kDecorativePictureIndex)];
}

Bytes icon(std::span<const int> sizes) {
    std::vector<Picture> pictures;
    for (const int size : sizes) {
        pictures.push_back(pictureOf(ui::applicationIconPixmap(size).toImage()));
    }
    return iconFile(pictures);
}

Bytes logoClip() {
    const QSize size = controlPixels(mainControl(control::kLogo), kBorderPixels);
    std::vector<Picture> frames;
    for (int frame = 0; frame < ui::kLogoFrameCount; ++frame) {
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        ui::drawLogoFrame(painter, image.rect(), frame);
        painter.end();
        frames.push_back(pictureOf(image));
    }
    VideoClip clip;
    clip.width = size.width();
    clip.height = size.height();
    clip.microsecondsPerFrame = static_cast<std::uint32_t>(ui::kLogoFrameMilliseconds) * 1000;
    clip.frames = quantize(frames);
    return aviFile(clip);
}

void writeFile(const QString& path, const Bytes& bytes) {
    std::ofstream out(QFile::encodeName(path).toStdString(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

void writeText(const QString& path, const std::string& text) {
    writeFile(path, Bytes(text.begin(), text.end()));
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* kUsage =
        "usage: romwise-resgen OUTPUT_DIR\n"
        "Draws the Windows window's icons, bitmaps and logo clip into OUTPUT_DIR\n"
        "and writes romwise-resources.rc, which names them for the resource compiler.\n";
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // An option is not taken for the output folder.
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // Drawing needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    try {
        const QDir output(QString::fromLocal8Bit(argv[1]));
        if (!output.exists() && !QDir().mkpath(output.path())) {
            throw std::runtime_error("cannot create " + output.path().toStdString());
        }
        struct Written {
            int id;
            const char* type;
            const char* name;
            Bytes bytes;
        };
        const Written files[] = {
            {ui::resource::kApplicationIcon, "ICON", "application.ico",
             icon(kApplicationIconSizes)},
            {ui::resource::kAboutIcon, "ICON", "about.ico", icon(kAboutIconSizes)},
            {ui::resource::kDetailsBitmap, "BITMAP", "details.bmp",
             bitmapFile(pictureOf(
                 ui::detailsPicture(controlPixels(mainControl(control::kDetailsPicture), 0))
                     .toImage()))},
            {ui::resource::kDecorativeBitmap, "BITMAP", "decorative.bmp",
             bitmapFile(pictureOf(
                 ui::decorativePicture(controlPixels(decorativePictureControl(), kBorderPixels))
                     .toImage()))},
            {ui::resource::kLogoClip, "AVI", "logo.avi", logoClip()},
        };
        std::vector<FileResource> resources;
        for (const Written& file : files) {
            const QString path = output.absoluteFilePath(QString::fromLatin1(file.name));
            writeFile(path, file.bytes);
            resources.push_back({file.id, file.type, QFile::encodeName(path).toStdString()});
        }
        writeText(output.absoluteFilePath(QStringLiteral("romwise-resources.rc")),
                  resourceScript(resources,
                                 {{ui::resource::kAboutCommandString, ui::kAboutCommandText}}));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "romwise-resgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
