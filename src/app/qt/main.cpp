// The desktop program's entry point.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Pellmark");
    label.show();
    return app.exec();
}
