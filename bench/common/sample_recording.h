// A recording for the benchmarks that open it in the program, written by plate-sim beside
// them.
#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <cstdio>

// Writes seconds of a standing subject at rate frames/s to path; false (with a message on
// stderr) when plate-sim fails.
inline bool writeSampleRecording(const QString& path, int seconds, int rate) {
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/plate-sim",
              {"--write-raw", path, "--seconds", QString::number(seconds), "--rate",
               QString::number(rate)});
    if (sim.waitForFinished(120000) && sim.exitCode() == 0) return true;
    std::fprintf(stderr, "plate-sim could not write %s\n", qPrintable(path));
    return false;
}
