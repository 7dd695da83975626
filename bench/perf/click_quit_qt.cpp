// The floor for 「入力完了」 to the end of the process: the minimal window with a button
// in 入力完了's place that ends the program the ordinary way. Measured with the same
// xdotool click, it leaves the click's own cost out of quillet's figure.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QString::fromUtf8("minimal クイレット"));
    w.resize(731, 576);
    auto *l = new QLabel(QString::fromUtf8("注釈文字"), &w);
    l->move(17, 53);
    auto *b = new QPushButton(QString::fromUtf8("入力完了"), &w);
    b->setGeometry(572, 4, 155, 32);
    QObject::connect(b, &QPushButton::clicked, &app, &QApplication::quit);
    w.show();
    return app.exec();
}
