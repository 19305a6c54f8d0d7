// The standard posturographic measures on the command line: the "posturography" object of
// analyze --json and the romberg command comparing an eyes-open with an eyes-closed recording.
#pragma once

#include <QJsonObject>
#include <QString>
#include <cstdio>

#include "Posturography.h"

// Sets "posturography" to the measures, or to null with "posturographyReason".
void addPosturographyJson(QJsonObject& analysis, const PosturographyOutcome& outcome);

// Readable lines of the main measures, or why there are none.
void printPosturography(const PosturographyOutcome& outcome, std::FILE* out);

// Reads a low-pass cut-off in Hz (a finite number >= 0; 0 means none); false otherwise.
bool parseLowpass(const QString& text, double& hz);

// romberg: mvelo, rdist, totex and the prediction ellipse's area of both recordings and the
// quotients closed / open; a warning on err when the headers' modes are not eyes open and eyes
// closed.
int rombergCommand(const QString& openPath, const QString& closedPath, bool json, double lowpassHz,
                   std::FILE* out, std::FILE* err);
