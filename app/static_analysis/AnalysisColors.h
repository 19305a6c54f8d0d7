// The three drawing colours of the static analysis, kept in "ConfigColor.ini" as
// "red,green,blue" texts under the group "colorSettings".
#pragma once

#include <QColor>
#include <QString>

struct AnalysisColorSetting {
    const char* key;
    QColor defaultColor;  // used while the file has no value for the key
};

// Lines between the eight foot zones; left foot's load share; right foot's load share.
extern const AnalysisColorSetting kEightAreaLineColor;
extern const AnalysisColorSetting kLeftFootPercentColor;
extern const AnalysisColorSetting kRightFootPercentColor;

// ConfigColor.ini in the config folder (app::applicationIniPath).
QString analysisColorsIniPath();

// The stored colour of key, or fallback when the file or the key is missing or the text is
// not a colour.
QColor readAnalysisColor(const QString& iniPath, const QString& key, const QColor& fallback);

// Stores color under key. False when the file could not be written.
bool writeAnalysisColor(const QString& iniPath, const QString& key, const QColor& color);
