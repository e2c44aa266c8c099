// hitwise-chart for a PDF chart: the same command, with Qt's PDF writer, which needs a GUI
// application (drawing offscreen when there is no display). hitwise-chart starts it.
#include "ChartCommand.h"
#include "ChartPdf.h"
#include "Version.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName("hitwise-chart");
    QCoreApplication::setApplicationVersion(HITWISE_VERSION);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const PdfWriters writers{charts::pdf, charts::plotPdf};
    return runChartCommand(QCoreApplication::arguments(), out, err, &writers);
}
