// Time of what the output view does after a change of the choices: the dry run of
// 入力完了 and the painting of its picture into a 640 × 480 window, for every golden
// start directory. Prints milliseconds per redraw against the budget of one frame at
// 60 Hz (16 ms); nothing here passes or fails.
#include "StartDirectory.h"

#include "base/TextFile.h"
#include "outputview/PicturePainter.h"
#include "program/OutputPicture.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace quillet;
namespace fs = std::filesystem;

namespace {

/// Median milliseconds of one dry run and paint.
double redrawMilliseconds(const Session &s, QImage &image, std::size_t &items)
{
    std::vector<double> samples;
    for (int round = 0; round < 200; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const OutputPicture picture = dryRunPicture(s);
        image.fill(Qt::white);
        QPainter painter(&image);
        outputview::paintPicture(painter, picture.picture,
                                 outputview::fitTransform(outputview::pictureExtent(picture.picture),
                                                          QRectF(image.rect())));
        painter.end();
        items = picture.picture.items.size();
        samples.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QImage image(640, 480, QImage::Format_ARGB32_Premultiplied);
    double worst = 0;
    std::string worstName;
    const std::vector<fs::path> cases =
        bench::startDirectories(fs::path(QUILLET_SOURCE_DIR) / "tests" / "fixtures" / "golden");
    std::printf("%-22s %6s %10s\n", "golden case", "items", "ms/redraw");
    for (const fs::path &golden : cases) {
        Session s;
        if (!bench::batchSessionOf(golden, s))
            continue;
        std::size_t items = 0;
        const double ms = redrawMilliseconds(s, image, items);
        std::printf("%-22s %6zu %10.3f\n", golden.filename().string().c_str(), items, ms);
        if (ms > worst)
            worst = ms, worstName = golden.filename().string();
    }
    std::printf("heaviest: %s, %.3f ms against the budget of 16 ms (%s)\n", worstName.c_str(), worst,
                worst <= 16 ? "within" : "OVER");
    return 0;
}
