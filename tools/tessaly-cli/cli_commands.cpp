#include "cli_commands.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include "CopSeries.h"
#include "CsvExport.h"
#include "FileIdentity.h"
#include "FrameCleaning.h"
#include "PlateRecording.h"
#include "RecordingLoader.h"
#include "analysis_commands.h"
#include "posturography_commands.h"

namespace {

const char* const kUsage =
    "usage: tessaly-cli info FILE.raw\n"
    "       tessaly-cli export-csv FILE.raw [OUT.csv]\n"
    "       tessaly-cli dump FILE.raw [--cleaned] [--frame N]\n"
    "       tessaly-cli analyze FILE.raw [--json] [--lowpass F]\n"
    "       tessaly-cli cop FILE.raw [OUT.csv]\n"
    "       tessaly-cli romberg OPEN.raw CLOSED.raw [--json] [--lowpass F]\n"
    "       tessaly-cli report FILE.raw --out REPORT.pdf [--subject CODE] [--comment TEXT]\n"
    "       tessaly-cli record --seconds S [--mode open|closed] [--subject CODE] [--port N]\n"
    "                          [--address A] [--out FILE.raw]\n"
    "info prints the header and frame count as one JSON object (and under \"plate\" the\n"
    "serial, address, frames, missed, refused, start and rate of FILE.raw.json when there); "
    "export-csv writes the CSV of\n"
    "the program's export (default: FILE.csv); dump prints frames as CSV lines, as stored or\n"
    "cleaned as the program cleans them on opening (N from 1; all frames without it); analyze\n"
    "prints the static and balance figures and the standard posturographic measures (one JSON\n"
    "object with --json); cop writes the centre-of-pressure series as CSV (default:\n"
    "FILE.cop.csv); romberg compares an eyes-open with an eyes-closed recording (quotients\n"
    "closed / open); report writes the program's five-page data report without a window.\n"
    "--lowpass F sets the low-pass cut-off of the standard measures in Hz (default 10, 0: none).\n";

int usage(std::FILE* err, const char* problem) { return reportUsage(err, problem, kUsage); }

// The options --json and --lowpass F of analyze and romberg, from arguments[first] on; a
// problem text when one is not understood.
struct MeasureOptions {
    bool json = false;
    double lowpassHz = kDefaultLowpassHz;
    const char* problem = nullptr;
};
MeasureOptions measureOptions(const QStringList& arguments, int first) {
    MeasureOptions options;
    for (int i = first; i < arguments.size() && !options.problem; ++i) {
        if (arguments[i] == "--json")
            options.json = true;
        else if (arguments[i] != "--lowpass")
            options.problem = "unknown option (--json and --lowpass F are understood)";
        else if (i + 1 >= arguments.size() || !parseLowpass(arguments[++i], options.lowpassHz))
            options.problem = "--lowpass needs a frequency in Hz from 0";
    }
    return options;
}

// The recording's stored frames, or a message and false.
bool readFrames(const QString& path, StoredRecording& stored, std::FILE* err) {
    stored = readStoredRecording(path);
    if (stored.status != StoredRecording::Status::Read) {
        std::fprintf(err, "tessaly-cli: %s\n", qPrintable(stored.detail));
        return false;
    }
    if (stored.contents.frames.empty()) {
        std::fprintf(err, "tessaly-cli: %s: the recording holds no whole frame\n",
                     qPrintable(path));
        return false;
    }
    return true;
}

// The recording opened for its header and frame count only, or a message and false.
bool openRecording(const QString& path, RecordingFile& file, std::FILE* err) {
    const RecordingError opened = file.open(path);
    if (!opened.ok()) {
        std::fprintf(err, "tessaly-cli: %s\n", qPrintable(opened.message));
        return false;
    }
    if (file.frameCount() == 0) {
        std::fprintf(err, "tessaly-cli: %s: the recording holds no whole frame\n",
                     qPrintable(path));
        return false;
    }
    const std::string warning = usableFrameRate(file.header().frameRate).warning;
    if (!warning.empty())
        std::fprintf(err, "tessaly-cli: %s: %s\n", qPrintable(path), warning.c_str());
    return true;
}

int info(const QString& path, std::FILE* out, std::FILE* err) {
    RecordingFile file;
    if (!openRecording(path, file, err)) return kCliFileProblem;
    QJsonObject object{{"tag", file.header().tag},
                       {"frameRate", file.header().frameRate},
                       {"mode", file.header().measureMode},
                       {"frames", file.frameCount()},
                       {"trailingBytes", file.trailingBytes()}};
    // What the recording side file says about the reception, when there is one.
    QFile side(recordingSidePath(path));
    if (side.open(QIODevice::ReadOnly)) {
        const QJsonObject counts = QJsonDocument::fromJson(side.read(65536)).object();
        QJsonObject plate;
        for (const char* key :
             {"serial", "address", "frames", "missed", "lost", "refused", "started", "rate"})
            if (counts.contains(key)) plate.insert(key, counts.value(key));
        if (!plate.isEmpty()) object.insert("plate", plate);
    }
    std::fprintf(out, "%s\n", QJsonDocument(object).toJson(QJsonDocument::Compact).constData());
    return kCliOk;
}

int exportCsv(const QString& path, const QString& csvPath, std::FILE* out, std::FILE* err) {
    if (outputIsInput(path, csvPath, err)) return kCliFileProblem;
    RecordingFile file;
    if (!openRecording(path, file, err)) return kCliFileProblem;
    const CsvExportResult result = exportRecordingToCsv(path, csvPath);
    if (result.status != CsvExportResult::Status::Exported) {
        std::fprintf(err, "tessaly-cli: %s: %s\n", qPrintable(csvPath), qPrintable(result.detail));
        return kCliFileProblem;
    }
    std::fprintf(out, "%d frames written to %s\n", result.frames, qPrintable(csvPath));
    return kCliOk;
}

int dump(const QString& path, bool cleaned, int frameNumber, std::FILE* out, std::FILE* err) {
    StoredRecording stored;
    if (!readFrames(path, stored, err)) return kCliFileProblem;
    auto& frames = stored.contents.frames;
    const int count = static_cast<int>(frames.size());
    if (frameNumber > count) {
        std::fprintf(err, "tessaly-cli: %s has %d frames, no frame %d\n", qPrintable(path), count,
                     frameNumber);
        return kCliUsage;
    }
    QByteArray line;
    for (int k = 1; k <= count; ++k) {
        if (frameNumber != 0 && k != frameNumber) continue;
        if (cleaned) cleanFrame(frames[k - 1]);
        line.clear();
        appendCsvFrameLine(line, k, frames[k - 1]);
        std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), out);
    }
    return kCliOk;
}

}  // namespace

