// Static foot analysis page of the second central tab: the analysis image with the foot
// rectangles and zones, the painted figure panels, two bar charts and the report screenshots.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <queue>

#include "AppConstants.h"
#include "ColorScale.h"
#include "GlobalState.h"
#include "LoadedRecording.h"
#include "StaticAnalysis.h"

namespace Ui {
class forcePlateStaticDataAnalysis;
}

class forcePlateStaticDataAnalysis : public QWidget {
    Q_OBJECT
public:
    // The analysis image is drawn through scale, which must outlive the view (tessaly-cli
    // report builds the view with the program-wide scale).
    explicit forcePlateStaticDataAnalysis(
        const ColorOfPressMap& scale = globalState().colorOfPressMap, QWidget* parent = nullptr);
    ~forcePlateStaticDataAnalysis() override;

    // Analyses record (owned by the balance view, which outlives the analysis) and writes the
    // analysis images into cacheFolder; the figures appear once the image has been drawn. A
    // missing or empty recording leaves the page empty.
    void analyzeDataFile(const QString& cacheFolder, const LoadedRecording* record);
    // The analysed recording was renamed and its cache folder with it: the analysis image is
    // read from cacheFolder from now on.
    void cacheFolderMoved(const QString& cacheFolder);

    // Saves the three tabs as "<folder><stamp>_tab1.png" ... "_tab3.png" for the data report
    // and deletes them 10 s later. Leaves the page on its third tab.
    void saveTabImagesForReport(const QString& stamp,
                                const QString& folder = app::cacheDirectory());
    // The fixed waits of saveTabImagesForReport: the first tab settles longer than the others,
    // and every grab is followed by a pause.
    static constexpr int kFirstTabWaitMs = 300;
    static constexpr int kLaterTabWaitMs = 150;
    static constexpr int kAfterGrabWaitMs = 100;
    static constexpr int kReportScreenshotWaitsMs =
        kFirstTabWaitMs + 2 * kLaterTabWaitMs + 3 * kAfterGrabWaitMs;

    // Redraws the analysis image from imagePath (white when missing) with the foot rectangles
    // and zone grids, at the current size of its label.
    void drawAnalysisImage(const QString& imagePath);

    // The figures of the last analysed recording; zero figures before the first one.
    const StaticAnalysis& analysis() const { return analysis_; }
    // Pixels per cell of the last drawn analysis image; the figures never depend on it.
    int drawnSubdivision() const { return drawnSubdivision_; }

signals:
    // The examiner asks for the data report with comment (publishRequested of the balance view
    // alike).
    void publishRequested(const QString& comment);

public slots:
    void slotAction4ResizingWidget();
    void slotActionOnDrawableLabelScaled();
    // Asks for the full data report, as the balance view's button does, with this page's
    // comment.
    void slotActionToPublishReport();
    // Reads the three drawing colours from "ConfigColor.ini"; they show at the next repaint.
    void slotOnRefreshColorSettings();
    void slotActionOnTabChangeTo(int newTabIdx);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void installPainters();
    void requestRefit();
    void removeCharts();
    void showFigures();

    std::unique_ptr<Ui::forcePlateStaticDataAnalysis> ui_;
    const ColorOfPressMap& scale_;
    QColor zoneLineColor_;
    QColor leftFootColor_;
    QColor rightFootColor_;
    QPixmap labelPixmap_;
    std::queue<char> resizeRequests_;
    std::queue<char> redrawRequests_;
    std::map<QObject*, std::function<void(QWidget*)>> painters_;

    QString cacheFolder_;
    const LoadedRecording* recording_ = nullptr;
    QString analysisImagePath_;
    StaticAnalysis analysis_;
    int drawnSubdivision_ = 0;
    bool figuresShown_ = false;
};
