// The yardstick for the Linux program's start-up and memory: a bare Qt program that shows one
// small window and waits.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("qtbarewin");
    window.resize(82, 32);
    window.show();
    return QApplication::exec();
}
