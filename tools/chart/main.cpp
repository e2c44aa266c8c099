#include "ChartCommand.h"
#include "Version.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// hitwise-chart-pdf, from the folder this program runs from (its real one, links followed).
QByteArray pdfProgram() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "hitwise-chart-pdf";
    QByteArray program(path, int(length));
    return program.left(program.lastIndexOf('/') + 1) + "hitwise-chart-pdf";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("hitwise-chart");
    QCoreApplication::setApplicationVersion(HITWISE_VERSION);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (asksForPdf(arguments)) {
        const QByteArray program = pdfProgram();
        execv(program.constData(), argv);
        err << "hitwise-chart: cannot start " << program
            << " to write the PDF: " << std::strerror(errno) << "\n";
        return 1;
    }
    return runChartCommand(arguments, out, err);
}
