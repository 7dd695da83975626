// Writes the reference images of the setting preview into a folder. They are made
// once, looked at against the design coordinates, and then kept as the expectation.
#include "preview/PreviewPainter.h"
#include "preview/ReferenceCases.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const previewtest::ReferenceCase &c : previewtest::referenceCases()) {
        const QImage image = quillet::preview::renderPreview(c.inputs, previewtest::kWidth, previewtest::kHeight);
        if (!image.save(folder.filePath(c.file))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(folder.filePath(c.file)));
            return 1;
        }
    }
    return 0;
}
