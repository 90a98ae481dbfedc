// The baseline for the process figures: the smallest Qt Widgets program that shows a window of
// the main window's size. Ends on SIGTERM like any Qt program that installs nothing.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Minimal");
    window.resize(614, 367);
    window.show();
    return QApplication::exec();
}
