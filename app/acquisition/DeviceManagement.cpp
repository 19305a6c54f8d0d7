#include "DeviceManagement.h"

#include <QHeaderView>
#include <QStringList>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidgetItem>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "ForcePlateStaticTest.h"
#include "GlobalState.h"
#include "PressImage.h"
#include "RecordingWriter.h"
#include "forcePlateWriteReadThread.h"
#include "libPladex.h"
#include "libTavloWidget.h"
#include "serialIdentifier.h"
#include "ui_DeviceManagement.h"

namespace {

constexpr int kListenPort = 10001;
constexpr int kRateColumn = 4;
constexpr int kImageSide = 500;
constexpr int kPixelValues = kImageSide * kImageSide * 3;
const char* const kPlateModel = "M12";

// The first of the distinct comma-separated entries.
QString firstDistinct(const char* list) {
    QStringList entries = QString::fromLatin1(list).split(',');
    entries.removeDuplicates();
    return entries.value(0);
}

}  // namespace

DeviceManagement::DeviceManagement(QWidget* parent)
    : QWidget(parent), ui_(new Ui::DeviceManagement) {
    ui_->setupUi(this);
    // Five columns within the left panel's 240 px, so no horizontal scroll bar.
    const int widths[] = {34, 72, 36, 40, 44};
    for (int c = 0; c < 5; ++c) ui_->treeWidget->setColumnWidth(c, widths[c]);
    ui_->treeWidget->header()->setFont(QFont("Microsoft YaHei UI", 10));
    ui_->treeWidget->header()->setDefaultAlignment(Qt::AlignCenter);

    acquisition_ = new forcePlateWriteReadThread(this);
    frameClock_.start();
    // Connected before the frame slot, so that a frame's arrival is noted before the slot can
    // run for it.
    connect(
        acquisition_, &forcePlateWriteReadThread::sigNewForcePlateFrame, this,
        [this](const QString&, const ForcePlateFrame_TypeDef&, unsigned int) {
            const std::lock_guard<std::mutex> lock(arrivalsMutex_);
            arrivals_.push_back(frameClock_.nsecsElapsed());
        },
        Qt::DirectConnection);
    connect(acquisition_,
            SIGNAL(sigNewForcePlateFrame(QString, const ForcePlateFrame_TypeDef&, unsigned int)),
            this,
            SLOT(onNewForcePlateFrame(QString, const ForcePlateFrame_TypeDef&, unsigned int)));
    acquisition_->setRunning(true);
    acquisition_->start(QThread::InheritPriority);

    LibPladex_ListenUDPPort(kListenPort);
    rateClock_.start();
    auto* rateTimer = new QTimer(this);
    connect(rateTimer, &QTimer::timeout, this, &DeviceManagement::showFrameRates);
    rateTimer->start(1000);
    connect(ui_->pushButtonNewDevice, SIGNAL(clicked()), this, SLOT(onPB_refreshDevice_clicked()));

    camPlot_ = globalState().realTimeView->getCamPlot();
    camPlot_->setName(std::string("libTavloWig"));
    camPlot_->setCenterCrossDraw(false);
    camPlot_->setIsGridBorderDraw(true);
}

DeviceManagement::~DeviceManagement() {
    delete acquisition_;  // stops the thread before the arrival queue it writes goes
    stopRecording();
    delete ui_;
}

