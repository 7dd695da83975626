#include "ui/RunWindow.h"

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
    return app.exec();
}

} // namespace quillet
