#include "SimCommand.h"
#include "Version.h"

#include <QCoreApplication>

#include <atomic>
#include <csignal>
#include <unistd.h>

namespace {

std::atomic<bool> stopAsked{false};

// Ctrl+C: the run stops at the end of the blocks being dealt and writes what it dealt.
extern "C" void askStop(int) {
    stopAsked.store(true);
}

} // namespace

int main(int argc, char** argv) {
    const Ranks ranks = startRanks(&argc, &argv);
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("hitwise-sim");
    QCoreApplication::setApplicationVersion(HITWISE_VERSION);
    std::signal(SIGINT, askStop);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = runSimCommand(QCoreApplication::arguments(), out, err, ranks, stopAsked,
                                     ranks.rank == 0 && isatty(STDERR_FILENO));
    out.flush();
    err.flush();
    endRanks();
    return status;
}
