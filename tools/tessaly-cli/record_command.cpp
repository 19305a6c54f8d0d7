#include "record_command.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimer>
#include <functional>

#include "AcquisitionSession.h"
#include "AppConstants.h"
#include "PrivateFiles.h"
#include "cli_commands.h"

namespace {

const char* const kRecordUsage =
    "usage: tessaly-cli record --seconds S [--mode open|closed] [--subject CODE] [--port N]\n"
    "                          [--address A] [--out FILE.raw]\n"
    "records S seconds of every plate on the network, one file per plate, and prints the files\n"
    "as one JSON object. --subject CODE (letters, digits, - and _, at most 19 bytes) goes into\n"
    "the header's tag and the file name; --address listens on one local IPv4 address only.\n";

constexpr int kPlateWaitMs = 5000;
// A plate that stops sending must not hold the recording open for ever.
constexpr int kStopGraceMs = 2000;

struct RecordOptions {
    double seconds = 0;
    int mode = recording::kEyesOpen;
    QString subject;
    ListenSettings listen;
    QString out;
    const char* problem = nullptr;
};

RecordOptions parse(const QStringList& arguments) {
    RecordOptions options;
    bool haveSeconds = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (i + 1 >= arguments.size()) {
            options.problem = "an option lacks its value";
            return options;
        }
        const QString value = arguments[++i];
        bool ok = true;
        if (name == "--seconds") {
            options.seconds = value.toDouble(&ok);
            if (!ok || !(options.seconds > 0) || options.seconds > 86400)
                options.problem = "--seconds needs a number of seconds above 0";
            haveSeconds = true;
        } else if (name == "--mode") {
            if (value != "open" && value != "closed") options.problem = "--mode is open or closed";
            options.mode = value == "closed" ? recording::kEyesClosed : recording::kEyesOpen;
        } else if (name == "--subject") {
            static const QRegularExpression code("^[A-Za-z0-9_-]+$");
            if (!code.match(value).hasMatch() || value.toUtf8().size() > recording::kTagSize - 1)
                options.problem =
                    "--subject needs a code of letters, digits, - and _ of at most "
                    "19 bytes";
            options.subject = value;
        } else if (name == "--port") {
            options.listen.port = value.toInt(&ok);
            if (!ok || options.listen.port < 1 || options.listen.port > 65535)
                options.problem = "--port needs a port from 1 to 65535";
        } else if (name == "--address") {
            // Four dotted numbers: QHostAddress also takes the short forms such as "1.2.3".
            if (value.count('.') != 3 ||
                QHostAddress(value).protocol() != QAbstractSocket::IPv4Protocol)
                options.problem = "--address needs a dotted IPv4 address";
            options.listen.address = value;
        } else if (name == "--out") {
            if (value.isEmpty()) options.problem = "--out needs a file";
            options.out = value;
        } else {
            options.problem = "unknown record option";
        }
        if (options.problem) return options;
    }
    if (!haveSeconds) options.problem = "record needs --seconds";
    return options;
}

// Named as the program names its recordings, in its data folder.
QString defaultPath(const QString& subject) {
    createPrivateFolder(app::dataDirectory());
    return app::dataDirectory() + QDateTime::currentDateTime().toString("yyyyMMdd_hhmmsszzz") +
           (subject.isEmpty() ? QString() : "_" + subject) + app::kRecordingExtension;
}

QString sha256Of(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) return QString();
    return QString::fromLatin1(hash.result().toHex());
}

// Runs the event loop until done() or the time runs out; true when done().
bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QEventLoop loop;
    QTimer poll, timeout;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(20);
    timeout.setSingleShot(true);
    timeout.start(timeoutMs);
    if (!done()) loop.exec();
    return done();
}

}  // namespace

int runRecordCommand(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const RecordOptions options = parse(arguments);
    if (options.problem) return reportUsage(err, options.problem, kRecordUsage);

    AcquisitionSession session(options.listen);
    const QString listenProblem = session.start();
    if (!listenProblem.isEmpty()) {
        std::fprintf(err, "tessaly-cli: cannot listen on %s:%d\n",
                     qPrintable(options.listen.address.isEmpty() ? "*" : options.listen.address),
                     options.listen.port);
        return kCliFileProblem;
    }
    // Recording from the start, so that every plate's first frame is in its file.
    RecordingRequest request;
    request.path = options.out.isEmpty() ? defaultPath(options.subject) : options.out;
    request.tag = options.subject;
    request.measureMode = options.mode;
    request.seconds = options.seconds;
    const RecordingError opened = session.startRecording(request);
    if (!opened.ok()) {
        std::fprintf(err, "tessaly-cli: %s\n", qPrintable(opened.message));
        return kCliFileProblem;
    }
    if (!waitUntil([&] { return session.hasRecordedFrames(); }, kPlateWaitMs)) {
        session.stopRecording();
        QFile::remove(request.path);
        QFile::remove(recordingSidePath(request.path));
        std::fprintf(err, "tessaly-cli: no plate sent a frame within %d s\n", kPlateWaitMs / 1000);
        return kCliFileProblem;
    }
    bool complete = false;
    QString failure;
    QObject::connect(&session, &AcquisitionSession::recordingComplete, [&] { complete = true; });
    QObject::connect(&session, &AcquisitionSession::recordingFailed,
                     [&](const QString& message) { failure = message; });
    waitUntil(
        [&] {
            return complete || !failure.isEmpty() ||
                   session.recordedSeconds() * 1000 > options.seconds * 1000 + kStopGraceMs;
        },
        int(options.seconds * 1000) + kStopGraceMs + 1000);

    std::vector<PlateRecordingSummary> files;
    const RecordingError stopped = session.stopRecording(&files);
    if (failure.isEmpty() && !stopped.ok()) failure = stopped.message;
    QJsonArray list;
    for (const PlateRecordingSummary& file : files) {
        list.append(QJsonObject{{"file", file.file},
                                {"serial", file.serial},
                                {"frames", file.frames},
                                {"missed", file.missed},
                                {"refused", file.refused},
                                {"rate", file.rate},
                                {"sha256", sha256Of(file.file)}});
    }
    std::fprintf(
        out, "%s\n",
        QJsonDocument(QJsonObject{{"files", list}}).toJson(QJsonDocument::Compact).constData());
    if (!failure.isEmpty()) {
        std::fprintf(err, "tessaly-cli: %s\n", qPrintable(failure));
        return kCliFileProblem;
    }
    return kCliOk;
}
