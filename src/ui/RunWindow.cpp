#include "ui/RunWindow.h"

#include "base/WindowModule.h"
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
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("クイレット V17"));
    const std::string argument = argc > 1 ? std::string(argv[1]) : std::string();
    TForm1 window(argument, std::filesystem::current_path());
    if (window.startupEnded())
        return 0;
    app.form = &window;
    window.show();
    const int status = app.exec();
    // Every file was written whole and closed before the loop ended (「入力完了」 or the
    // close); tearing down the widgets and the display connection would only keep
    // Jw_cad waiting.
    platform::quickExit(status);
}

} // namespace quillet
