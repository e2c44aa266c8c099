// The toolkit's floor for idle cost: the bare window with one label blinking every 500 ms.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Blink"));
    window.menuBar()->addAction(QStringLiteral("&Help"));
    window.menuBar()->addAction(QStringLiteral("&About"));
    auto* client = new QWidget;
    window.setCentralWidget(client);
    auto* label = new QLabel(QStringLiteral("              Hit"), client);
    label->move(13, 414);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, label,
                     [label] { label->setHidden(!label->isHidden()); });
    timer.start(500);
    window.resize(688, 466);
    window.show();
    return QApplication::exec();
}
