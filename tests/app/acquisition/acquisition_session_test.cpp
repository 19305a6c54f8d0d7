// The acquisition session against the real library, fed over loopback: the display gets each
// plate's newest frame, the recording every frame, one file per plate.
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <chrono>
#include <thread>
#include <vector>

#include "AcquisitionSession.h"
#include "RecordingReader.h"
#include "loopback.h"

namespace {

plate::SourceFrame frameWithValueAt(int row, int column, std::uint16_t value) {
    plate::SourceFrame f{};
    f[50 * row + column] = value;
    return f;
}

// The frame's number rides in the plate's cell (0, 49), which the program sees at position 0,
// and above the noise level in cell (5, 44), which it sees and records at kRecordedCell.
constexpr int kRecordedCell = 50 * 5 + 5;
plate::SourceFrame numbered(std::uint32_t number) {
    plate::SourceFrame f = frameWithValueAt(0, 49, static_cast<std::uint16_t>(number));
    f[50 * 5 + 44] = static_cast<std::uint16_t>(1000 + number);
    return f;
}

struct ReceivedFrame {
    QString name;
    int value;
    unsigned int rate;
};

class FrameCollector : public QObject {
public:
    explicit FrameCollector(AcquisitionSession* session) {
        connect(session, &AcquisitionSession::newestFrame, this,
                [this](QString name, const ForcePlateFrame_TypeDef& frame, unsigned int rate) {
                    frames.push_back({name, frame.cells[0].value, rate});
                    firstCell = frame.cells[0];
                });
    }
    int lastValueOf(const QString& name) const {
        for (auto r = frames.rbegin(); r != frames.rend(); ++r)
            if (r->name == name) return r->value;
        return -1;
    }
    std::vector<ReceivedFrame> frames;
    PressureCell firstCell{};
};

QJsonObject sideFile(const QString& recording) {
    QFile file(recordingSidePath(recording));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

}  // namespace

class AcquisitionSessionTest : public QObject {
    Q_OBJECT
    int port_ = 0;
    std::unique_ptr<AcquisitionSession> session_;

private slots:
    void initTestCase() {
        port_ = testing_support::freeUdpPort();
        session_ = std::make_unique<AcquisitionSession>(ListenSettings{"127.0.0.1", port_});
        QCOMPARE(session_->start(), QString());
        QCOMPARE(session_->listenError(), QString());
    }

    void frameTypeTravelsThroughQueuedConnections() {
        const int id = QMetaType::type("ForcePlateFrame_TypeDef");
        QVERIFY(id != QMetaType::UnknownType);
        QCOMPARE(QMetaType::sizeOf(id), 40000);
        QVERIFY(QMetaType::typeFlags(id) & QMetaType::MovableType);
    }

    // One frame: shown once with the plate's name, the frame turned as the library delivers
    // it, and its rate; the plate is listed with its count.
    void oneFrameShownOnce() {
        FrameCollector received(session_.get());
        testing_support::LoopbackSender(port_).sendFrame(0x0000B13E, 41,
                                                         frameWithValueAt(0, 49, 2750));
        QTRY_COMPARE_WITH_TIMEOUT(received.frames.size(), std::size_t(1), 3000);
        QTest::qWait(100);
        QCOMPARE(received.frames.size(), std::size_t(1));
        QCOMPARE(received.frames[0].name, QString("0000B13E"));
        QCOMPARE(received.frames[0].value, 2750);
        QCOMPARE(received.firstCell.row, 0);
        QCOMPARE(received.firstCell.column, 49);
        QCOMPARE(received.frames[0].rate, 42u);  // first rate: frame number + 1
        bool listed = false;
        for (const PlateStatus& plate : session_->plates())
            if (plate.serial == "0000B13E") listed = plate.received == 1;
        QVERIFY(listed);
    }

    // A burst faster than the display: the display skips to each plate's newest frame, and
    // every plate is shown.
    void displayGetsTheNewestFrameOfEveryPlate() {
        FrameCollector received(session_.get());
        const testing_support::LoopbackSender sender(port_);
        for (std::uint32_t n = 1; n <= 200; ++n) {
            sender.sendFrame(0x0000C13E, n, numbered(n));
            sender.sendFrame(0x0000C23E, n, numbered(n));
        }
        QTRY_VERIFY_WITH_TIMEOUT(
            received.lastValueOf("0000C13E") == 200 && received.lastValueOf("0000C23E") == 200,
            3000);
        QVERIFY(received.frames.size() < 400);
    }

