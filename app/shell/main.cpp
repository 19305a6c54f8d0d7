// Tessaly: plantar-pressure workstation.
#include <QApplication>

#include "Startup.h"

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication application(argc, argv);
    return runTessaly(application);
}
