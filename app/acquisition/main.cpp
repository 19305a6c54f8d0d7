// Tessaly: plantar-pressure workstation.
#include <QApplication>
#include <QTranslator>

#include "AnalysisResults.h"
#include "ColorScale.h"
#include "GlobalState.h"
#include "OldLayoutMigration.h"
#include "Startup.h"
#include "forcePlateUILib.h"

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication application(argc, argv);
    const MigrationResult migration = migrateOldLayoutOnce();
    installFontSubstitutions();
    loadColorOfPressMap(globalState());
    QTranslator translator;
    installChineseQtTranslation(translator);
    removeStaleRecordingCaches();
    printMathLibraryCheck();
    globalState().analysisResults = new AnalysisResults;

    // Recordings named on the command line (a file manager's "open with") open at start.
    forcePlateUILib window(application.arguments().mid(1));
    window.show();
    showMigrationMessage(&window, migration);
    return application.exec();
}
