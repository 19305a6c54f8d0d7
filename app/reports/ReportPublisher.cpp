#include "ReportPublisher.h"

#include <QDateTime>
#include <QFile>
#include <QScopedValueRollback>
#include <QStringList>
#include <QTabWidget>

#include "AppConstants.h"
#include "DataRepots.h"
#include "GlobalState.h"
#include "PrivateFiles.h"
#include "ReportComposer.h"
#include "ReportInfo.h"
#include "ViewHelpers.h"
#include "dataAnalysis.h"
#include "forcePlateStaticDataAnalysis.h"

namespace {

constexpr int kScreenshotLifetimeMs = 10000;
constexpr int kTabSwitchWaitMs = 100;

void showTab(int index) {
    if (QTabWidget* tabs = globalState().mainTabWidget) tabs->setCurrentIndex(index);
}

}  // namespace

QString publishReport(const ReportPublishing& publishing) {
    GlobalState& state = globalState();
    // The waits below process events, so a second click could start a publishing inside this
    // one, under the same stamp, and overwrite its report.
    static bool running = false;
    if (running || !state.reportViewer) return QString();
    const QScopedValueRollback<bool> guard(running, true);
    const QDateTime now = QDateTime::currentDateTime();
    const QString stamp = publishing.pdfPath.isEmpty()
                              ? uniqueReportStamp(now, app::reportDirectory())
                              : reportStamp(now);
    QString folder = publishing.screenshotFolder;
    if (!folder.endsWith('/')) folder += '/';
    createPrivateFolder(folder);

    showTab(1);
    waitProcessingEvents(kTabSwitchWaitMs);
    if (state.staticAnalysisView) state.staticAnalysisView->saveTabImagesForReport(stamp, folder);
    waitProcessingEvents(kTabSwitchWaitMs);
    showTab(2);
    QStringList charts;
    if (state.balanceAnalysisView)
        charts = state.balanceAnalysisView->saveChartsForReport(folder, stamp);

    const QString pdfPath = publishing.pdfPath.isEmpty()
                                ? app::reportDirectory() + stamp + app::kReportExtension
                                : publishing.pdfPath;
    const bool written = state.reportViewer->composeReport(
        pdfPath, makeReportInfo(publishing.comment, stamp, now), folder);

    if (publishing.removeScreenshotsAtOnce) {
        for (const QString& suffix : reportScreenshotSuffixes())
            QFile::remove(folder + stamp + suffix + ".png");
        for (const QString& path : charts) QFile::remove(path);
    } else {
        removeFilesLater(charts, kScreenshotLifetimeMs);
    }
    return written ? pdfPath : QString();
}

int publishingFixedWaitsMs() {
    return 2 * kTabSwitchWaitMs + forcePlateStaticDataAnalysis::kReportScreenshotWaitsMs +
           dataAnalysis::kReportPictureWaitsMs;
}
