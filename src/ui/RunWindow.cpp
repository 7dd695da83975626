#include "ui/RunWindow.h"

#include "base/PhaseClock.h"
#include "base/WindowModule.h"
#include "ui/TForm1.h"

#include <QApplication>
#include <QPointer>

#include <filesystem>
#include <thread>

#if defined(QUILLET_HAVE_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

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
#if defined(QUILLET_HAVE_FONTCONFIG)
    // Reading fontconfig's configuration is the largest cost before the window can lay
    // out its first text, and it depends on nothing here: it runs on another core while
    // QApplication is made. Joined before the window asks for a font, so that the two
    // never load it side by side.
    std::thread fontConfiguration([] { FcInit(); });
#endif
    Application app(argc, argv);
#if defined(QUILLET_HAVE_FONTCONFIG)
    fontConfiguration.join();
#endif
    phases::mark("QApplication");
    QApplication::setApplicationName(QStringLiteral("クイレット V17"));
    const std::string argument = argc > 1 ? std::string(argv[1]) : std::string();
    // What the window does not show at first is made once it is on the screen.
    TForm1 window(argument, std::filesystem::current_path(), nullptr, nullptr, TForm1::HiddenParts::AfterFirstPaint);
    if (window.startupEnded())
        return 0;
    app.form = &window;
    window.show();
    phases::mark("show");
    const int status = app.exec();
    phases::mark("event loop end");
    phases::print("入力完了 to the end of the process:");
    // Every file was written whole and closed before the loop ended (「入力完了」 or the
    // close); tearing down the widgets and the display connection would only keep
    // Jw_cad waiting.
    platform::quickExit(status);
}

} // namespace quillet
