// tessaly-cli record end to end: plate-sim streams to a free port, tessaly-cli records.
#include <signal.h>

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>
#include <memory>
#include <vector>

#include "AppConstants.h"
#include "RecordingReader.h"
#include "loopback.h"

namespace {

struct Run {
    int exitCode = -1;
    QJsonArray files;
    QString err;
};

std::unique_ptr<QProcess> startSim(int port, const QStringList& extra) {
    auto sim = std::make_unique<QProcess>();
    sim->start(PLATE_SIM_PATH, QStringList{"--port", QString::number(port), "--json"} + extra);
    sim->waitForStarted();
    return sim;
}

// plate-sim's summary lines by serial, once it has finished.
QMap<QString, QJsonObject> simSummary(QProcess& sim) {
    sim.waitForFinished(60000);
    QMap<QString, QJsonObject> bySerial;
    for (const QByteArray& line : sim.readAllStandardOutput().split('\n')) {
        const QJsonObject plate = QJsonDocument::fromJson(line).object();
        if (plate.contains("serial")) bySerial.insert(plate.value("serial").toString(), plate);
    }
    return bySerial;
}

std::unique_ptr<QProcess> startRecord(const QStringList& arguments) {
    auto cli = std::make_unique<QProcess>();
    cli->start(TESSALY_CLI_PATH, QStringList{"record"} + arguments);
    cli->waitForStarted();
    return cli;
}

Run finish(QProcess& cli) {
    cli.waitForFinished(90000);
    Run run;
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.files =
        QJsonDocument::fromJson(cli.readAllStandardOutput()).object().value("files").toArray();
    run.err = QString::fromLocal8Bit(cli.readAllStandardError());
    return run;
}

Run record(const QStringList& arguments) { return finish(*startRecord(arguments)); }

// Whether some process listens on the UDP port: a bind that does not share the address fails.
bool portTaken(int port) {
    QUdpSocket probe;
    return !probe.bind(QHostAddress::AnyIPv4, port, QUdpSocket::DontShareAddress);
}

// Two processes that keep both cores busy while alive.
struct BusyCores {
    std::vector<std::unique_ptr<QProcess>> children;
    BusyCores() {
        for (int i = 0; i < 2; ++i) {
            children.push_back(std::make_unique<QProcess>());
            children.back()->start("sh", {"-c", "while :; do :; done"});
            children.back()->waitForStarted();
        }
    }
    ~BusyCores() {
        for (auto& child : children) {
            child->kill();
            child->waitForFinished(3000);
        }
    }
};

QString sha256sum(const QString& path) {
    QProcess tool;
    tool.start("sha256sum", {path});
    tool.waitForFinished(10000);
    return QString::fromLatin1(tool.readAllStandardOutput()).section(' ', 0, 0);
}

}  // namespace

class RecordCliTest : public QObject {
    Q_OBJECT

private slots:
    // Four plates for 20 s with both cores busy: every frame each plate sent is in its own
    // file, none missed, at the plates' rate.
    void fourPlatesUnderLoadKeepEveryFrame() {
        QTemporaryDir dir;
        const int port = testing_support::freeUdpPort();
        BusyCores busy;
        auto cli = startRecord({"--seconds", "21", "--port", QString::number(port), "--out",
                                dir.filePath("four.raw")});
        QTRY_VERIFY_WITH_TIMEOUT(portTaken(port), 10000);  // listening before the first frame
        auto sim = startSim(port, {"--plates", "4", "--rate", "100", "--duration", "20"});
        const QMap<QString, QJsonObject> sent = simSummary(*sim);
        const Run run = finish(*cli);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(sent.size(), 4);
        QCOMPARE(run.files.size(), 4);
        for (const QJsonValue& value : run.files) {
            const QJsonObject file = value.toObject();
            const QString serial = file.value("serial").toString();
            QVERIFY2(sent.contains(serial), qPrintable(serial));
            QCOMPARE(file.value("file").toString(), dir.filePath("four_" + serial + ".raw"));
            QCOMPARE(file.value("frames").toInt(), sent[serial].value("frames").toInt());
            QCOMPARE(file.value("missed").toInt(), 0);
            QCOMPARE(file.value("rate").toInt(), 100);
            const RecordingContents contents = readRecording(file.value("file").toString());
            QCOMPARE(int(contents.frames.size()), file.value("frames").toInt());
            QCOMPARE(int(contents.header.frameRate), 100);
        }
    }