bool outputIsInput(const QString& input, const QString& output, std::FILE* err) {
    if (!isSameFile(input, output)) return false;
    std::fprintf(err, "tessaly-cli: %s is the recording %s itself; choose another output\n",
                 qPrintable(output), qPrintable(input));
    return true;
}

int reportUsage(std::FILE* err, const char* problem, const char* usageText) {
    std::fprintf(err, "tessaly-cli: %s\n%s", problem, usageText);
    return kCliUsage;
}

int runCli(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    if (arguments.size() < 2) return usage(err, "a command and a file are needed");
    const QString& command = arguments[0];
    const QString& path = arguments[1];
    if (command == "info") {
        if (arguments.size() != 2) return usage(err, "info takes one file");
        return info(path, out, err);
    }
    if (command == "export-csv") {
        if (arguments.size() > 3) return usage(err, "export-csv takes a file and an output");
        return exportCsv(path, arguments.size() == 3 ? arguments[2] : defaultCsvPath(path), out,
                         err);
    }
    if (command == "dump") {
        bool cleaned = false;
        int frameNumber = 0;
        for (int i = 2; i < arguments.size(); ++i) {
            if (arguments[i] == "--cleaned") {
                cleaned = true;
            } else if (arguments[i] == "--frame" && i + 1 < arguments.size()) {
                bool ok = false;
                frameNumber = arguments[++i].toInt(&ok);
                if (!ok || frameNumber < 1) return usage(err, "--frame needs a number from 1");
            } else {
                return usage(err, "unknown dump option");
            }
        }
        return dump(path, cleaned, frameNumber, out, err);
    }
    if (command == "analyze") {
        const MeasureOptions options = measureOptions(arguments, 2);
        if (options.problem) return usage(err, options.problem);
        return analyzeRecordingFile(path, options.json, options.lowpassHz, out, err);
    }
    if (command == "romberg") {
        if (arguments.size() < 3 || arguments[2].startsWith("--"))
            return usage(err, "romberg takes an eyes-open and an eyes-closed recording");
        const MeasureOptions options = measureOptions(arguments, 3);
        if (options.problem) return usage(err, options.problem);
        return rombergCommand(path, arguments[2], options.json, options.lowpassHz, out, err);
    }
    if (command == "cop") {
        if (arguments.size() > 3) return usage(err, "cop takes a file and an output");
        return writeCopCsv(path, arguments.size() == 3 ? arguments[2] : defaultCopCsvPath(path),
                           out, err);
    }
    return usage(err, "unknown command");
}
