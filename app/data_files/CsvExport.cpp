#include "CsvExport.h"

#include <QFileInfo>
#include <QSaveFile>

#include "AtomicWrite.h"
#include "FileIdentity.h"
#include "RecordingReader.h"

namespace {

// Decimal digits of value, written before end; returns the first digit's position.
char* formatUnsigned(unsigned value, char* end) {
    do {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return end;
}

void appendNumber(QByteArray& out, unsigned value) {
    char digits[12];
    char* const end = digits + sizeof digits;
    const char* first = formatUnsigned(value, end);
    out.append(first, static_cast<int>(end - first));
}

}  // namespace

QByteArray csvHeaderLine() {
    QByteArray line("Frame");
    for (int i = 1; i <= PressureMatrix::kRows; ++i) {
        for (int j = 1; j <= PressureMatrix::kColumns; ++j) {
            line += ",R";
            appendNumber(line, static_cast<unsigned>(i));
            line += "_C";
            appendNumber(line, static_cast<unsigned>(j));
        }
    }
    line += '\n';
    return line;
}

void appendCsvFrameLine(QByteArray& out, int frameNumber, const PressureMatrix& matrix) {
    appendNumber(out, static_cast<unsigned>(frameNumber));
    for (const std::uint16_t value : matrix.values) {
        out += ',';
        appendNumber(out, value);
    }
    out += '\n';
}

QString defaultCsvPath(const QString& rawPath) {
    const QFileInfo info(rawPath);
    return info.path() + "/" + info.completeBaseName() + ".csv";
}

CsvExportResult exportRecordingToCsv(const QString& rawPath, const QString& csvPath) {
    CsvExportResult result;
    const auto fail = [&result](CsvExportResult::Status status, const QString& detail) {
        result.status = status;
        result.detail = detail;
        result.frames = 0;
        return result;
    };
    if (isSameFile(rawPath, csvPath))
        return fail(CsvExportResult::Status::SameFile,
                    csvPath + " is the recording itself; choose another output");
    RecordingFile input;
    const RecordingError opened = input.open(rawPath);
    if (!opened.ok()) return fail(CsvExportResult::Status::InputOpenFailed, opened.message);

    QSaveFile out(csvPath);
    const QString problem = openPrivateSaveFile(out, QIODevice::Text);
    if (!problem.isEmpty()) return fail(CsvExportResult::Status::OutputOpenFailed, problem);
    QByteArray text = csvHeaderLine();
    bool written = out.write(text) == text.size();
    PressureMatrix frame;
    while (written && input.framesRead() < input.frameCount()) {
        const RecordingError read = input.readFrame(frame);
        if (!read.ok()) return fail(CsvExportResult::Status::InputOpenFailed, read.message);
        text.clear();
        appendCsvFrameLine(text, static_cast<int>(input.framesRead()), frame);
        written = out.write(text) == text.size();
        if (written) ++result.frames;
    }
    if (!written || !out.commit())
        return fail(
            CsvExportResult::Status::WriteFailed,
            QString("cannot write the CSV, the disk may be full (%1)").arg(out.errorString()));
    return result;
}
