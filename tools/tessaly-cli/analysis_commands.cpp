#include "analysis_commands.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

#include "AnalysisResults.h"
#include "AtomicWrite.h"
#include "ConfidenceEllipse.h"
#include "CopSeries.h"
#include "RecordingLoader.h"
#include "StaticAnalysis.h"
#include "cli_commands.h"
#include "posturography_commands.h"

namespace {

struct RecordingAnalysis {
    std::unique_ptr<LoadedRecording> recording;
    StaticAnalysis statics;
    AnalysisResults balance;
    UsableFrameRate rate;
    EllipseOutcome ellipse;
    PosturographyOutcome posturography;
};

// Loads, cleans and runs the COP series; a message on err and false when the file gives no
// frame.
bool loadCopSeries(const QString& path, RecordingAnalysis& a, std::FILE* err) {
    RecordingLoad load = loadRecording(path);
    if (load.status != RecordingLoad::Status::Loaded) {
        // The loader's explanation names the file already.
        const QString why =
            load.detail.isEmpty() ? path + ": the recording holds no whole frame" : load.detail;
        std::fprintf(err, "tessaly-cli: %s\n", qPrintable(why));
        return false;
    }
    a.recording = std::move(load.recording);
    CopTrajectory trajectory;
    a.rate = computeCopSeries(a.recording->frames, a.recording->frameRate, a.balance, trajectory);
    if (!a.rate.warning.empty()) std::fprintf(err, "tessaly-cli: %s\n", a.rate.warning.c_str());
    return true;
}

// Every analysis of the program and the standard posturographic measures.
bool analyze(const QString& path, double lowpassHz, RecordingAnalysis& a, std::FILE* err) {
    if (!loadCopSeries(path, a, err)) return false;
    a.statics = analyzeStatic(a.recording->frames);
    a.posturography =
        analyzePosturography(copSamplesWithPressure(a.balance), a.recording->frameRate, lowpassHz);
    a.ellipse = computeConfidenceEllipse(a.balance, nullptr);
    if (!a.ellipse.message.empty())
        std::fprintf(err, "tessaly-cli: %s\n", a.ellipse.message.c_str());
    return true;
}

QJsonObject footJson(const FootRecord& f) {
    QJsonArray zones;
    for (double z : f.zones) zones.append(z);
    return {{"rect", QJsonArray{f.rect.x(), f.rect.y(), f.rect.width(), f.rect.height()}},
            {"zones", zones},
            {"total", f.total},
            {"share", f.share},
            {"front", f.front},
            {"middle", f.middle},
            {"rear", f.rear},
            {"footType", f.footType},
            {"frontHalfLoad", f.frontHalfLoad},
            {"frontHalfShare", f.frontHalfShare},
            {"rearHalfShare", f.rearHalfShare},
            {"contactArea", f.contactArea},
            {"averagePressure", f.averagePressure},
            {"maxPressure", f.maxPressure}};
}

QJsonObject analysisJson(const QString& path, const RecordingAnalysis& a) {
    const StaticAnalysis& s = a.statics;
    const AnalysisResults& b = a.balance;
    const QJsonObject statics{{"chosenFrame", s.grids.chosenFrame},
                              {"left", footJson(s.feet[kLeftFoot])},
                              {"right", footJson(s.feet[kRightFoot])},
                              {"bothFront", s.bothFeet.front},
                              {"bothRear", s.bothFeet.rear}};
    const QJsonObject balance{{"pathLength", b.pathLength},     {"meanSpeedX", b.meanSpeedX},
                              {"meanSpeedY", b.meanSpeedY},     {"maxSpeedX", b.maxSpeedX},
                              {"maxSpeedY", b.maxSpeedY},       {"ellipseArea", b.ellipseArea},
                              {"ellipseAxisA", b.ellipseAxisA}, {"ellipseAxisB", b.ellipseAxisB},
                              {"ellipseAngle", b.ellipseAngle}};
    QJsonObject analysis{{"file", path},
                         {"frames", a.recording->frameCount},
                         {"frameRate", a.recording->frameRate},
                         {"mode", a.recording->measureMode},
                         {"static", statics},
                         {"balance", balance}};
    addPosturographyJson(analysis, a.posturography);
    return analysis;
}

void printSummary(const QString& path, const RecordingAnalysis& a, std::FILE* out) {
    const StaticAnalysis& s = a.statics;
    std::fprintf(out, "%s: %d frames at %d frames/s, mode %d\n", qPrintable(path),
                 a.recording->frameCount, a.recording->frameRate, a.recording->measureMode);
    std::fprintf(out, "static analysis (frame %d of the peak load)\n", s.grids.chosenFrame + 1);
    const char* names[] = {"left ", "right"};
    for (FootSide side : kFootSides) {
        const FootRecord& f = s.feet[side];
        std::fprintf(out,
                     "  %s foot: share %d %%, front/arch/rear %d/%d/%d %%, %s, contact %d mm², "
                     "average %.1f, max %d\n",
                     names[side], f.share, f.front, f.middle, f.rear, qPrintable(f.footType),
                     f.contactArea, f.averagePressure, f.maxPressure);
    }
    std::fprintf(out, "  both feet: front half %d %%, rear half %d %%\n", s.bothFeet.front,
                 s.bothFeet.rear);
    const AnalysisResults& b = a.balance;
    std::fprintf(out, "balance analysis\n");
    std::fprintf(out, "  path length %.2f mm\n", b.pathLength);
    std::fprintf(out, "  mean speed X %.3f cm/s, Y %.3f cm/s; max X %.3f, Y %.3f cm/s\n",
                 b.meanSpeedX, b.meanSpeedY, b.maxSpeedX, b.maxSpeedY);
    std::fprintf(out, "  95 %% ellipse: area %.2f mm², axes %.2f × %.2f mm, angle %.4f rad\n",
                 b.ellipseArea, b.ellipseAxisA, b.ellipseAxisB, b.ellipseAngle);
    printPosturography(a.posturography, out);
}

QByteArray number(double v) { return QByteArray::number(v, 'g', QLocale::FloatingPointShortest); }

}  // namespace

