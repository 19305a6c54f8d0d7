#include "AcquisitionSession.h"

#include <pthread.h>
#include <time.h>

#include <QFileInfo>
#include <QHostAddress>
#include <QSettings>
#include <QTimer>
#include <cstring>

#include "AppConstants.h"

namespace {

constexpr int kWaitMs = 100;
// New plates and their counters are looked up this often; their frames wait in the library's
// queue meanwhile, so none is lost.
constexpr std::int64_t kPlateRefreshNs = 50'000'000;
constexpr int kDefaultDisplayIntervalMs = 1000 / 30;
// The newest frames of all plates are shown together and drawn as one picture. Making a
// plate's picture costs about 0.3 ms; with many plates each is shown less often, so that at
// most this many plate pictures are made per second.
constexpr int kPlatePicturesPerSecond = 60;
// A plate counts as sending when its latest frame is this recent.
constexpr std::int64_t kSendingWithinNs = 1'000'000'000;

std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

QString withSerial(const QString& path, const std::string& serial) {
    const QString suffix = QFileInfo(path).suffix();
    const QString stem = suffix.isEmpty() ? path : path.chopped(suffix.size() + 1);
    return stem + "_" + QString::fromStdString(serial) + (suffix.isEmpty() ? "" : "." + suffix);
}

}  // namespace

ListenSettings listenSettingsFromIni() {
    ListenSettings result;
    const QSettings ini(app::applicationIniPath("Tessaly.ini"), QSettings::IniFormat);
    bool ok = false;
    const int port = ini.value(kListenPortKey).toInt(&ok);
    if (ok && port > 0 && port < 65536) result.port = port;
    const QString address = ini.value("acquisition/address").toString().trimmed();
    if (address.count(QLatin1Char('.')) == 3 &&
        QHostAddress(address).protocol() == QAbstractSocket::IPv4Protocol)
        result.address = address;
    return result;
}

AcquisitionSession::AcquisitionSession(ListenSettings settings, QObject* parent)
    : QObject(parent), settings_(std::move(settings)), displayTimer_(new QTimer(this)) {
    registerForcePlateFrameMetaType();
    minimumDisplayIntervalMs_ = kDefaultDisplayIntervalMs;
    displayTimer_->setInterval(kDefaultDisplayIntervalMs);
    connect(displayTimer_, &QTimer::timeout, this, &AcquisitionSession::showNewest);
}

AcquisitionSession::~AcquisitionSession() {
    stopRecording();
    running_.store(false);
    if (reader_.joinable()) reader_.join();
}

QString AcquisitionSession::start() {
    if (running_.load()) return listenError_;
    const QByteArray address = settings_.address.toLatin1();
    const int result = LibPladex_ListenUDPAddress(address.constData(), settings_.port);
    if (result != 0) {
        listenError_ = QString("无法在 %1:%2 接收测力板数据（错误 %3）")
                           .arg(settings_.address.isEmpty() ? QString("*") : settings_.address)
                           .arg(settings_.port)
                           .arg(result);
    }
    running_.store(true);
    reader_ = std::thread([this] { readLoop(); });
    displayTimer_->start();
    return listenError_;
}

void AcquisitionSession::setDisplayIntervalMs(int milliseconds) {
    minimumDisplayIntervalMs_ = std::max(1, milliseconds);
    displayTimer_->setInterval(minimumDisplayIntervalMs_);
}

std::vector<PlateStatus> AcquisitionSession::plates() const {
    std::lock_guard<std::mutex> lock(statusMutex_);
    return status_;
}

void AcquisitionSession::readLoop() {
    pthread_setname_np(pthread_self(), "plate-reader");  // as debuggers and tests see it
    ForcePlateFrame_TypeDef frame;
    LibPladex_FrameInfo info{};
    std::vector<std::string> serials;
    std::int64_t nextRefresh = 0;
    while (running_.load()) {
        LibPladex_waitForQueuedFrame(kWaitMs);
        if (monotonicNs() >= nextRefresh) {
            refreshPlates(serials);
            nextRefresh = monotonicNs() + kPlateRefreshNs;
        }
        for (const std::string& serial : serials)
            while (LibPladex_readQueuedFrameBySN(serial.c_str(), frame.cells, &info) == 1)
                takeFrame(serial, frame, info);
        // A plate not listed yet has frames waiting: list it at once.
        LibPladex_LibraryStats library{};
        if (LibPladex_getLibraryStats(&library) == 0 && library.queuedFrames > 0) nextRefresh = 0;
    }
}

