// The toolkit's floor for the benchmark: an empty main window with a menu bar of two items.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.menuBar()->addAction(QStringLiteral("&Help"));
    window.menuBar()->addAction(QStringLiteral("&About"));
    window.resize(688, 466);
    window.show();
    return QApplication::exec();
}
