#include "Application.h"
#include "bj.h"

#include <QIcon>
#include <QScreen>

int main(int argc, char** argv) {
    // The window's updates are small (the blinking advice above all): sending their pixels
    // with the request costs less than shared memory, which needs a round trip per paint.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
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