void AcquisitionSession::refreshPlates(std::vector<std::string>& serials) {
    const int count = LibPladex_getDevices();
    serials.clear();
    for (int index = 0; index < count; ++index) {
        char serial[64] = {};
        char addresses[128] = {};
        char ports[128] = {};
        int columns = 0, rows = 0;
        LibPladex_getDeviceInfoByIndex(index, serial, &columns, &rows, addresses, ports);
        if (serial[0] != '\0') serials.emplace_back(serial);
    }
    std::lock_guard<std::mutex> lock(statusMutex_);
    for (PlateStatus& plate : status_) {
        LibPladex_ReceptionStats stats{};
        if (LibPladex_getReceptionStats(plate.serial.toLatin1().constData(), &stats) != 0) continue;
        plate.missed = qint64(stats.missed + stats.overflow);
        plate.refused = qint64(stats.foreign);
        plate.address = QString("%1:%2").arg(QString::fromLatin1(stats.address)).arg(stats.port);
    }
}

void AcquisitionSession::takeFrame(const std::string& serial, const ForcePlateFrame_TypeDef& frame,
                                   const LibPladex_FrameInfo& info) {
    {
        std::lock_guard<std::mutex> lock(statusMutex_);
        const QString name = QString::fromStdString(serial);
        auto it = std::find_if(status_.begin(), status_.end(),
                               [&](const PlateStatus& p) { return p.serial == name; });
        if (it == status_.end()) {
            PlateStatus added;
            added.serial = name;
            it = status_.insert(status_.end(), added);
        }
        ++it->received;
        it->frameRate = info.frameRate;
        it->lastFrameNs = info.receivedNs;
    }
    record(serial, frame, info);
    std::lock_guard<std::mutex> lock(displayMutex_);
    std::unique_ptr<DisplaySlot>& slot = display_[serial];
    if (!slot) slot = std::make_unique<DisplaySlot>();
    std::memcpy(&slot->frame, &frame, sizeof frame);
    slot->rate = static_cast<unsigned int>(std::max(0, info.frameRate));
    slot->fresh = true;
}

void AcquisitionSession::showNewest() {
    // Copied out first, so that the receiving slots never hold up the reader.
    std::vector<std::pair<QString, std::unique_ptr<DisplaySlot>>> shown;
    {
        std::lock_guard<std::mutex> lock(displayMutex_);
        const int shared = int(display_.size()) * 1000 / kPlatePicturesPerSecond;
        const int interval = std::max(minimumDisplayIntervalMs_, shared);
        if (displayTimer_->interval() != interval) displayTimer_->setInterval(interval);
        for (auto& entry : display_) {
            if (!entry.second->fresh) continue;
            entry.second->fresh = false;
            shown.emplace_back(QString::fromStdString(entry.first),
                               std::make_unique<DisplaySlot>(*entry.second));
        }
    }
    for (const auto& plate : shown)
        emit newestFrame(plate.first, plate.second->frame, plate.second->rate);
}

// ---- recording ----

RecordingError AcquisitionSession::startRecording(const RecordingRequest& request) {
    stopRecording();
    RecordingHeader header;
    header.tag = request.tag;
    header.measureMode = request.measureMode;
    auto first = std::make_unique<PlateRecording>();
    const RecordingError opened = first->open(request.path, header);
    if (!opened.ok()) return opened;
    std::lock_guard<std::mutex> lock(recordMutex_);
    request_ = request;
    unclaimed_ = std::move(first);
    const std::int64_t recently = monotonicNs() - kSendingWithinNs;
    const std::vector<PlateStatus> known = plates();
    severalPlates_ = std::count_if(known.begin(), known.end(), [&](const PlateStatus& plate) {
                         return plate.lastFrameNs >= recently;
                     }) > 1;
    completeSent_ = failureSent_ = false;
    recording_ = true;
    return {};
}

