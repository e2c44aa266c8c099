#include "ChartCommand.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("hitwise-chart");
    QCoreApplication::setApplicationVersion("1.0");
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runChartCommand(QCoreApplication::arguments(), out, err);
}