    // Every frame of every plate is recorded in order, each plate into its own file (the first
    // file takes its serial once a second plate sends); a gap in the frame numbers is counted
    // as missed; the side files say so, private like the recordings.
    void everyFrameRecordedOneFilePerPlate() {
        QTemporaryDir dir;
        RecordingRequest request;
        request.path = dir.filePath("walk.raw");
        request.tag = "S-0042";
        QVERIFY(session_->startRecording(request).ok());
        QVERIFY(QFileInfo::exists(request.path));
        const testing_support::LoopbackSender sender(port_);
        for (std::uint32_t n = 1; n <= 300; ++n)
            if (n != 150) sender.sendFrame(0x0000D13E, n, numbered(n));
        QTRY_VERIFY_WITH_TIMEOUT(session_->hasRecordedFrames(), 3000);
        QTest::qWait(300);  // the first plate is recording alone for a while
        for (std::uint32_t n = 7; n < 107; ++n) sender.sendFrame(0x0000D23E, n, numbered(n));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath("walk_0000D23E.raw")), 3000);
        QTest::qWait(300);
        std::vector<PlateRecordingSummary> files;
        QVERIFY(session_->stopRecording(&files).ok());
        QCOMPARE(files.size(), std::size_t(2));
        QVERIFY(!QFileInfo::exists(request.path));

        const struct {
            const char* serial;
            int frames, missed, firstValue, lastValue;
        } plates[] = {{"0000D13E", 299, 1, 1001, 1300}, {"0000D23E", 100, 0, 1007, 1106}};
        for (const auto& plate : plates) {
            const QString path = dir.filePath(QString("walk_%1.raw").arg(plate.serial));
            const RecordingContents contents = readRecording(path);
            QVERIFY2(contents.ok(), qPrintable(contents.error.message));
            QCOMPARE(contents.header.tag, QString("S-0042"));
            QCOMPARE(int(contents.frames.size()), plate.frames);
            QCOMPARE(int(contents.frames.front().values[kRecordedCell]), plate.firstValue);
            QCOMPARE(int(contents.frames.back().values[kRecordedCell]), plate.lastValue);
            for (std::size_t i = 1; i < contents.frames.size(); ++i)
                QVERIFY(contents.frames[i].values[kRecordedCell] >
                        contents.frames[i - 1].values[kRecordedCell]);
            const QJsonObject side = sideFile(path);
            QCOMPARE(side.value("serial").toString(), QString(plate.serial));
            QCOMPARE(side.value("frames").toInt(), plate.frames);
            QCOMPARE(side.value("missed").toInt(), plate.missed);
            QVERIFY(side.value("address").toString().startsWith("127.0.0.1:"));
            QVERIFY(QDateTime::fromString(side.value("started").toString(), Qt::ISODate).isValid());
            QCOMPARE(QFile::permissions(recordingSidePath(path)) & 0x0077,
                     QFileDevice::Permissions());
        }
    }

    // A fixed time: each plate's frames within that time of its first recorded frame (by their
    // reception times), then recordingComplete with the file still open.
    void fixedTimeEndsWithRecordingComplete() {
        QTemporaryDir dir;
        RecordingRequest request;
        request.path = dir.filePath("fixed.raw");
        request.seconds = 0.5;
        QVERIFY(session_->startRecording(request).ok());
        QSignalSpy complete(session_.get(), &AcquisitionSession::recordingComplete);
        const testing_support::LoopbackSender sender(port_);
        const auto start = std::chrono::steady_clock::now();
        for (std::uint32_t n = 1; n <= 80; ++n) {
            std::this_thread::sleep_until(start + std::chrono::milliseconds(10 * n));
            sender.sendFrame(0x0000E13E, n, numbered(n));
        }
        QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, 3000);
        QVERIFY(session_->isRecording());
        std::vector<PlateRecordingSummary> files;
        QVERIFY(session_->stopRecording(&files).ok());
        QCOMPARE(files.size(), std::size_t(1));
        QVERIFY2(qAbs(files[0].frames - 50) <= 2, qPrintable(QString::number(files[0].frames)));
        QVERIFY2(qAbs(files[0].rate - 100) <= 5, qPrintable(QString::number(files[0].rate)));
        QCOMPARE(readRecording(files[0].file).header.frameRate, std::uint16_t(files[0].rate));
    }

    void uncreatableFileDoesNotStart() {
        RecordingRequest request;
        request.path = "/nonexistent-folder/x.raw";
        const RecordingError result = session_->startRecording(request);
        QCOMPARE(result.kind, RecordingError::Kind::OpenFailed);
        QVERIFY(!session_->isRecording());
    }

    void destructorStopsTheReader() {
        auto session = std::make_unique<AcquisitionSession>(ListenSettings{"127.0.0.1", port_});
        session->start();
        session.reset();  // must return: the reader leaves and is joined
    }
};

QTEST_GUILESS_MAIN(AcquisitionSessionTest)
#include "acquisition_session_test.moc"
