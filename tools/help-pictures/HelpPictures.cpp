// Draws the pictures of the help document from the program itself: each tip symbol
// and each frame kind as the output run writes them for Jw_cad, read back and
// painted, and the main window as it opens. Run by scripts/help-pictures.
//
// Usage: help_pictures OUTPUT_FOLDER
#include "base/Host.h"
#include "base/Number.h"
#include "base/Sjis.h"
#include "base/TextFile.h"
#include "program/CompleteInput.h"
#include "program/Startup.h"
#include "ui/TForm1.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <variant>
#include <vector>

using namespace quillet;

namespace {

const double kPi = 3.14159265358979323846;

class SilentHost : public Host {
public:
    void warning(const std::string &text) override
    {
        std::fprintf(stderr, "warning: %s\n", sjis::toUtf8(text).c_str());
    }
    void notice(const std::string &text) override { std::fprintf(stderr, "notice: %s\n", sjis::toUtf8(text).c_str()); }
    bool question(const std::string &) override { return false; }
    int screenHeight() const override { return 768; }
};

// --- The output lines read back as shapes, in drawing units (y up). ---

struct Segment {
    QPointF a, b;
};
struct Arc {
    QPointF centre;
    double radius, start, end, flatness, tilt; // degrees; a full circle runs 0..360
};
struct Solid {
    QPolygonF corners;
};
struct Disc {
    QPointF centre;
    double radius;
};
struct Text {
    QPointF at, direction;
    QString text;
    int bytes;
};
using Shape = std::variant<Segment, Arc, Solid, Disc, Text>;

std::vector<double> numbers(const std::string &line, std::size_t skip)
{
    std::istringstream in(line.substr(skip));
    std::vector<double> values;
    std::string token;
    while (in >> token)
        values.push_back(double(parseFloat(token)));
    return values;
}

// The fixed tail of a solid circle: a whole disc, not a filled part of an ellipse.
const std::string kDiscTail = " 1 0 0 3.1416 100";

// The shapes the pictures need; colours, layers, fills and font records are left out.
std::vector<Shape> readShapes(const Lines &output)
{
    std::vector<Shape> shapes;
    for (const std::string &line : output) {
        if (line.empty())
            continue;
        if (line[0] == ' ') {
            const auto v = numbers(line, 0);
            if (v.size() == 4)
                shapes.push_back(Segment{{v[0], v[1]}, {v[2], v[3]}});
        } else if (line.rfind("ci ", 0) == 0) {
            const auto v = numbers(line, 3);
            if (v.size() == 3)
                shapes.push_back(Arc{{v[0], v[1]}, v[2], 0, 360, 1, 0});
            else if (v.size() == 7)
                shapes.push_back(Arc{{v[0], v[1]}, v[2], v[3], v[4], v[5], v[6]});
        } else if (line.rfind("sc ", 0) == 0 && line.size() > kDiscTail.size() &&
                   line.compare(line.size() - kDiscTail.size(), kDiscTail.size(), kDiscTail) == 0) {
            const auto v = numbers(line, 3);
            shapes.push_back(Disc{{v[0], v[1]}, v[2]});
        } else if (line.rfind("sl ", 0) == 0) {
            const auto v = numbers(line, 3);
            QPolygonF corners;
            for (std::size_t i = 0; i + 1 < v.size(); i += 2)
                corners << QPointF(v[i], v[i + 1]);
            shapes.push_back(Solid{corners});
        } else if (line.rfind("ch ", 0) == 0) {
            const std::size_t quote = line.find('"');
            const auto v = numbers(line.substr(0, quote), 3);
            const std::string text = line.substr(quote + 1);
            if (v.size() == 4)
                shapes.push_back(
                    Text{{v[0], v[1]}, {v[2], v[3]}, QString::fromStdString(sjis::toUtf8(text)), int(text.size())});
        }
    }
    return shapes;
}

QPolygonF arcPoints(const Arc &arc)
{
    double end = arc.end;
    while (end <= arc.start)
        end += 360;
    const double tilt = arc.tilt * kPi / 180;
    QPolygonF points;
    const int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        const double t = (arc.start + (end - arc.start) * i / steps) * kPi / 180;
        const double x = arc.radius * std::cos(t), y = arc.radius * arc.flatness * std::sin(t);
        points << arc.centre +
                      QPointF(x * std::cos(tilt) - y * std::sin(tilt), x * std::sin(tilt) + y * std::cos(tilt));
    }
    return points;
}

