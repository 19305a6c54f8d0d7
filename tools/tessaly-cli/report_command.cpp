#include "report_command.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <optional>

#include "AppConstants.h"
#include "ColorScale.h"
#include "DataRepots.h"
#include "GlobalState.h"
#include "RecordingLoader.h"
#include "ReportPublisher.h"
#include "Startup.h"
#include "SubjectDatabase.h"
#include "ViewHelpers.h"
#include "cli_commands.h"
#include "dataAnalysis.h"
#include "forcePlateDataFilesRecord.h"
#include "forcePlateStaticDataAnalysis.h"

namespace {

// The central page of the program's window maximised on a 1920 × 1080 screen: the static
// view's fixed-size panels fit whole.
const QSize kPageSize(1350, 880);

struct ReportRequest {
    QString recording;
    QString pdfPath;
    QString subjectCode;
    QString comment;
};

const char* const kUsage =
    "usage: tessaly-cli report FILE.raw --out REPORT.pdf [--subject CODE] [--comment TEXT]\n"
    "writes the program's five-page data report of FILE.raw; the subject is looked up in\n"
    "VuziRO.db by its code, else the current subject is used.\n";

std::optional<ReportRequest> parse(const QStringList& arguments, QString& problem) {
    ReportRequest request;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString* option = nullptr;
        if (argument == "--out") option = &request.pdfPath;
        if (argument == "--subject") option = &request.subjectCode;
        if (argument == "--comment") option = &request.comment;
        if (option) {
            if (i + 1 >= arguments.size()) {
                problem = argument + " needs a value";
                return std::nullopt;
            }
            *option = arguments[++i];
        } else if (argument.startsWith("--") || !request.recording.isEmpty()) {
            problem = "unexpected argument " + argument;
            return std::nullopt;
        } else {
            request.recording = argument;
        }
    }
    if (request.recording.isEmpty() || request.pdfPath.isEmpty()) {
        problem = "report needs a recording and --out";
        return std::nullopt;
    }
    return request;
}

// The subject stored under code, or a message and nothing.
std::optional<SubjectRecord> storedSubject(const QString& code, std::FILE* err) {
    SubjectDatabase database("tessaly-cli-report");
    const QString problem = database.openReadOnly();
    if (!problem.isEmpty()) {
        std::fprintf(err, "tessaly-cli: %s\n", qPrintable(problem));
        return std::nullopt;
    }
    const std::optional<StoredSubject> subject = database.find(code);
    if (!subject) {
        std::fprintf(err, "tessaly-cli: no subject with the code %s in %s\n", qPrintable(code),
                     app::subjectDatabase());
        return std::nullopt;
    }
    return subjectRecordOf(*subject, QDate::currentDate().year());
}

// The analysis views and the report viewer on the pages of a tab widget, as the program's
// central tabs hold them, registered in the global state.
class OffscreenViews {
public:
    OffscreenViews() {
        GlobalState& state = globalState();
        tabs_.addTab(new QWidget, QString());
        state.staticAnalysisView = new forcePlateStaticDataAnalysis;
        tabs_.addTab(state.staticAnalysisView, "足底压力静态分析");
        state.balanceAnalysisView = new dataAnalysis;
        tabs_.addTab(state.balanceAnalysisView, "足底压力中心数据分析");
        state.reportViewer = new DataRepots;
        state.reportViewer->setProblemsShownInMessageBoxes(false);
        tabs_.addTab(state.reportViewer, "数据报告");
        state.mainTabWidget = &tabs_;
        tabs_.setCurrentIndex(1);
        tabs_.show();
        waitProcessingEvents(20);
        tabs_.resize(tabs_.size() + kPageSize - state.staticAnalysisView->size());
        waitProcessingEvents(20);
    }
    ~OffscreenViews() {
        GlobalState& state = globalState();
        state.mainTabWidget = nullptr;
        state.staticAnalysisView = nullptr;
        state.balanceAnalysisView = nullptr;
        state.reportViewer = nullptr;
    }

private:
    QTabWidget tabs_;
};

}  // namespace

int runReportCommand(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    QString problem;
    const std::optional<ReportRequest> request = parse(arguments, problem);
    if (!request) return reportUsage(err, qPrintable(problem), kUsage);
    const QString recording = QFileInfo(request->recording).absoluteFilePath();
    const QString pdfPath = QFileInfo(request->pdfPath).absoluteFilePath();
    if (outputIsInput(recording, pdfPath, err)) return kCliFileProblem;

    std::optional<SubjectRecord> subject;
    if (!request->subjectCode.isEmpty()) {
        subject = storedSubject(request->subjectCode, err);
        if (!subject) return kCliFileProblem;
    }
    RecordingLoad load = loadRecording(recording);
    if (load.status != RecordingLoad::Status::Loaded) {
        const QString why = !load.detail.isEmpty() ? load.detail
                            : load.status == RecordingLoad::Status::Empty
                                ? QString("the recording holds no whole frame")
                                : QString("not a readable recording");
        std::fprintf(err, "tessaly-cli: %s: %s\n", qPrintable(recording), qPrintable(why));
        return kCliFileProblem;
    }
    QTemporaryDir work;
    if (!work.isValid()) {
        std::fprintf(err, "tessaly-cli: no temporary folder: %s\n", qPrintable(work.errorString()));
        return kCliFileProblem;
    }

    installFontSubstitutions();
    loadColorOfPressMap(globalState());
    OffscreenViews views;
    if (subject) globalState().reportViewer->useReportSubject(*subject);
    showRecordingInAnalysisViews(work.path(), load.recording.release());
    const QString written = publishReport({request->comment, pdfPath, work.path(), true});
    if (written.isEmpty()) {
        std::fprintf(err, "tessaly-cli: the report could not be written to %s\n",
                     qPrintable(pdfPath));
        return kCliFileProblem;
    }
    std::fprintf(out, "%d pages written to %s\n", globalState().reportViewer->shownPageCount(),
                 qPrintable(pdfPath));
    return kCliOk;
}
