#include "timeLine.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QIntValidator>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "AppConstants.h"
#include "DeviceManagement.h"
#include "ForcePlateStaticTest.h"
#include "PrivateFiles.h"
#include "ui_timeLine.h"

namespace {

constexpr int kRecordTimeTickMs = 100;
const char* const kPlayIcon = "Images/play.png";
const char* const kPauseIcon = "images/pause.png";

void warn(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, "操作提示", text, QMessageBox::Ok);
}

// The playback speeds offered, as shown and as factors of real time; 1x is the default.
const struct {
    const char* text;
    double factor;
} kSpeeds[] = {{"0.25x", 0.25}, {"0.5x", 0.5}, {"1x", 1.0}, {"2x", 2.0}, {"4x", 4.0}};
constexpr int kDefaultSpeedIndex = 2;

// A typed frame number outside the recording is brought into it when Enter is pressed.
class FrameNumberValidator : public QIntValidator {
public:
    using QIntValidator::QIntValidator;
    void fixup(QString& input) const override {
        bool ok = false;
        const int n = input.toInt(&ok);
        input = QString::number(ok ? qBound(bottom(), n, top()) : bottom());
    }
};

}  // namespace

timeLine::timeLine(DeviceManagement* panel, ForcePlateStaticTest* realTime, QWidget* parent)
    : QWidget(parent),
      panel_(panel),
      realTime_(realTime),
      ui_(new Ui::timeLine),
      recordTimer_(new QTimer(this)),
      playTimer_(new QTimer(this)),
      frameValidator_(new FrameNumberValidator(1, 1, this)) {
    ui_->setupUi(this);
    ui_->_recordBtn_2->setIcon(QIcon(app::resourcePath("images/Record.png")));
    ui_->_backReduceFrameBtn->setIcon(QIcon(app::resourcePath("images/toLeft.png")));
    ui_->_playBtn->setIcon(QIcon(app::resourcePath("images/play.png")));
    ui_->_forAddFrameBtn->setIcon(QIcon(app::resourcePath("images/toRight.png")));
    ui_->recordTimeShower->hide();

    connect(ui_->_recordBtn_2, &QToolButton::clicked, this, &timeLine::sloatActionRealDrawData);
    connect(recordTimer_, &QTimer::timeout, this, &timeLine::displayTimeOnUI);
    connect(ui_->horizontalSlider, &QSlider::valueChanged, this, &timeLine::slotActionSetValue);
    connect(playTimer_, &QTimer::timeout, this, &timeLine::playData);
    connect(ui_->_playBtn, &QToolButton::clicked, this, &timeLine::slotActionPlayOrStop);
    connect(ui_->_backReduceFrameBtn, &QToolButton::clicked, this,
            &timeLine::slotActionReduceFrame);
    connect(ui_->_forAddFrameBtn, &QToolButton::clicked, this, &timeLine::slotActionAddFrame);
    connect(ui_->horizontalSlider, &QSlider::sliderPressed, this,
            &timeLine::slotActionOnSliderPressed);
    if (panel_) {
        connect(panel_, &DeviceManagement::recordingFailed, this, &timeLine::onRecordingFailed);
        connect(panel_, &DeviceManagement::recordingComplete, this,
                [this] { stopRecordingSequence(); });
    }

    playTimer_->setTimerType(Qt::PreciseTimer);
    for (const auto& speed : kSpeeds) ui_->comboBoxSpeed->addItem(speed.text, speed.factor);
    ui_->comboBoxSpeed->setCurrentIndex(kDefaultSpeedIndex);
    connect(ui_->comboBoxSpeed, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] {
        if (playing_) restartPlaybackClock();
    });
    ui_->lineEditFrame->setValidator(frameValidator_);
    connect(ui_->lineEditFrame, &QLineEdit::returnPressed, this, &timeLine::onFrameTyped);
    showPlaybackTime(0);
}

timeLine::~timeLine() { delete ui_; }

void timeLine::setTimelineControlsVisible(bool visible) {
    QWidget* const controls[] = {ui_->_backReduceFrameBtn,
                                 ui_->_playBtn,
                                 ui_->_forAddFrameBtn,
                                 ui_->comboBoxSpeed,
                                 ui_->horizontalSlider,
                                 ui_->labelPlaybackTime,
                                 ui_->label_3,
                                 ui_->lineEditFrame,
                                 ui_->label_2,
                                 ui_->label_4,
                                 ui_->lineEditTotalFrame};
    for (QWidget* widget : controls) widget->setVisible(visible);
    controlsVisible_ = visible;
}