QRectF boundsOf(const std::vector<Shape> &shapes)
{
    QPolygonF all;
    for (const Shape &shape : shapes) {
        if (auto s = std::get_if<Segment>(&shape))
            all << s->a << s->b;
        else if (auto a = std::get_if<Arc>(&shape))
            all << arcPoints(*a);
        else if (auto p = std::get_if<Solid>(&shape))
            all << p->corners;
        else if (auto d = std::get_if<Disc>(&shape))
            all << d->centre - QPointF(d->radius, d->radius) << d->centre + QPointF(d->radius, d->radius);
        else if (auto t = std::get_if<Text>(&shape)) {
            const double height = std::hypot(t->direction.x(), t->direction.y()) / std::max(1, t->bytes) * 2;
            const QPointF up =
                QPointF(-t->direction.y(), t->direction.x()) / std::hypot(t->direction.x(), t->direction.y());
            all << t->at << t->at + t->direction << t->at + up * height << t->at + t->direction + up * height;
        }
    }
    return all.boundingRect();
}

// The character height of a run: the widest line fills its record's length, one
// full-width character as high as it is wide; the other lines keep that height.
double textHeight(const std::vector<Shape> &shapes)
{
    double height = 0;
    for (const Shape &shape : shapes) {
        if (auto t = std::get_if<Text>(&shape)) {
            const double h = std::hypot(t->direction.x(), t->direction.y()) / std::max(1, t->bytes) * 2;
            height = height == 0 ? h : std::min(height, h);
        }
    }
    return height;
}

QImage paint(const std::vector<Shape> &shapes, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = boundsOf(shapes);
    const double margin = 6;
    const double scale = std::min((size.width() - 2 * margin) / std::max(bounds.width(), 1.0),
                                  (size.height() - 2 * margin) / std::max(bounds.height(), 1.0));
    // Drawing units (y up) to pixels (y down), centred.
    QTransform toPixels;
    toPixels.translate(size.width() / 2.0, size.height() / 2.0);
    toPixels.scale(scale, -scale);
    toPixels.translate(-bounds.center().x(), -bounds.center().y());
    painter.setPen(QPen(Qt::black, 1.2));
    for (const Shape &shape : shapes) {
        if (auto s = std::get_if<Segment>(&shape)) {
            painter.drawLine(toPixels.map(s->a), toPixels.map(s->b));
        } else if (auto a = std::get_if<Arc>(&shape)) {
            painter.drawPolyline(toPixels.map(arcPoints(*a)));
        } else if (auto p = std::get_if<Solid>(&shape)) {
            painter.setBrush(Qt::black);
            painter.drawPolygon(toPixels.map(p->corners));
            painter.setBrush(Qt::NoBrush);
        } else if (auto d = std::get_if<Disc>(&shape)) {
            painter.setBrush(Qt::black);
            painter.drawEllipse(toPixels.map(d->centre), d->radius * scale, d->radius * scale);
            painter.setBrush(Qt::NoBrush);
        } else if (auto t = std::get_if<Text>(&shape)) {
            QFont font(QStringLiteral("IPAGothic"));
            font.setPixelSize(std::max(1, int(std::lround(textHeight(shapes) * scale))));
            painter.save();
            painter.translate(toPixels.map(t->at));
            painter.rotate(-std::atan2(t->direction.y(), t->direction.x()) * 180 / kPi);
            painter.setFont(font);
            painter.drawText(QPointF(0, -QFontMetricsF(font).descent()), t->text);
            painter.restore();
        }
    }
    return image;
}

// --- A start directory in which the output run draws. ---

struct Points {
    const char *p1, *p2, *p3;
};

Lines exchangeWith(const Lines &sample, const Points &points)
{
    Lines lines = sample;
    for (std::string &line : lines) {
        if (line.rfind("hp1", 0) == 0)
            line = std::string("hp1 ") + points.p1;
        else if (line.rfind("hp2", 0) == 0)
            line = std::string("hp2 ") + points.p2;
        else if (line.rfind("hp3", 0) == 0)
            line = std::string("hp3 ") + points.p3;
    }
    return lines;
}

