// tessaly-cli report: the program's data report of a recording, written without a window.
#pragma once

#include <QStringList>
#include <cstdio>

// arguments: FILE.raw --out REPORT.pdf [--subject CODE] [--comment TEXT]. Needs a
// QApplication (on the offscreen platform). Builds the analysis views and the report viewer
// off screen, analyses the recording as opening it in the program does, and publishes the
// same five pages to REPORT.pdf. The subject comes from "VuziRO.db" by its code, else from the
// current-subject file. Resources are found next to the executable; nothing but REPORT.pdf is
// written.
int runReportCommand(const QStringList& arguments, std::FILE* out, std::FILE* err);