    // Frames lost on the wire are counted as missed and do not lower the rate.
    void lostFramesAreCountedAsMissed() {
        QTemporaryDir dir;
        const int port = testing_support::freeUdpPort();
        auto cli = startRecord({"--seconds", "6", "--port", QString::number(port), "--out",
                                dir.filePath("lossy.raw")});
        QTRY_VERIFY_WITH_TIMEOUT(portTaken(port), 10000);
        auto sim = startSim(port, {"--rate", "100", "--duration", "5", "--loss", "0.01"});
        const QJsonObject sent = simSummary(*sim).first();
        const Run run = finish(*cli);
        QCOMPARE(run.exitCode, 0);
        const QJsonObject file = run.files.first().toObject();
        const int lost = sent.value("frames").toInt() - sent.value("complete").toInt();
        QVERIFY(lost > 0);
        QCOMPARE(file.value("frames").toInt(), sent.value("complete").toInt());
        // A frame cut at the very end leaves no gap behind it.
        QVERIFY2(
            file.value("missed").toInt() <= lost && file.value("missed").toInt() >= lost - 1,
            qPrintable(QString("missed %1, lost %2").arg(file.value("missed").toInt()).arg(lost)));
        QCOMPARE(file.value("rate").toInt(), 100);
    }

    // Exactly the asked time from a 100 Hz plate; the printed hash is the file's; the subject
    // code goes into the tag and the name; info shows the side file.
    void fiveSecondsWithSubject() {
        QTemporaryDir dir;
        const int port = testing_support::freeUdpPort();
        auto sim = startSim(port, {"--rate", "100", "--duration", "8"});
        const Run run =
            record({"--seconds", "5", "--mode", "closed", "--subject", "S-0042", "--port",
                    QString::number(port), "--out", dir.filePath("five.raw")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.files.size(), 1);
        const QJsonObject file = run.files.first().toObject();
        const QString path = file.value("file").toString();
        QCOMPARE(path, dir.filePath("five.raw"));
        QVERIFY2(qAbs(file.value("frames").toInt() - 500) <= 1,
                 qPrintable(QString::number(file.value("frames").toInt())));
        QCOMPARE(file.value("sha256").toString(), sha256sum(path));
        const RecordingContents contents = readRecording(path);
        QCOMPARE(contents.header.tag, QString("S-0042"));
        QCOMPARE(contents.header.measureMode, 1);

        QProcess info;
        info.start(TESSALY_CLI_PATH, {"info", path});
        info.waitForFinished(10000);
        const QJsonObject plate = QJsonDocument::fromJson(info.readAllStandardOutput())
                                      .object()
                                      .value("plate")
                                      .toObject();
        QCOMPARE(plate.value("serial").toString(), QString("1A2B3C3E"));
        QCOMPARE(plate.value("frames").toInt(), file.value("frames").toInt());
        QCOMPARE(plate.value("rate").toInt(), 100);
        QVERIFY(plate.value("address").toString().startsWith("127.0.0.1:"));
        sim->waitForFinished(10000);

        // Without --out: in the data folder, named as the program names recordings.
        auto again = startSim(port, {"--rate", "100", "--duration", "3"});
        QProcess cli;
        cli.setWorkingDirectory(dir.path());
        cli.start(TESSALY_CLI_PATH, {"record", "--seconds", "1", "--subject", "S-7", "--port",
                                     QString::number(port)});
        const Run named = finish(cli);
        QCOMPARE(named.exitCode, 0);
        const QString name =
            QFileInfo(named.files.first().toObject().value("file").toString()).fileName();
        QVERIFY2(QRegularExpression("^\\d{8}_\\d{9}_S-7\\.raw$").match(name).hasMatch(),
                 qPrintable(name));
        QVERIFY(QFileInfo::exists(app::dataDirectory() + name));
        again->waitForFinished(10000);
    }

    // kill -9 during a recording: the file holds the frames up to a second before the kill,
    // whole, with the plate's rate in the header.
    void killedRecordingKeepsItsFrames() {
        QTemporaryDir dir;
        const int port = testing_support::freeUdpPort();
        auto sim = startSim(port, {"--rate", "100", "--duration", "8"});
        auto cli = startRecord({"--seconds", "30", "--port", QString::number(port), "--out",
                                dir.filePath("killed.raw")});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(dir.filePath("killed.raw")).size() > 27 + 5001, 5000);
        QElapsedTimer recording;
        recording.start();
        QTest::qWait(3500);
        ::kill(static_cast<pid_t>(cli->processId()), SIGKILL);
        const qint64 seconds = recording.elapsed() / 1000;
        cli->waitForFinished(5000);
        const RecordingContents contents = readRecording(dir.filePath("killed.raw"));
        QVERIFY2(contents.ok(), qPrintable(contents.error.message));
        QCOMPARE(contents.trailingBytes, qint64(0));
        QVERIFY2(qint64(contents.frames.size()) >= (seconds - 1) * 100,
                 qPrintable(QString::number(contents.frames.size())));
        QVERIFY2(qAbs(contents.header.frameRate - 100) <= 1,
                 qPrintable(QString::number(contents.header.frameRate)));
        // The side file of the last sync says what the file held then.
        QFile side(dir.filePath("killed.raw.json"));
        QVERIFY(side.open(QIODevice::ReadOnly));
        const QJsonObject counts = QJsonDocument::fromJson(side.readAll()).object();
        QVERIFY(counts.value("frames").toInt() >= (seconds - 2) * 100);
        QVERIFY(counts.value("frames").toInt() <= int(contents.frames.size()));
        QCOMPARE(counts.value("missed").toInt(), 0);
        QVERIFY(qAbs(counts.value("rate").toInt() - 100) <= 1);
        sim->kill();
        sim->waitForFinished(3000);
    }