void DeviceManagement::onPB_refreshDevice_clicked() {
    deviceCount_ = LibPladex_getDevices();
    QList<QPair<QString, QString>> found;
    for (int index = 0; index < deviceCount_; ++index) {
        char serial[64] = {};
        char addresses[128] = {};
        char ports[128] = {};
        int columns = 0, rows = 0;
        LibPladex_getDeviceInfoByIndex(index, serial, &columns, &rows, addresses, ports);
        const QString name = QString::fromLatin1(serial);
        deviceInfo_[name + "_ip"] = firstDistinct(addresses);
        deviceInfo_[name + "_port"] = firstDistinct(ports);

        const auto known = [&](const QPair<QString, QString>& d) { return d.first == name; };
        if (std::any_of(knownDevices_.begin(), knownDevices_.end(), known) ||
            std::any_of(found.begin(), found.end(), known))
            continue;
        found.append({name, kPlateModel});
        acquisition_->appendDevice(serial, static_cast<int>(std::strlen(serial)));
        camPlot_->AddSensorMatrix(serialIdentifier(name), kImageSide, kImageSide);
    }
    knownDevices_.append(found);

    ui_->treeWidget->clear();
    for (int i = 0; i < knownDevices_.size(); ++i) {
        auto* item = new QTreeWidgetItem(QStringList{QString::number(i + 1), knownDevices_[i].first,
                                                     knownDevices_[i].second, "在线", "-"});
        for (int c = 0; c < 5; ++c) item->setTextAlignment(c, Qt::AlignCenter);
        ui_->treeWidget->insertTopLevelItem(0, item);  // newest plate first
    }
    globalState().realTimeView->setDeviceList(knownDevices_);
    if (globalState().mainTabWidget) globalState().mainTabWidget->setCurrentIndex(0);
}

void DeviceManagement::onNewForcePlateFrame(QString deviceName,
                                            const ForcePlateFrame_TypeDef& frame,
                                            unsigned int frameRate) {
    qint64 arrivalNs = -1;  // a frame handed in directly (tests) arrives now
    {
        const std::lock_guard<std::mutex> lock(arrivalsMutex_);
        if (!arrivals_.empty()) {
            arrivalNs = arrivals_.front();
            arrivals_.pop_front();
        }
    }
    ++framesSinceRateShown_[deviceName];
    if (!active_) return;
    const unsigned int deviceId = serialIdentifier(deviceName);
    deviceInfo_[deviceName + "_frequency"] = frameRate;
    if (pixelBuffer_.empty()) pixelBuffer_.assign(kPixelValues, 0);
    recordFrame(deviceName, frame, arrivalNs);

    // Rendering and uploading a picture costs more than a frame interval: show only every
    // fourth frame (twentieth for the table of 2500 items), counted over all plates.
    const bool tableMode = globalState().realTimeView->isTableMode();
    if (++displayCounter_ < (tableMode ? 20 : 4)) return;
    displayCounter_ = 0;
    if (tableMode)
        showInTable(frame);
    else
        showAsPicture(deviceId, frame);
}

// Counted as the frames reach this panel, so the figure is what the program gets and records,
// lost frames excluded.
void DeviceManagement::showFrameRates() {
    const double seconds = rateClock_.restart() / 1000.0;
    for (int i = 0; i < ui_->treeWidget->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ui_->treeWidget->topLevelItem(i);
        const int frames = framesSinceRateShown_.value(item->text(1));
        const long rate = seconds > 0 ? std::lround(frames / seconds) : 0;
        item->setText(kRateColumn, QString("%1 Hz").arg(rate));
    }
    framesSinceRateShown_.clear();
}

void DeviceManagement::showInTable(const ForcePlateFrame_TypeDef& frame) {
    QTableWidget* table = globalState().valueTable;
    if (!table) return;
    for (int i = 0; i < 50; ++i)
        for (int j = 0; j < 50; ++j)
            table->setItem(i, j,
                           new QTableWidgetItem(QString::number(
                               static_cast<quint16>(frame.cells[50 * i + j].value))));
}

void DeviceManagement::showAsPicture(unsigned int deviceId, const ForcePlateFrame_TypeDef& frame) {
    displayMatrix_ = toPressureMatrix(frame);
    const cv::Mat image = drawPressImage(displayMatrix_, QString(), kImageSide, kImageSide);
    copyToRgbPixels(image, pixelBuffer_);
    camPlot_->SetFrameGridMode_Frames(static_cast<int>(deviceId), pixelBuffer_.data(),
                                      static_cast<int>(pixelBuffer_.size()));
}

