// Balance (centre-of-pressure) analysis page of the third central tab: frame-by-frame images
// with the zone loads of the shown frame, and the trajectory drawing, the two COP charts and
// the sway figures of the analysed recording.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <queue>

#include "AnalysisResults.h"
#include "ColorScale.h"
#include "FrameCop.h"
#include "FrameImages.h"
#include "GlobalState.h"
#include "LoadedRecording.h"
#include "Posturography.h"

class QTableWidget;
class QToolButton;
class StandardMeasuresPage;
class SwayPlotWidget;

namespace Ui {
class dataAnalysisForm;
}

class dataAnalysis : public QWidget {
    Q_OBJECT
public:
    // Frames are drawn through scale, which must outlive the view (tessaly-cli report builds
    // the view with the program-wide scale).
    explicit dataAnalysis(const ColorOfPressMap& scale = globalState().colorOfPressMap,
                          QWidget* parent = nullptr);
    ~dataAnalysis() override;

    // Takes record over (the previous recording is deleted; null counts as an empty one),
    // analyses it, shows the results and frame 1, and tells the timeline the frame count and
    // rate (recordingShown). The trajectory drawing's background is cacheFolder's analysis image.
    void analyzeRecording(const QString& cacheFolder, LoadedRecording* record);
    int frameCount() const { return frameCount_; }
    // The recording's rate as the analyses use it (200 for a rate of 0 in the file).
    double frameRate() const { return frameRate_; }
    int currentFrame() const { return currentFrame_; }
    // Shows frame number n (1-based): its image, drawn from the recording, and zone loads.
    // Numbers outside the recording are ignored.
    void showFrame(int n);

    // Saves the two COP charts and the parameter panel as "<folder><stamp>_FootCopCurve.png",
    // "_FootCopSpeedCurve.png" and "_FootCopTable.png" for the data report, in that order;
    // returns their paths.
    QStringList saveChartsForReport(const QString& folder, const QString& stamp);
    // The pause after each of the three pictures, so the next one is drawn afresh.
    static constexpr int kAfterReportPictureWaitMs = 50;
    static constexpr int kReportPictureWaitsMs = 3 * kAfterReportPictureWaitMs;
    // The examiner's comment as typed.
    QString commentText() const;
    // The standard measures of the analysed recording, at the low-pass setting in force.
    const PosturographyOutcome& posturography() const { return posturography_; }
    // The centre-of-pressure series and sway figures of the analysed recording.
    const AnalysisResults& results() const { return results_; }

signals:
    // After showFrame has shown frame number frame.
    void frameShown(int frame);
    // For the timeline: a recording of frames at rate frames per second is shown at frame.
    void recordingShown(int frames, double rate, int frame);
    // For the timeline: its playback controls make sense (the frame page is shown) or not.
    void timelineControlsWanted(bool visible);
    // The view came on screen or left it: playback runs only while it is shown.
    void onScreen(bool shown);
    // The examiner asks for the data report with comment.
    void publishRequested(const QString& comment);

public slots:
    void slotAction4ResizingWidget();
    void slotActionOnTabChangeTo(int newTabIdx);
    void checkAndResetTimelinePlayback();
    void onPointMoveLeft() { moveOrigin(-2, 0); }
    void onPointMoveRight() { moveOrigin(2, 0); }
    void onPointMoveUp() { moveOrigin(0, -2); }
    void onPointMoveDown() { moveOrigin(0, 2); }
    // Asks for the data report with this page's comment (publishRequested).
    void slotActionPublishReports();
    QTableWidget* getResultTableWidget() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void requestLayout(int delayMs);
    void refreshLayout();
    void syncTimeline();
    void showFrameImage();
    void moveOrigin(int dx, int dy);
    void analyzePosturographyOf(double lowpassHz);

    Ui::dataAnalysisForm* ui_;
    AnalysisResults results_;
    int frameCount_ = 0;
    double frameRate_ = 200.0;
    std::unique_ptr<LoadedRecording> loadedRecording_;
    int currentFrame_ = 1;
    CopTrajectory trajectory_;
    std::queue<int> resizeRequests_;
    QImage frameImage_;  // the shown frame's image before scaling to the label
    RecentFrameImages recentImages_;
    std::vector<SwayPoint> swaySamples_;  // the COP of the frames with pressure, mm
    PosturographyOutcome posturography_;
    StandardMeasuresPage* standardPage_;
    SwayPlotWidget* swayPlot_;
    QToolButton* plateDrawingToggle_;  // shows the plate-scale drawing instead of the plot
};
