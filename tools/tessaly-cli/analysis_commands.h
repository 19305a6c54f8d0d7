// The analysis commands of tessaly-cli: the static and balance figures of a recording, and
// its centre-of-pressure series as CSV. The file is read and cleaned as the program's browser
// does, and the figures come from the same code as the program's views.
#pragma once

#include <QString>
#include <cstdio>
#include <optional>

#include "Posturography.h"

// Prints a readable summary, or with json one JSON object (numbers with full precision), with
// the standard posturographic measures low-pass filtered at lowpassHz (0: none).
int analyzeRecordingFile(const QString& path, bool json, double lowpassHz, std::FILE* out,
                         std::FILE* err);

// The standard posturographic measures of a recording, loaded and cleaned as the program does.
struct RecordingPosturography {
    int measureMode = 0;  // the header's mode
    int samples = 0;      // frames with pressure
    double rateHz = 0;    // the rate used
    PosturographyOutcome outcome;
};
// Nothing, after a message on err, when the file gives no frame.
std::optional<RecordingPosturography> posturographyOfFile(const QString& path, double lowpassHz,
                                                          std::FILE* err);

// Writes frame,time_s,x_mm,y_mm,speed_x_cm_s,speed_y_cm_s,speed_cm_s, one line per frame;
// the speed cells stay empty where a frame has no speed.
int writeCopCsv(const QString& path, const QString& csvPath, std::FILE* out, std::FILE* err);

// FILE.raw -> FILE.cop.csv
QString defaultCopCsvPath(const QString& rawPath);
