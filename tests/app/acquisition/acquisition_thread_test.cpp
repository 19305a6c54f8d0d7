// The acquisition thread against the real library, fed over loopback.
#include <QtTest>
#include <memory>
#include <vector>

#include "forcePlateWriteReadThread.h"
#include "loopback.h"

namespace {

plate::SourceFrame frameWithValueAt(int row, int column, std::uint16_t value) {
    plate::SourceFrame f{};
    f[50 * row + column] = value;
    return f;
}

// Receives the frames in the test's thread, through a queued connection as the program does.
// (QSignalSpy would record them in the emitting thread.)
struct ReceivedFrame {
    QString name;
    ForcePlateFrame_TypeDef frame;
    unsigned int rate;
};

class FrameCollector : public QObject {
public:
    explicit FrameCollector(forcePlateWriteReadThread* thread) {
        connect(thread, &forcePlateWriteReadThread::sigNewForcePlateFrame, this,
                [this](QString name, const ForcePlateFrame_TypeDef& frame, unsigned int rate) {
                    frames.push_back({name, frame, rate});
                });
    }
    std::vector<ReceivedFrame> frames;
};

std::unique_ptr<forcePlateWriteReadThread> startedThread() {
    auto thread = std::make_unique<forcePlateWriteReadThread>();
    thread->setRunning(true);
    thread->start();
    return thread;
}

}  // namespace

class AcquisitionThreadTest : public QObject {
    Q_OBJECT
    int port_ = 0;

private slots:
    void initTestCase() {
        port_ = testing_support::freeUdpPort();
        QCOMPARE(LibPladex_ListenUDPPort(port_), 0);
    }

    void frameTypeTravelsThroughQueuedConnections() {
        registerForcePlateFrameMetaType();
        const int id = QMetaType::type("ForcePlateFrame_TypeDef");
        QVERIFY(id != QMetaType::UnknownType);
        QCOMPARE(QMetaType::sizeOf(id), 40000);
        QVERIFY(QMetaType::typeFlags(id) & QMetaType::MovableType);
    }

    void noDeviceNoSignal() {
        auto thread = startedThread();
        FrameCollector received(thread.get());
        testing_support::LoopbackSender(port_).sendFrame(0x0000A13E, 1, plate::SourceFrame{});
        QTest::qWait(300);
        QVERIFY(received.frames.empty());
    }

    // One frame published by the library: one signal with the plate's name, the frame turned
    // as the library delivers it, and its rate; the library's flag is taken.
    void oneFrameOneSignal() {
        auto thread = startedThread();
        thread->appendDevice("0000B13E", 8);
        FrameCollector received(thread.get());
        testing_support::LoopbackSender(port_).sendFrame(0x0000B13E, 41,
                                                         frameWithValueAt(0, 49, 2750));
        QTRY_COMPARE_WITH_TIMEOUT(received.frames.size(), std::size_t(1), 3000);
        QTest::qWait(100);
        QCOMPARE(received.frames.size(), std::size_t(1));
        const ReceivedFrame& r = received.frames.front();
        QCOMPARE(r.name, QString("0000B13E"));
        QCOMPARE(r.frame.cells[0].value, 2750);
        QCOMPARE(r.frame.cells[0].row, 0);
        QCOMPARE(r.frame.cells[0].column, 49);
        QCOMPARE(r.rate, 42u);  // first rate: frame number + 1
        QCOMPARE(LibPladex_isNewFramePending("0000B13E"), 0);
    }

    // Each plate's frames carry their own name; a plate appended while the loop runs is
    // polled as well; a registered plate without new frames emits nothing.
    void severalPlatesKeepTheirNames() {
        auto thread = startedThread();
        FrameCollector received(thread.get());
        thread->appendDevice("0000C13E", 8);
        thread->appendDevice("0000C23E", 8);
        const testing_support::LoopbackSender sender(port_);
        sender.sendFrame(0x0000C13E, 1, frameWithValueAt(0, 49, 111));
        QTRY_COMPARE_WITH_TIMEOUT(received.frames.size(), std::size_t(1), 3000);
        thread->appendDevice("0000C33E", 8);
        sender.sendFrame(0x0000C33E, 1, frameWithValueAt(0, 49, 333));
        QTRY_COMPARE_WITH_TIMEOUT(received.frames.size(), std::size_t(2), 3000);
        QTest::qWait(100);
        QCOMPARE(received.frames.size(), std::size_t(2));

        QMap<QString, int> valueByName;
        for (const ReceivedFrame& r : received.frames) valueByName[r.name] = r.frame.cells[0].value;
        QCOMPARE(valueByName.value("0000C13E"), 111);
        QCOMPARE(valueByName.value("0000C33E"), 333);
        QVERIFY(!valueByName.contains("0000C23E"));
    }

    void destructorStopsThread() {
        auto thread = startedThread();
        thread->appendDevice("0000D13E", 8);
        QVERIFY(thread->isRunning());
        thread.reset();  // must return: the loop leaves and the thread is joined
    }
};

QTEST_GUILESS_MAIN(AcquisitionThreadTest)
#include "acquisition_thread_test.moc"