RecordingError DeviceManagement::startRecording() {
    recordFile_ = std::make_unique<RecordingWriter>();
    RecordingHeader header;
    header.tag = recordFileTag_;
    header.measureMode = globalState().realTimeView->measureModeIndex();
    header.frameRate = streamingFrameRate();
    const RecordingError result = recordFile_->open(recordFilePath_, header);
    lastDiskSync_.start();
    recordingStartNs_ = frameClock_.nsecsElapsed();
    plateFirstFrameNs_.clear();
    platesDone_.clear();
    if (!result.ok()) {
        std::printf("startRecording() %s\r\n", result.message.toUtf8().constData());
        recordFile_.reset();
    }
    return result;
}

RecordingError DeviceManagement::recordFrame(const QString& serial,
                                             const ForcePlateFrame_TypeDef& frame,
                                             qint64 arrivalNs) {
    // Every plate's frames go to the one file, in arrival order.
    if (!recording_ || !recordFile_) return {};
    if (arrivalNs < 0) arrivalNs = frameClock_.nsecsElapsed();
    if (!withinRecordingTime(serial, arrivalNs)) {
        if (platesDone_.size() == plateFirstFrameNs_.size()) {
            recording_ = false;
            emit recordingComplete();
        }
        return {};
    }
    RecordingError result = recordFile_->appendFrame(frame);
    if (result.ok()) {
        lastFrameNs_ = arrivalNs;
        if (recordFile_->frameCount() == 1) firstFrameNs_ = lastFrameNs_;
    }
    // Frames reach the system at once; once a second they are also put on the disk, so that
    // even a power cut loses at most about a second of the measurement.
    if (result.ok() && lastDiskSync_.elapsed() >= 1000) {
        result = recordFile_->syncToDisk();
        lastDiskSync_.restart();
    }
    if (!result.ok()) {
        std::printf("recordFrame() %s\r\n", result.message.toUtf8().constData());
        std::fflush(stdout);
        recording_ = false;
        stopRecording();
        emit recordingFailed(result.message);
    }
    return result;
}

// Decided per frame by its arrival, so the file holds the recording time's frames however late
// the first frame comes and however the display timers run.
bool DeviceManagement::withinRecordingTime(const QString& serial, qint64 arrivalNs) {
    if (recordingSeconds_ <= 0) return true;
    if (platesDone_.contains(serial)) return false;
    const qint64 first = plateFirstFrameNs_.value(serial, -1);
    if (first < 0) {
        plateFirstFrameNs_.insert(serial, arrivalNs);
        return true;
    }
    if (arrivalNs - first < qint64(recordingSeconds_) * 1000000000) return true;
    platesDone_.insert(serial);
    return false;
}

double DeviceManagement::recordedSeconds() const {
    if (!recordFile_ || recordFile_->frameCount() == 0) return 0;
    return (frameClock_.nsecsElapsed() - firstFrameNs_) / 1e9;
}

// Frames of every streaming plate go to the one file, so its rate is their sum; 200 until a
// plate has reported a rate.
std::uint16_t DeviceManagement::streamingFrameRate() const {
    unsigned int sum = 0;
    for (const auto& device : knownDevices_)
        sum += deviceInfo_.value(device.first + "_frequency").toUInt();
    return sum == 0 ? recording::kNominalFrameRate
                    : static_cast<std::uint16_t>(std::min(sum, 65535u));
}

RecordingError DeviceManagement::stopRecording() {
    if (!recordFile_) return {};
    // The rate the file really has: frames written over the time they took, measured between
    // the first and the last frame as they were written, so that frames still queued when the
    // recording starts or stops do not bias it. With fewer than two frames: frames over the
    // recording's time.
    const qint64 frames = recordFile_->frameCount();
    const double span = (lastFrameNs_ - firstFrameNs_) / 1e9;
    const double seconds = (frameClock_.nsecsElapsed() - recordingStartNs_) / 1e9;
    const double measured = frames >= 2 && span > 0 ? (frames - 1) / span
                            : seconds > 0           ? frames / seconds
                                                    : 0;
    recordFile_->rewriteFrameRate(
        static_cast<std::uint16_t>(std::clamp(std::lround(measured), 1L, 65535L)));
    const RecordingError synced = recordFile_->syncToDisk();
    RecordingError result = recordFile_->close();
    if (result.ok()) result = synced;
    recordFile_.reset();
    return result;
}
