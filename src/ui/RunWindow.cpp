#include "ui/RunWindow.h"

#include <QApplication>
#include <QMessageBox>

namespace quillet {

int runWindow(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMessageBox::information(nullptr, QString::fromUtf8("クイレット V17"),
                             QString::fromUtf8("The main window is not built yet; use --batch."));
    return 0;
}

} // namespace quillet
