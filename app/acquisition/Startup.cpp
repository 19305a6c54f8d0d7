#include "Startup.h"

#include <QCoreApplication>
#include <QFont>
#include <QTranslator>
#include <cstdio>

#include "AppConstants.h"
#include "RecordingCache.h"
#include "VXMATHIN.h"

void installFontSubstitutions() {
    for (const char* family :
         {"Microsoft YaHei", "Microsoft Yahei UI", "Microsoft YaHei UI", "微软雅黑"})
        QFont::insertSubstitution(QString::fromUtf8(family), "WenQuanYi Micro Hei");
}

bool installChineseQtTranslation(QTranslator& translator) {
    if (!translator.load(":/forcePlateUILib/Resources/qt_zh_CN.qm")) return false;
    return QCoreApplication::installTranslator(&translator);
}

void removeStaleRecordingCaches() {
    const int removed = removeStaleCacheFolders(
        recordingCacheRoot(QCoreApplication::applicationDirPath()), app::kDataDirectory);
    if (removed > 0) std::printf("removed %d stale recording cache folder(s)\r\n", removed);
}

void printMathLibraryCheck() {
    VX::VXMATHIN math;
    std::printf("VX::VXMATHIN.cos(1) return %f  \r\n", math.cos(1.0));
    std::fflush(stdout);
}