bool copyStartDirectory(const QString &to)
{
    const QDir data(QStringLiteral(QUILLET_SOURCE_DIR "/data/start"));
    for (const QString &name : data.entryList(QDir::Files)) {
        if (!QFile::copy(data.filePath(name), to + QLatin1Char('/') + name))
            return false;
    }
    return true;
}

QImage drawAnnotation(const std::filesystem::path &dir, const Points &points, Tip tip, FrameKind frame,
                      const Lines &memo, QSize size)
{
    const Lines sample = readLines(std::filesystem::path(QUILLET_SOURCE_DIR) / "data/samples/annotation.jwc_temp.txt");
    writeLines(dir / "jwc_temp.txt", exchangeWith(sample, points));
    Session session;
    SilentHost host;
    runStartup(session, host, "", dir);
    FormModel &form = session.form;
    form.tip = tip;
    form.frameKind = frame;
    form.attachPosition = 2;
    form.extensionMode = 0;
    form.slide = 0;
    form.tiltOn = false;
    form.fillOn = false;
    form.embeddedTextOn = false;
    form.fixedLeaderLength = false;
    form.memoLines = memo;
    const RunResult result = computeOutput(session);
    if (result.fault != RunFault::None)
        std::fprintf(stderr, "tip %d frame %d: %s\n", int(tip), int(frame), sjis::toUtf8(result.message).c_str());
    return paint(readShapes(result.output), size);
}

bool save(const QImage &image, const QString &folder, const QString &name)
{
    const QString path = folder + QLatin1Char('/') + name;
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The window as it opens on the demo start directory, and with the basic settings shown.
bool drawWindow(const QString &startDir, const QString &folder)
{
    const Lines sample = readLines(std::filesystem::path(QUILLET_SOURCE_DIR) / "data/samples/annotation.jwc_temp.txt");
    writeLines(std::filesystem::path(startDir.toStdString()) / "jwc_temp.txt", sample);
    SilentHost host;
    TForm1 form("", startDir.toStdString(), &host);
    QStringList memo;
    for (const std::string &line : readLines(std::filesystem::path(QUILLET_SOURCE_DIR) / "data/samples/memo.txt"))
        memo << QString::fromStdString(sjis::toUtf8(line));
    form.Memo1->setPlainText(memo.join(QLatin1Char('\n')));
    form.show();
    // Let the first-show work (presets, status text) run before the picture is taken.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    bool ok = save(form.grab().toImage(), folder, QStringLiteral("window.png"));
    form.SpeedButton4Click();
    QCoreApplication::processEvents();
    ok = save(form.grab().toImage(), folder, QStringLiteral("basic-settings.png")) && ok;
    form.hide();
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: help_pictures OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    // The start directory's name shows in the window's status bar.
    QTemporaryDir temporary;
    const QString startPath = temporary.path() + QStringLiteral("/jww");
    if (!temporary.isValid() || !QDir().mkpath(startPath) || !copyStartDirectory(startPath)) {
        std::fprintf(stderr, "cannot prepare a start directory\n");
        return 1;
    }
    const std::filesystem::path dir = startPath.toStdString();
    bool ok = true;

    // Tips close up: a short leader to a short text.
    const Points close{"2620.5 3210.25", "3020.5 3610.25", "4020.5 3610.25"};
    for (int tip = 0; tip <= 7; ++tip) {
        const QImage image = drawAnnotation(dir, close, Tip(tip), FrameKind::None, {sjis::fromUtf8("注釈")}, {120, 80});
        ok = save(image, folder, QStringLiteral("tip-%1.png").arg(tip)) && ok;
    }
    // Frames: two lines of text, the extension running 1200 units on to point 3.
    const Points frame{"1820.5 2610.25", "3020.5 3810.25", "4220.5 3810.25"};
    const Lines memo{sjis::fromUtf8("注釈文字"), sjis::fromUtf8("２行目")};
    for (int kind = 0; kind <= 14; ++kind) {
        const QImage image = drawAnnotation(dir, frame, Tip::Arrow2, FrameKind(kind), memo, {160, 100});
        ok = save(image, folder, QStringLiteral("frame-%1.png").arg(kind)) && ok;
    }
    ok = drawWindow(startPath, folder) && ok;
    return ok ? 0 : 1;
}