int analyzeRecordingFile(const QString& path, bool json, double lowpassHz, std::FILE* out,
                         std::FILE* err) {
    RecordingAnalysis a;
    if (!analyze(path, lowpassHz, a, err)) return kCliFileProblem;
    if (json)
        std::fprintf(
            out, "%s\n",
            QJsonDocument(analysisJson(path, a)).toJson(QJsonDocument::Compact).constData());
    else
        printSummary(path, a, out);
    return kCliOk;
}

QString defaultCopCsvPath(const QString& rawPath) {
    const QFileInfo info(rawPath);
    const QString base =
        info.suffix().isEmpty() ? rawPath : rawPath.left(rawPath.size() - info.suffix().size() - 1);
    return base + ".cop.csv";
}

std::optional<RecordingPosturography> posturographyOfFile(const QString& path, double lowpassHz,
                                                          std::FILE* err) {
    RecordingAnalysis a;
    if (!loadCopSeries(path, a, err)) return std::nullopt;
    const std::vector<SwayPoint> samples = copSamplesWithPressure(a.balance);
    return RecordingPosturography{a.recording->measureMode, static_cast<int>(samples.size()),
                                  a.rate.framesPerSecond,
                                  analyzePosturography(samples, a.recording->frameRate, lowpassHz)};
}

int writeCopCsv(const QString& path, const QString& csvPath, std::FILE* out, std::FILE* err) {
    if (outputIsInput(path, csvPath, err)) return kCliFileProblem;
    RecordingAnalysis a;
    if (!loadCopSeries(path, a, err)) return kCliFileProblem;
    QByteArray text = "frame,time_s,x_mm,y_mm,speed_x_cm_s,speed_y_cm_s,speed_cm_s\n";
    const int frames = a.recording->frameCount;
    for (int k = 0; k < frames; ++k) {
        const QPair<double, double> mm = a.balance.copMillimetres.value(k);
        text += QByteArray::number(k + 1) + ',' + number(k / a.rate.framesPerSecond) + ',' +
                number(mm.first) + ',' + number(mm.second) + ',';
        if (const std::optional<CopSpeed> speed = measuredSpeed(a.balance, k))
            text += number(speed->x) + ',' + number(speed->y) + ',' + number(speed->path);
        else
            text += ",,";
        text += '\n';
    }
    const QString problem = writeFileAtomically(csvPath, text);
    if (!problem.isEmpty()) {
        std::fprintf(err, "tessaly-cli: %s: cannot write (%s)\n", qPrintable(csvPath),
                     qPrintable(problem));
        return kCliFileProblem;
    }
    std::fprintf(out, "%d frames written to %s\n", frames, qPrintable(csvPath));
    return kCliOk;
}
