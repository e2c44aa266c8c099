#include "ChartCommand.h"

#include <QGuiApplication>

#include <cstring>
#include <memory>

namespace {

// Whether the command line asks for a PDF: only then is a GUI application made (the PDF writer
// needs one), drawing offscreen when there is no display.
bool wantsPdf(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--format=pdf") == 0) return true;
        if (std::strcmp(argv[i], "--format") == 0 && i + 1 < argc &&
            std::strcmp(argv[i + 1], "pdf") == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> application;
    if (wantsPdf(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
            qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName("hitwise-chart");
    QCoreApplication::setApplicationVersion("1.0");
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runChartCommand(QCoreApplication::arguments(), out, err);
}
