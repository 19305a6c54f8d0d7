#include "Startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>

#include "AppConstants.h"
#include "ColorScale.h"
#include "OldLayoutMigration.h"
#include "RecordingCache.h"
#include "VXMATHIN.h"
#include "forcePlateUILib.h"
#include "libPladex.h"

void installFontSubstitutions() {
    for (const char* family :
         {"Microsoft YaHei", "Microsoft Yahei UI", "Microsoft YaHei UI", "微软雅黑"})
        QFont::insertSubstitution(QString::fromUtf8(family), "WenQuanYi Micro Hei");
}

// Qt's own texts are in qtbase_zh_CN.qm. Debian's qt_zh_CN.qm is only a catalogue naming it,
// which loads nothing unless qtbase_zh_CN.qm lies beside it: so the texts themselves are
// embedded, and the system's copy is the fallback.
bool installChineseQtTranslation(QTranslator& translator) {
    const bool loaded =
        translator.load(":/forcePlateUILib/Resources/qtbase_zh_CN.qm") ||
        translator.load("qtbase_zh_CN", QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    return loaded && QCoreApplication::installTranslator(&translator);
}

void removeStaleRecordingCaches() {
    const int removed = removeStaleCacheFolders(app::cacheDirectory(), app::dataDirectory());
    if (removed > 0) std::printf("removed %d stale recording cache folder(s)\r\n", removed);
}

MigrationResult migrateOldLayoutOnce() {
    return migrateOldLayout(QCoreApplication::applicationDirPath(), appFolders());
}

void showMigrationMessage(QWidget* window, const MigrationResult& migration) {
    if (migration.message.isEmpty()) return;
    const QMessageBox::Icon icon = migration.outcome == MigrationResult::Outcome::Migrated
                                       ? QMessageBox::Information
                                       : QMessageBox::Warning;
    auto* box = new QMessageBox(icon, "提示", migration.message, QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void printMathLibraryCheck() {
    VX::VXMATHIN math;
    std::printf("VX::VXMATHIN.cos(1) return %f  \r\n", math.cos(1.0));
    std::fflush(stdout);
}

int runTessaly(QApplication& application, const std::function<void(forcePlateUILib&)>& whenShown) {
    const MigrationResult migration = migrateOldLayoutOnce();
    installFontSubstitutions();
    const ColorOfPressMap scale = loadProgramColorScale();
    QTranslator translator;
    installChineseQtTranslation(translator);
    removeStaleRecordingCaches();
    printMathLibraryCheck();

    int status = 0;
    {
        // Recordings named on the command line (a file manager's "open with") open at start.
        forcePlateUILib window(scale, application.arguments().mid(1));
        window.show();
        showMigrationMessage(&window, migration);
        if (whenShown) whenShown(window);
        status = application.exec();
    }
    LibPladex_StopReceiving();
    return status;
}
