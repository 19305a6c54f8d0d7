#include "ColorScale.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>
#include <cstdio>

#include "AppConstants.h"
#include "ColorText.h"
#include "GlobalState.h"

namespace {

const QColor kWhite(255, 255, 255);

}  // namespace

ColorOfPressMap loadProgramColorScale() {
    ColorOfPressMap map;
    loadColorOfPressMap(map,
                        app::resourcePath("Config_Color.ini"));
    return map;
}

void loadColorOfPressMap(GlobalState& state) { state.colorOfPressMap = loadProgramColorScale(); }

void loadColorOfPressMap(ColorOfPressMap& map, const QString& iniPath) {
    map.clear();
    for (int value = 0; value <= kHighestPressValue; ++value) {
        map.insert(value, QColor());
    }
    std::printf("loadColorOfPressMap() %s \r\n", iniPath.toUtf8().constData());

    QSettings settings(iniPath, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    settings.beginGroup("colorOfPress");
    for (const QString& key : settings.childKeys()) {
        map.insert(key.toInt(), stringToColor(settings.value(key, "255,255,255")));
    }
    settings.endGroup();

    // Every value without a colour of its own takes the colour of the nearest key below it.
    QColor running = kWhite;
    for (auto it = map.find(0); it != map.end() && it.key() <= kHighestPressValue; ++it) {
        if (it->isValid()) {
            running = *it;
        } else {
            *it = running;
        }
    }
}

void getColorOfPress(const ColorOfPressMap& map, int value, int& red, int& green, int& blue) {
    QColor color = kWhite;
    // Compared as unsigned, so negative values land above 4095 too.
    if (static_cast<unsigned int>(value) < static_cast<unsigned int>(kHighestPressValue)) {
        const auto it = map.constFind(value);
        if (it != map.constEnd() && it->isValid()) {
            color = *it;
        }
    }
    red = color.red();
    green = color.green();
    blue = color.blue();
}