// ---- recording ----

void timeLine::sloatActionRealDrawData() {
    DeviceManagement* panel = panel_;
    if (!panel || !realTime_ || !panel->isActive()) {
        warn(this, "请先切换到【单板实时模式】选择设备！");
        return;
    }
    if (panel->knownDevices().isEmpty()) {
        warn(this, "请先点击左侧【发现与刷新】按钮搜索可用设备！");
        return;
    }
    if (ui_->_recordBtn_2->isChecked())
        startRecordingSequence();
    else
        stopRecordingSequence();
}

void timeLine::startRecordingSequence() {
    DeviceManagement* panel = panel_;
    ForcePlateStaticTest* realTime = realTime_;
    ui_->_recordBtn_2->setCheckable(false);  // also unchecks it: the next click stops

    createPrivateFolder(app::dataDirectory());
    const QString path = app::dataDirectory() +
                         QDateTime::currentDateTime().toString("yyyyMMdd_hhmmsszzz") +
                         realTime->fileTag() + app::kRecordingExtension;
    panel->setRecordFilePath(path);
    panel->setRecordFileTag(realTime->fileTag());
    panel->setRecordMeasureMode(realTime->measureModeIndex());
    recordingSeconds_ = realTime->measureTimeIndex() == 0 ? 0 : realTime->measureTimeText().toInt();
    panel->setRecordingSeconds(recordingSeconds_);
    const RecordingError opened = panel->startRecording();
    if (!opened.ok()) {
        setRecordButtonIdle();
        warn(this, QString("无法创建数据文件，录制未开始：\n%1").arg(opened.message));
        return;
    }
    recordTimer_->start(kRecordTimeTickMs);
    displayTimeOnUI();
    setMeasureChoicesEnabled(false);
    realTime->setRecordingMarked(true);
}

void timeLine::stopRecordingSequence() {
    recordTimer_->stop();
    setRecordButtonIdle();
    RecordingError closed;
    QString losses;
    if (panel_) {
        closed = panel_->stopRecording();
        losses = panel_->lossReport();
    }
    if (realTime_) realTime_->setRecordingMarked(false);
    emit recordingSaved();
    setMeasureChoicesEnabled(true);
    ui_->lineEditTime->setText("0");
    if (!closed.ok()) warn(this, QString("数据文件未能完整保存：\n%1").arg(closed.message));
    // Frames the plates sent but the files lack: the clinician must know.
    else if (!losses.isEmpty())
        warn(this, QString("录制中有帧丢失：\n%1").arg(losses));
}

void timeLine::onRecordingFailed(const QString& message) {
    stopRecordingSequence();
    // Told after the frame slot has returned, so that no frame waits behind the message.
    QTimer::singleShot(0, this, [this, message] {
        warn(this, QString("写入数据文件失败，录制已停止（已写入的帧保留）：\n%1").arg(message));
    });
}

// A fixed time counts down the seconds left, a free recording counts up; both from the first
// recorded frame. The device panel ends a fixed time by the frames' arrival; should the frames
// stop coming (a plate unplugged), the recording ends a second after its time here.
void timeLine::displayTimeOnUI() {
    const double elapsed = panel_ ? panel_->recordedSeconds() : 0;
    if (recordingSeconds_ > 0 && elapsed > recordingSeconds_ + 1) {
        stopRecordingSequence();
        return;
    }
    const int shown = recordingSeconds_ > 0
                          ? std::max(0, int(std::ceil(recordingSeconds_ - elapsed)))
                          : int(elapsed);
    const QString text = QString::number(shown);
    if (ui_->lineEditTime->text() != text) ui_->lineEditTime->setText(text);
}

void timeLine::setRecordButtonIdle() {
    ui_->_recordBtn_2->setCheckable(true);
    ui_->_recordBtn_2->setChecked(false);
}

void timeLine::setMeasureChoicesEnabled(bool enabled) {
    if (realTime_) realTime_->setMeasureChoicesEnabled(enabled);
}

// ---- playback ----

void timeLine::setPlaybackAllowed(bool allowed) { playbackAllowed_ = allowed; }

