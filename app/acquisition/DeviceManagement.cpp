#include "DeviceManagement.h"

#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidgetItem>
#include <algorithm>
#include <cmath>

#include "PressImage.h"
#include "libPladex.h"
#include "libTavloWidget.h"
#include "serialIdentifier.h"
#include "ui_DeviceManagement.h"

namespace {

constexpr int kRateColumn = 4;
constexpr int kReceivedColumn = 5;  // then missed, refused
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

DeviceManagement::DeviceManagement(const LiveDisplay& display, const ColorOfPressMap& scale,
                                   QWidget* parent)
    : QWidget(parent), ui_(new Ui::DeviceManagement), display_(display), scale_(scale) {
    ui_->setupUi(this);
    // Five columns within the left panel's 240 px, so no horizontal scroll bar.
    const int widths[] = {34, 72, 36, 40, 44};
    for (int c = 0; c < 5; ++c) ui_->treeWidget->setColumnWidth(c, widths[c]);
    ui_->treeWidget->header()->setFont(QFont("Microsoft YaHei UI", 10));
    ui_->treeWidget->header()->setDefaultAlignment(Qt::AlignCenter);

    ui_->treeWidget->setColumnCount(kReceivedColumn + 3);
    const char* const counts[] = {"接收", "丢失", "拒收"};
    for (int c = 0; c < 3; ++c) {
        ui_->treeWidget->headerItem()->setText(kReceivedColumn + c, counts[c]);
        ui_->treeWidget->setColumnWidth(kReceivedColumn + c, 48);
    }

    listenError_ = new QLabel(this);
    listenError_->setObjectName("labelListenError");
    listenError_->setWordWrap(true);
    listenError_->setStyleSheet("color: rgb(200, 0, 0);");
    ui_->verticalLayout->addWidget(listenError_);
    session_ = new AcquisitionSession(listenSettingsFromIni(), this);
    const QString listenProblem = session_->start();
    listenError_->setText(listenProblem);
    listenError_->setVisible(!listenProblem.isEmpty());
    connect(session_, &AcquisitionSession::newestFrame, this,
            &DeviceManagement::onNewForcePlateFrame);
    connect(session_, &AcquisitionSession::recordingComplete, this,
            &DeviceManagement::recordingComplete);
    connect(session_, &AcquisitionSession::recordingFailed, this,
            &DeviceManagement::recordingFailed);

    rateClock_.start();
    auto* rateTimer = new QTimer(this);
    connect(rateTimer, &QTimer::timeout, this, &DeviceManagement::showFrameRates);
    rateTimer->start(1000);
    connect(ui_->pushButtonNewDevice, &QPushButton::clicked, this,
            &DeviceManagement::onPB_refreshDevice_clicked);

    display_.picture->setName(std::string("libTavloWig"));
    display_.picture->setCenterCrossDraw(false);
    display_.picture->setIsGridBorderDraw(true);
}

DeviceManagement::~DeviceManagement() {
    delete session_;  // stops the recording and the reader before the views go
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
        display_.picture->AddSensorMatrix(serialIdentifier(name), kImageSide, kImageSide);
    }
    knownDevices_.append(found);

    ui_->treeWidget->clear();
    for (int i = 0; i < knownDevices_.size(); ++i) {
        auto* item = new QTreeWidgetItem(QStringList{QString::number(i + 1), knownDevices_[i].first,
                                                     knownDevices_[i].second, "在线", "-"});
        for (int c = 0; c < 5; ++c) item->setTextAlignment(c, Qt::AlignCenter);
        ui_->treeWidget->insertTopLevelItem(0, item);  // newest plate first
    }
    emit devicesListed(knownDevices_);
}

// Each call brings a plate's newest frame; the session skips the frames in between.
void DeviceManagement::onNewForcePlateFrame(QString deviceName,
                                            const ForcePlateFrame_TypeDef& frame,
                                            unsigned int frameRate) {
    if (!active_) return;
    deviceInfo_[deviceName + "_frequency"] = frameRate;
    if (pixelBuffer_.empty()) pixelBuffer_.assign(kPixelValues, 0);
    // The table of 2500 items costs far more than a picture: a few times a second is enough.
    if (display_.tableMode) {
        if (++tableCounter_ % 5 == 0) showInTable(frame);
    } else {
        showAsPicture(serialIdentifier(deviceName), frame);
    }
}

// The rate is counted from the frames the session took, so the figure is what the program
// gets and records, lost frames excluded.
void DeviceManagement::showFrameRates() {
    const double seconds = rateClock_.restart() / 1000.0;
    QHash<QString, PlateStatus> plates;
    for (const PlateStatus& plate : session_->plates()) plates.insert(plate.serial, plate);
    for (int i = 0; i < ui_->treeWidget->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ui_->treeWidget->topLevelItem(i);
        const PlateStatus plate = plates.value(item->text(1));
        const qint64 frames = plate.received - receivedAtLastRate_.value(plate.serial, 0);
        const long rate =
            seconds > 0 && !plate.serial.isEmpty() ? std::lround(frames / seconds) : 0;
        item->setText(kRateColumn, QString("%1 Hz").arg(rate));
        const qint64 counts[] = {plate.received, plate.missed, plate.refused};
        for (int c = 0; c < 3; ++c) {
            item->setText(kReceivedColumn + c, QString::number(counts[c]));
            item->setTextAlignment(kReceivedColumn + c, Qt::AlignCenter);
        }
    }
    receivedAtLastRate_.clear();
    for (const PlateStatus& plate : plates)
        receivedAtLastRate_.insert(plate.serial, plate.received);
}

void DeviceManagement::showInTable(const ForcePlateFrame_TypeDef& frame) {
    QTableWidget* table = display_.valueTable;
    if (!table) return;
    for (int i = 0; i < 50; ++i)
        for (int j = 0; j < 50; ++j)
            table->setItem(i, j,
                           new QTableWidgetItem(QString::number(
                               static_cast<quint16>(frame.cells[50 * i + j].value))));
}

void DeviceManagement::showAsPicture(unsigned int deviceId, const ForcePlateFrame_TypeDef& frame) {
    displayMatrix_ = toPressureMatrix(frame);
    const cv::Mat image = drawPressImage(scale_, displayMatrix_, QString(), kImageSide, kImageSide);
    copyToRgbPixels(image, pixelBuffer_);
    // Drawn with the widget's next paint: the plates shown together cost one draw.
    display_.picture->SetFrameGridMode_FramesDeferred(
        static_cast<int>(deviceId), pixelBuffer_.data(), static_cast<int>(pixelBuffer_.size()));
}

RecordingError DeviceManagement::startRecording() {
    RecordingRequest request;
    request.path = recordFilePath_;
    request.tag = recordFileTag_;
    request.measureMode = recordMeasureMode_;
    request.seconds = recordingSeconds_;
    lastRecording_.clear();
    return session_->startRecording(request);
}

RecordingError DeviceManagement::stopRecording() {
    if (!session_->isRecording()) return {};
    lastRecording_.clear();
    return session_->stopRecording(&lastRecording_);
}

QString DeviceManagement::lossReport() const {
    QStringList lines;
    for (const PlateRecordingSummary& file : lastRecording_) {
        if (file.missed > 0)
            lines << QString("%1：%2 帧中缺少 %3 帧")
                         .arg(file.file)
                         .arg(file.frames + file.missed)
                         .arg(file.missed);
    }
    return lines.join('\n');
}
