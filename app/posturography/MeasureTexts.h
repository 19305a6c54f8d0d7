// What the program's pages and the report say about each standard measure: its Chinese name,
// its group and a one-sentence definition, by the measure's key.
#pragma once

#include <QString>
#include <vector>

#include "Posturography.h"

struct MeasureText {
    const char* key;
    const char* name;        // e.g. "平均速度"
    const char* definition;  // one sentence, for a tooltip
};

// The text of a measure key (the time-domain keys, and "power" … "dispersion" of a spectrum);
// nullptr for an unknown key.
const MeasureText* measureText(const char* key);

// One row of a measures table: group, name, axis, value with its unit, definition.
struct MeasureRow {
    QString group;  // "时域参数", "95% 预测椭圆", "频域参数"
    QString name;
    QString value;  // formatted with its unit, or "—" where the measure has no value
    QString definition;
};

// Every measure of results in table order: time domain, the prediction ellipse, the AP and ML
// spectra.
std::vector<MeasureRow> measureRows(const PosturographyResults& results);

// "采样 200 Hz · 6000 点 · 低通 10 Hz" (or "· 不滤波" when the series was not filtered).
QString preprocessingLine(const PosturographyResults& results);

// A warning when the recording falls short of the recommended protocol (at least 25 s, at
// least 50 Hz); empty otherwise.
QString protocolWarning(const PosturographyResults& results);