    void refusals() {
        const int port = testing_support::freeUdpPort();
        const struct {
            QStringList arguments;
            int exitCode;
        } cases[] = {
            {{}, 2},
            {{"--seconds", "0"}, 2},
            {{"--seconds", "x"}, 2},
            {{"--seconds", "1", "--mode", "half"}, 2},
            {{"--seconds", "1", "--subject", "ABCDEFGHIJKLMNOPQRST"}, 2},  // 20 bytes
            {{"--seconds", "1", "--subject", "../x"}, 2},
            {{"--seconds", "1", "--port", "70000"}, 2},
            {{"--seconds", "1", "--address", "1.2.3"}, 2},
            {{"--seconds", "1", "--colour", "red"}, 2},
            {{"--seconds", "1", "--port"}, 2},
            // Nobody sends: nothing is left behind.
            {{"--seconds", "1", "--port", QString::number(port), "--out", "/tmp/nobody.raw"}, 1},
            // Not an address of this machine: listening fails.
            {{"--seconds", "1", "--address", "192.0.2.1", "--port", QString::number(port)}, 1},
        };
        for (const auto& c : cases) {
            const Run run = record(c.arguments);
            QVERIFY2(run.exitCode == c.exitCode,
                     qPrintable(c.arguments.join(' ') + ": " + run.err));
            QVERIFY(!run.err.isEmpty());
        }
        QVERIFY(!QFileInfo::exists("/tmp/nobody.raw"));
        QVERIFY(!QFileInfo::exists("/tmp/nobody.raw.json"));
    }
};

QTEST_GUILESS_MAIN(RecordCliTest)
#include "record_cli_test.moc"
