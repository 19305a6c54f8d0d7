#include "Startup.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>

#include "AppConstants.h"
#include "OldLayoutMigration.h"
#include "RecordingCache.h"
#include "VXMATHIN.h"

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
