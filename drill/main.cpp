#include "Application.h"
#include "DrillWindow.h"
#include "ProgramFolder.h"

#include <QIcon>
#include <QRandomGenerator>
#include <QStandardPaths>

int main(int argc, char** argv) {
    Application app(argc, argv);
    QApplication::setApplicationName("hitwise-drill");
    QApplication::setApplicationDisplayName("Hitwise Drill");
    QApplication::setDesktopFileName("com.example.hitwise.drill");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

    // HITWISE_DRILL_SEED repeats a sequence of hands (for tests); otherwise every run differs.
    bool seeded = false;
    const std::uint32_t seed = qEnvironmentVariableIntValue("HITWISE_DRILL_SEED", &seeded);
    DrillWindow window(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                       programFolder(), seeded ? seed : QRandomGenerator::global()->generate());
    window.show();
    return QApplication::exec();
}
