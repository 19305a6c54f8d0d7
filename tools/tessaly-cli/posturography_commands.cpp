#include "posturography_commands.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <cmath>
#include <optional>

#include "RecordingFormat.h"
#include "analysis_commands.h"
#include "cli_commands.h"

namespace {

QJsonValue measureJson(const Measure& m) { return m ? QJsonValue(*m) : QJsonValue(); }

QJsonObject entriesJson(const std::vector<NamedMeasure>& entries) {
    QJsonObject object;
    for (const NamedMeasure& e : entries) object.insert(e.key, measureJson(e.value));
    return object;
}

QJsonObject resultsJson(const PosturographyResults& r) {
    const PredictionEllipse& e = r.ellipse95;
    return {{"samples", r.samples},
            {"rate", r.rateHz},
            {"lowpassHz", r.lowpassHz},
            {"time", entriesJson(timeDomainEntries(r.time))},
            {"ellipse95", QJsonObject{{"area", measureJson(e.area)},
                                      {"semiMajor", measureJson(e.semiMajor)},
                                      {"semiMinor", measureJson(e.semiMinor)},
                                      {"angleDeg", measureJson(e.angleDeg)}}},
            {"frequency", QJsonObject{{"ap", entriesJson(spectrumEntries(r.ap))},
                                      {"ml", entriesJson(spectrumEntries(r.ml))}}}};
}

QByteArray measureText(const Measure& m, int decimals) {
    return m ? QByteArray::number(*m, 'f', decimals) : QByteArray("-");
}

// The four figures romberg compares, in its order.
struct RombergFigure {
    const char* key;
    const char* label;
    Measure (*get)(const PosturographyResults&);
};
const RombergFigure kRombergFigures[] = {
    {"mvelo", "mvelo (mm/s)", [](const PosturographyResults& r) { return r.time.mvelo; }},
    {"rdist", "rdist (mm)", [](const PosturographyResults& r) { return r.time.rdist; }},
    {"totex", "totex (mm)", [](const PosturographyResults& r) { return r.time.totex; }},
    {"ellipse95Area", "ellipse95 area (mm²)",
     [](const PosturographyResults& r) { return r.ellipse95.area; }},
};

Measure rombergQuotient(const Measure& open, const Measure& closed) {
    if (!open || !closed) return std::nullopt;
    return quotient(*closed, *open);
}

QByteArray modeName(int mode) {
    if (mode == recording::kEyesOpen) return "eyes open";
    if (mode == recording::kEyesClosed) return "eyes closed";
    return "mode " + QByteArray::number(mode);
}

// The measures of one recording, or a message on err and nothing.
std::optional<PosturographyResults> measuresOf(const QString& path, int expectedMode,
                                               double lowpassHz, std::FILE* err) {
    const std::optional<RecordingPosturography> p = posturographyOfFile(path, lowpassHz, err);
    if (!p) return std::nullopt;
    if (p->measureMode != expectedMode)
        std::fprintf(err, "tessaly-cli: warning: %s is recorded with %s, not %s\n",
                     qPrintable(path), modeName(p->measureMode).constData(),
                     modeName(expectedMode).constData());
    if (!p->outcome.results) {
        std::fprintf(err, "tessaly-cli: %s: %s (%d frames with pressure, %g needed)\n",
                     qPrintable(path), p->outcome.reason, p->samples, 2 * p->rateHz);
        return std::nullopt;
    }
    return p->outcome.results;
}

}  // namespace

void addPosturographyJson(QJsonObject& analysis, const PosturographyOutcome& outcome) {
    if (outcome.results) {
        analysis.insert("posturography", resultsJson(*outcome.results));
    } else {
        analysis.insert("posturography", QJsonValue());
        analysis.insert("posturographyReason", outcome.reason);
    }
}

void printPosturography(const PosturographyOutcome& outcome, std::FILE* out) {
    if (!outcome.results) {
        std::fprintf(out, "standard posturography: %s\n", outcome.reason);
        return;
    }
    const PosturographyResults& r = *outcome.results;
    std::fprintf(out, "standard posturography (%d samples at %g Hz, low-pass %s)\n", r.samples,
                 r.rateHz,
                 r.lowpassHz > 0 ? qPrintable(QString::number(r.lowpassHz) + " Hz") : "none");
    std::fprintf(out, "  mvelo %s mm/s, rdist %s mm, totex %s mm, range %s mm\n",
                 measureText(r.time.mvelo, 3).constData(), measureText(r.time.rdist, 3).constData(),
                 measureText(r.time.totex, 2).constData(),
                 measureText(r.time.range, 2).constData());
    std::fprintf(out, "  95 %% prediction ellipse: area %s mm², semi-axes %s × %s mm, angle %s°\n",
                 measureText(r.ellipse95.area, 2).constData(),
                 measureText(r.ellipse95.semiMajor, 2).constData(),
                 measureText(r.ellipse95.semiMinor, 2).constData(),
                 measureText(r.ellipse95.angleDeg, 1).constData());
    for (const auto& [name, s] : {std::pair{"AP", &r.ap}, std::pair{"ML", &r.ml}})
        std::fprintf(out, "  %s spectrum: power %s mm², f50 %s Hz, f95 %s Hz, centroid %s Hz\n",
                     name, measureText(s->power, 3).constData(), measureText(s->f50, 3).constData(),
                     measureText(s->f95, 3).constData(), measureText(s->centroid, 3).constData());
}

bool parseLowpass(const QString& text, double& hz) {
    bool ok = false;
    hz = text.toDouble(&ok);
    return ok && std::isfinite(hz) && hz >= 0;
}

int rombergCommand(const QString& openPath, const QString& closedPath, bool json, double lowpassHz,
                   std::FILE* out, std::FILE* err) {
    const std::optional<PosturographyResults> open =
        measuresOf(openPath, recording::kEyesOpen, lowpassHz, err);
    if (!open) return kCliFileProblem;
    const std::optional<PosturographyResults> closed =
        measuresOf(closedPath, recording::kEyesClosed, lowpassHz, err);
    if (!closed) return kCliFileProblem;

    if (json) {
        QJsonObject openJson, closedJson, quotientJson;
        for (const RombergFigure& f : kRombergFigures) {
            openJson.insert(f.key, measureJson(f.get(*open)));
            closedJson.insert(f.key, measureJson(f.get(*closed)));
            quotientJson.insert(f.key, measureJson(rombergQuotient(f.get(*open), f.get(*closed))));
        }
        const QJsonObject object{
            {"open", openJson}, {"closed", closedJson}, {"quotient", quotientJson}};
        std::fprintf(out, "%s\n", QJsonDocument(object).toJson(QJsonDocument::Compact).constData());
        return kCliOk;
    }
    std::fprintf(out, "Romberg quotients, eyes closed / eyes open\n");
    std::fprintf(out, "  eyes open:   %s\n  eyes closed: %s\n", qPrintable(openPath),
                 qPrintable(closedPath));
    std::fprintf(out, "  %-22s %12s %12s %12s\n", "", "open", "closed", "closed/open");
    for (const RombergFigure& f : kRombergFigures)
        std::fprintf(out, "  %-22s %12s %12s %12s\n", f.label,
                     measureText(f.get(*open), 3).constData(),
                     measureText(f.get(*closed), 3).constData(),
                     measureText(rombergQuotient(f.get(*open), f.get(*closed)), 3).constData());
    return kCliOk;
}