void timeLine::slotActionPlayOrStop() {
    if (!playbackAllowed_) return;
    if (playing_)
        stopPlayback();
    else
        startPlayback();
}

void timeLine::startPlayback() {
    if (totalFrames_ < 1) return;
    // From the last frame (a playback that ended) it plays again from the first.
    if (currentFrame_ < 1 || currentFrame_ >= totalFrames_) goToFrame(1);
    playing_ = true;
    ui_->_playBtn->setCheckable(false);
    ui_->_playBtn->setIcon(QIcon(app::resourcePath(kPauseIcon)));
    ui_->_playBtn->setToolTip("暂停");
    restartPlaybackClock();
    playTimer_->start(kPlaybackTickMs);
}

void timeLine::restartPlaybackClock() {
    playbackClock_.start(std::max(1, currentFrame_), totalFrames_, frameRate_, playbackSpeed());
    playbackElapsed_.start();
}

double timeLine::playbackSpeed() const { return ui_->comboBoxSpeed->currentData().toDouble(); }

void timeLine::stopPlayback() {
    playing_ = false;
    playTimer_->stop();
    ui_->_playBtn->setCheckable(true);
    ui_->_playBtn->setIcon(QIcon(app::resourcePath(kPlayIcon)));
    ui_->_playBtn->setToolTip("播放");
}

void timeLine::resetTimeline() {
    stopPlayback();
    totalFrames_ = 0;
    currentFrame_ = 0;
    const QSignalBlocker quiet(ui_->horizontalSlider);
    ui_->horizontalSlider->setRange(0, 10000);
    ui_->horizontalSlider->setValue(0);
    ui_->lineEditFrame->setText("0");
    ui_->lineEditTotalFrame->setText("0");
    frameValidator_->setRange(1, 1);
    showPlaybackTime(0);
}

void timeLine::setTotalFrames(int total, double rate) {
    totalFrames_ = total;
    frameRate_ = rate;
    const QSignalBlocker quiet(ui_->horizontalSlider);
    ui_->horizontalSlider->setRange(1, total);
    ui_->lineEditTotalFrame->setText(QString::number(total));
    frameValidator_->setRange(1, std::max(1, total));
    showPlaybackTime(currentFrame_);
}

void timeLine::followRecording(int total, double rate, int frame) {
    setTotalFrames(total, rate);
    const QSignalBlocker quiet(ui_->horizontalSlider);
    ui_->horizontalSlider->setValue(frame);
}

void timeLine::playData() {
    const qint64 elapsedNs = playbackElapsed_.nsecsElapsed();
    const int due = playbackClock_.frameAt(elapsedNs);
    // Only the frame due now is drawn; the ones passed meanwhile are skipped.
    if (due != currentFrame_) {
        currentFrame_ = due;
        showPlaybackPosition(due);
        if (playbackAllowed_) emit frameChosen(due);
    }
    if (playbackClock_.endedAt(elapsedNs)) {
        stopPlayback();
        emit playbackFinished();
    }
}

void timeLine::goToFrame(int frame) {
    currentFrame_ = frame;
    showPlaybackPosition(frame);
    emit frameChosen(frame);
}

void timeLine::showPlaybackPosition(int frame) {
    {
        const QSignalBlocker quiet(ui_->horizontalSlider);
        ui_->horizontalSlider->setValue(frame);
    }
    ui_->lineEditFrame->setText(QString::number(frame));
    showPlaybackTime(frame);
}

void timeLine::showPlaybackTime(int frame) {
    ui_->labelPlaybackTime->setText(playbackTimeText(frame, totalFrames_, frameRate_));
}

void timeLine::onFrameTyped() {
    if (totalFrames_ < 1) return;
    goToFrame(qBound(1, ui_->lineEditFrame->text().toInt(), totalFrames_));
    if (playing_) restartPlaybackClock();
}

void timeLine::slotActionSetValue(int a) {
    if (!playing_) goToFrame(a);
}

void timeLine::slotActionAddFrame() {
    const int n = ui_->lineEditFrame->text().toInt();
    if (n >= totalFrames_) return;
    goToFrame(n + 1);
}

void timeLine::slotActionReduceFrame() {
    const int n = ui_->lineEditFrame->text().toInt();
    if (n < 2) return;
    goToFrame(n - 1);
}

void timeLine::slotActionOnSliderPressed() {
    if (playing_) stopPlayback();
}
