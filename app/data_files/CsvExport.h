// The CSV form of a recording: one header line naming the 2500 cells, one line per frame
// with the values as stored in the data file (not cleaned).
#pragma once

#include <QByteArray>
#include <QString>

#include "PressureMatrix.h"

// "Frame,R1_C1,R1_C2,...,R50_C50\n" (R row, C column, both from 1).
QByteArray csvHeaderLine();
// Appends frameNumber, then "," and each of the frame's values in row-major order, and "\n".
void appendCsvFrameLine(QByteArray& out, int frameNumber, const PressureMatrix& matrix);

// The export's proposed output: rawPath with its last suffix replaced by "csv", which is also
// the companion name the rename dialog carries along.
QString defaultCsvPath(const QString& rawPath);

struct CsvExportResult {
    enum class Status { Exported, SameFile, OutputOpenFailed, InputOpenFailed, WriteFailed };
    Status status = Status::Exported;
    int frames = 0;  // frame lines written
    QString detail;  // the cause when not Exported
};
// Writes the CSV of the recording at rawPath to csvPath (the platform's text line ends),
// frame by frame from the file, so a recording of any size is exported in little memory.
// An output that is the recording itself (also through a link) is refused with SameFile. The
// CSV goes to a private temporary file beside csvPath that replaces csvPath only once whole:
// on any failure an earlier csvPath stays as it was. A recording without a whole frame exports
// the header line only.
CsvExportResult exportRecordingToCsv(const QString& rawPath, const QString& csvPath);
