// tessaly-cli: looks into recorded data files and writes their reports without the program's
// window, and records the plates on the network.
#include <QApplication>
#include <QLoggingCategory>
#include <cstring>

#include "cli_commands.h"
#include "record_command.h"
#include "report_command.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "report") == 0) {
        // The report is drawn by the program's own widgets, off screen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication application(argc, argv);
        // The balance view's trajectory painter is an OpenGL widget, which gets no context off
        // screen; the report does not show it.
        QLoggingCategory::setFilterRules("qt.qpa.backingstore.warning=false");
        QStringList arguments = QCoreApplication::arguments();
        arguments.erase(arguments.begin(), arguments.begin() + 2);
        return runReportCommand(arguments, stdout, stderr);
    }
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (!arguments.isEmpty() && arguments[0] == "record") {
        arguments.removeFirst();
        const int status = runRecordCommand(arguments, stdout, stderr);
        std::fflush(stdout);
        return status;
    }
    return runCli(arguments, stdout, stderr);
}
