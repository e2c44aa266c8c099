#include "Application.h"
#include "bj.h"

#include <QIcon>
#include <QScreen>

int main(int argc, char** argv) {
    Application app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

    TForm1 form;
    if (const QScreen* screen = form.screen()) {
        QRect place = form.frameGeometry();
        place.moveCenter(screen->availableGeometry().center());
        form.move(place.topLeft());
    }
    form.show();
    return QApplication::exec();
}
