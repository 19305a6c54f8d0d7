// The acquisition thread against the real library, fed over loopback.
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "forcePlateWriteReadThread.h"
#include "loopback.h"

namespace {

plate::SourceFrame frameWithValueAt(int row, int column, std::uint16_t value) {
    plate::SourceFrame f{};
    f[50 * row + column] = value;
    return f;
}

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
        QSignalSpy spy(thread.get(), &forcePlateWriteReadThread::sigNewForcePlateFrame);
        testing_support::LoopbackSender(port_).sendFrame(0x0000A13E, 1, plate::SourceFrame{});
        QVERIFY(!spy.wait(300));
    }

    // One frame published by the library: one signal with the plate's name, the frame turned
    // as the library delivers it, and its rate; the library's flag is taken.
    void oneFrameOneSignal() {
        auto thread = startedThread();
        thread->appendDevice("0000B13E", 8);
        QSignalSpy spy(thread.get(), &forcePlateWriteReadThread::sigNewForcePlateFrame);
        testing_support::LoopbackSender(port_).sendFrame(0x0000B13E, 41,
                                                         frameWithValueAt(0, 49, 2750));
        QVERIFY(spy.wait(3000));
        QVERIFY(!spy.wait(100));
        QCOMPARE(spy.count(), 1);
        const QList<QVariant> args = spy.takeFirst();
        QCOMPARE(args.at(0).toString(), QString("0000B13E"));
        const auto frame = args.at(1).value<ForcePlateFrame_TypeDef>();
        QCOMPARE(frame.cells[0].value, 2750);
        QCOMPARE(frame.cells[0].row, 0);
        QCOMPARE(frame.cells[0].column, 49);
        QCOMPARE(args.at(2).toUInt(), 42u);  // first rate: frame number + 1
        QCOMPARE(LibPladex_isNewFramePending("0000B13E"), 0);
    }

    // Each plate's frames carry their own name; a plate appended while the loop runs is
    // polled as well; a registered plate without new frames emits nothing.
    void severalPlatesKeepTheirNames() {
        auto thread = startedThread();
        QSignalSpy spy(thread.get(), &forcePlateWriteReadThread::sigNewForcePlateFrame);
        thread->appendDevice("0000C13E", 8);
        thread->appendDevice("0000C23E", 8);
        const testing_support::LoopbackSender sender(port_);
        sender.sendFrame(0x0000C13E, 1, frameWithValueAt(0, 49, 111));
        QVERIFY(spy.wait(3000));
        thread->appendDevice("0000C33E", 8);
        sender.sendFrame(0x0000C33E, 1, frameWithValueAt(0, 49, 333));
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 3000);
        QVERIFY(!spy.wait(100));

        QMap<QString, int> valueByName;
        for (const QList<QVariant>& args : spy)
            valueByName[args.at(0).toString()] =
                args.at(1).value<ForcePlateFrame_TypeDef>().cells[0].value;
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
