#include "CsvExport.h"

#include <QFile>
#include <QFileInfo>

#include "RecordingLoader.h"

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
    QFile out(csvPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        result.status = CsvExportResult::Status::OutputOpenFailed;
        result.detail = out.errorString();
        return result;
    }
    const StoredRecording stored = readStoredRecording(rawPath);
    if (stored.status != StoredRecording::Status::Read) {
        result.status = CsvExportResult::Status::InputOpenFailed;
        result.detail = stored.detail;
        return result;
    }
    QByteArray text = csvHeaderLine();
    bool written = out.write(text) == text.size();
    const auto& frames = stored.contents.frames;
    for (std::size_t k = 0; written && k < frames.size(); ++k) {
        text.clear();
        appendCsvFrameLine(text, static_cast<int>(k + 1), frames[k]);
        written = out.write(text) == text.size();
        if (written) ++result.frames;
    }
    out.close();
    if (!written || out.error() != QFileDevice::NoError) {
        result.status = CsvExportResult::Status::WriteFailed;
        result.detail = out.errorString();
    }
    return result;
}
