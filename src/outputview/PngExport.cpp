#include "outputview/PngExport.h"

#include "drawing/RunPicture.h"
#include "outputview/PicturePainter.h"

#include <QGuiApplication>

#include <exception>
#include <memory>

namespace quillet::outputview {

bool writeRunPng(const Lines &output, const Lines &exchange, bool frameMode, int width, int height,
                 const std::filesystem::path &file, std::string &error)
{
    // Fonts and painting need an application object; the batch mode has none and
    // may run where there is no display.
    static int argc = 3;
    static char name[] = "quillet", platformOption[] = "-platform", offscreen[] = "offscreen";
    static char *argv[] = {name, platformOption, offscreen, nullptr};
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        // The batch mode's standard error carries its own messages only.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    try {
        const QByteArray png = pngOf(drawing::pictureOfRun(output, exchange, frameMode), QSize(width, height));
        if (png.isEmpty()) {
            error = "the image could not be encoded";
            return false;
        }
        writeBytesAtomically(file, png.toStdString());
        return true;
    } catch (const std::exception &e) {
        error = e.what();
        return false;
    }
}

} // namespace quillet::outputview
