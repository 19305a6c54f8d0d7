// tessaly-cli record: records the plates on the network without a window, through the
// program's acquisition session and recording files.
#pragma once

#include <QStringList>
#include <cstdio>

// arguments: --seconds S [--mode open|closed] [--subject CODE] [--port N] [--address A]
// [--out FILE.raw]. Needs a QCoreApplication. Waits up to 5 s for a plate, records S seconds
// of frames from each plate's first recorded frame, one file per plate ("_<serial>" before the
// suffix when there are several), and prints {"files": [{"file", "serial", "frames", "missed",
// "refused", "rate", "sha256"}]}. Exit 0 when recorded, 1 when listening fails, no plate sends
// or a file cannot be written, 2 for a bad command line.
int runRecordCommand(const QStringList& arguments, std::FILE* out, std::FILE* err);
