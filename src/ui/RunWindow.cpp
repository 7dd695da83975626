#include "ui/RunWindow.h"

#include "base/PhaseClock.h"
#include "base/WindowModule.h"
#include "ui/FontConfigWarmUp.h"
#include "ui/TForm1.h"

#include <QApplication>
#include <QPointer>

#include <filesystem>

namespace quillet {

namespace {

// Errors thrown from an event handler end up here instead of unwinding through Qt.
class Application : public QApplication {
public:
    using QApplication::QApplication;
    QPointer<TForm1> form;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &error) {
            if (form)
                form->AppException(error);
            return false;
        }
    }
};

} // namespace

int runWindow(int argc, char **argv)
{
    phases::start();
    // Made first, so that it is ended last: the reading overlaps QApplication and the
    // window's appearance on the screen.
    ui::FontConfigWarmUp fontConfiguration;
    Application app(argc, argv);
    phases::mark("QApplication");
    QApplication::setApplicationName(QStringLiteral("クイレット V17"));
    const std::string argument = argc > 1 ? std::string(argv[1]) : std::string();
    // On the screen as soon as start-up has placed it, unless start-up ended the program.
    TForm1 window(argument, std::filesystem::current_path(), nullptr, nullptr, TForm1::Pace::ScreenFirst);
    if (window.startupEnded())
        return 0;
    app.form = &window;
    const int status = app.exec();
    phases::mark("event loop end");
    phases::print("入力完了 to the end of the process:");
    // Every file was written whole and closed before the loop ended (「入力完了」 or the
    // close); tearing down the widgets and the display connection would only keep
    // Jw_cad waiting.
    platform::quickExit(status);
}

} // namespace quillet