bool AcquisitionSession::isRecording() const {
    std::lock_guard<std::mutex> lock(recordMutex_);
    return recording_;
}

bool AcquisitionSession::hasRecordedFrames() const {
    std::lock_guard<std::mutex> lock(recordMutex_);
    return !recorded_.empty();
}

double AcquisitionSession::recordedSeconds() const {
    std::lock_guard<std::mutex> lock(recordMutex_);
    std::int64_t first = -1;
    for (const auto& plate : recorded_)
        if (plate.second.firstNs >= 0 && (first < 0 || plate.second.firstNs < first))
            first = plate.second.firstNs;
    return first < 0 ? 0 : (monotonicNs() - first) / 1e9;
}

// The file of a plate's recording; made at its first frame. recordMutex_ held.
AcquisitionSession::RecordedPlate* AcquisitionSession::recordedPlate(const std::string& serial) {
    auto found = recorded_.find(serial);
    if (found != recorded_.end()) return &found->second;
    RecordedPlate plate;
    if (unclaimed_) {
        plate.file = std::move(unclaimed_);
        if (severalPlates_) plate.file->rename(withSerial(request_.path, serial));
    } else {
        // A further plate: from now on every file names its plate.
        if (recorded_.size() == 1) {
            auto& only = *recorded_.begin();
            if (only.second.file->summary().file == request_.path)
                only.second.file->rename(withSerial(request_.path, only.first));
        }
        RecordingHeader header;
        header.tag = request_.tag;
        header.measureMode = request_.measureMode;
        plate.file = std::make_unique<PlateRecording>();
        const RecordingError opened = plate.file->open(withSerial(request_.path, serial), header);
        if (!opened.ok()) {
            if (!failureSent_) emit recordingFailed(opened.message);
            failureSent_ = true;
            return nullptr;
        }
    }
    LibPladex_ReceptionStats stats{};
    LibPladex_getReceptionStats(serial.c_str(), &stats);
    plate.foreignAtStart = stats.foreign;
    plate.file->setPlate(QString::fromStdString(serial),
                         QString("%1:%2").arg(QString::fromLatin1(stats.address)).arg(stats.port));
    return &recorded_.emplace(serial, std::move(plate)).first->second;
}

void AcquisitionSession::record(const std::string& serial, const ForcePlateFrame_TypeDef& frame,
                                const LibPladex_FrameInfo& info) {
    std::lock_guard<std::mutex> lock(recordMutex_);
    if (!recording_) return;
    RecordedPlate* plate = recordedPlate(serial);
    if (!plate || plate->done) return;
    if (plate->firstNs < 0) plate->firstNs = info.receivedNs;
    if (request_.seconds > 0 &&
        info.receivedNs - plate->firstNs >= std::int64_t(request_.seconds * 1e9)) {
        plate->done = true;
        const bool allDone = std::all_of(recorded_.begin(), recorded_.end(),
                                         [](const auto& p) { return p.second.done; });
        if (allDone && !completeSent_) {
            completeSent_ = true;
            emit recordingComplete();
        }
        return;
    }
    if (!plate->file->push(frame, info) && !failureSent_) {
        failureSent_ = true;
        emit recordingFailed(plate->file->failure().message);
    }
}

RecordingError AcquisitionSession::stopRecording(std::vector<PlateRecordingSummary>* summaries) {
    std::map<std::string, RecordedPlate> plates;
    std::unique_ptr<PlateRecording> unclaimed;
    {
        std::lock_guard<std::mutex> lock(recordMutex_);
        recording_ = false;
        plates.swap(recorded_);
        unclaimed = std::move(unclaimed_);
    }
    RecordingError result;
    const auto finish = [&](PlateRecording& file) {
        const RecordingError finished = file.finish();
        if (result.ok()) result = finished;
        if (summaries) summaries->push_back(file.summary());
    };
    for (auto& plate : plates) {
        LibPladex_ReceptionStats stats{};
        if (LibPladex_getReceptionStats(plate.first.c_str(), &stats) == 0)
            plate.second.file->addRefused(qint64(stats.foreign - plate.second.foreignAtStart));
        finish(*plate.second.file);
    }
    if (unclaimed) finish(*unclaimed);
    return result;
}
