// tessaly-cli: looks into recorded data files without the program's window.
#include <QCoreApplication>

#include "cli_commands.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return runCli(arguments, stdout, stderr);
}
