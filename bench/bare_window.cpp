// The start-up baseline: a Qt Widgets program that shows an empty window and leaves.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(875, 615);
    window.show();
    QTimer::singleShot(0, &application, &QApplication::quit);
    return application.exec();
}
