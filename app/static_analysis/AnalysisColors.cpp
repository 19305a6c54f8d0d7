#include "AnalysisColors.h"

#include <QSettings>

#include "AppConstants.h"
#include "AtomicWrite.h"
#include "ColorText.h"

const AnalysisColorSetting kEightAreaLineColor{"colorSettings/eightAreaLine", QColor(255, 0, 0)};
const AnalysisColorSetting kLeftFootPercentColor{"colorSettings/leftFootPercent",
                                                 QColor(105, 148, 205)};
const AnalysisColorSetting kRightFootPercentColor{"colorSettings/rightFootPercent",
                                                  QColor(246, 209, 113)};

QString analysisColorsIniPath() { return app::applicationIniPath("ConfigColor.ini"); }

QColor readAnalysisColor(const QString& iniPath, const QString& key, const QColor& fallback) {
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    const QColor color = stringToColor(ini.value(key, colorToString(fallback)));
    return color.isValid() ? color : fallback;
}

bool writeAnalysisColor(const QString& iniPath, const QString& key, const QColor& color) {
    return updateIniFile(iniPath, [&](QSettings& ini) { ini.setValue(key, colorToString(color)); })
        .isEmpty();
}
