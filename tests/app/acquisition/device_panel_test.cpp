// The device panel inside the real main window, fed by the plate emulator on the test's port.
#include <QFileInfo>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "ColorScale.h"
#include "DeviceManagement.h"
#include "ForcePlateStaticTest.h"
#include "RecordingFormat.h"
#include "forcePlateUILib.h"
#include "libTavloWidget.h"
#include "test_folders.h"

namespace {

// A plate emulator streaming until stopped.
std::unique_ptr<QProcess> startPlateSim(const QString& idBase) {
    auto sim = std::make_unique<QProcess>();
    sim->start(PLATE_SIM_PATH,
               {"--id-base", idBase, "--rate", "100", "--port", QString::number(testPlatePort())});
    sim->waitForStarted();
    return sim;
}

void stop(std::unique_ptr<QProcess>& sim) {
    if (!sim) return;
    sim->terminate();
    sim->waitForFinished(3000);
    sim.reset();
}

ForcePlateFrame_TypeDef uniformFrame(int value) {
    ForcePlateFrame_TypeDef frame{};
    for (int k = 10 * 50; k < 40 * 50; ++k) frame.cells[k].value = value;
    return frame;
}

QStringList treeRow(QTreeWidget* tree, int row) {
    QStringList cells;
    for (int c = 0; c < 4; ++c) cells << tree->topLevelItem(row)->text(c);
    return cells;
}

}  // namespace

class DevicePanelTest : public QObject {
    Q_OBJECT
    ColorOfPressMap scale_;
    forcePlateUILib* window_ = nullptr;
    DeviceManagement* panel_ = nullptr;
    std::unique_ptr<QProcess> simA_, simB_;

    QTreeWidget* tree() const { return panel_->findChild<QTreeWidget*>("treeWidget"); }

private slots:
    void initTestCase() {
        scale_ = loadProgramColorScale();
        window_ = new forcePlateUILib(scale_);
        QTRY_VERIFY(window_->views().deviceManagement != nullptr);
        panel_ = window_->views().deviceManagement;
    }

    void cleanupTestCase() {
        stop(simA_);
        stop(simB_);
    }

    void refreshListsPlatesNewestFirst() {
        simA_ = startPlateSim("1A2B3C3E");
        QTRY_VERIFY_WITH_TIMEOUT(
            (panel_->onPB_refreshDevice_clicked(), tree()->topLevelItemCount() == 1), 5000);
        QCOMPARE(treeRow(tree(), 0), (QStringList{"1", "1A2B3C3E", "M12", "在线"}));
        QCOMPARE(panel_->deviceInfo().value("1A2B3C3E_ip").toString(), QString("127.0.0.1"));
        QVERIFY(panel_->deviceInfo().value("1A2B3C3E_port").toInt() > 0);
        QTRY_VERIFY(panel_->deviceInfo().value("1A2B3C3E_frequency").toUInt() > 0);

        // A second plate, with an identifier of 2^31 and more, appears once, at the top.
        simB_ = startPlateSim("F1E2D33E");
        QTRY_VERIFY_WITH_TIMEOUT(
            (panel_->onPB_refreshDevice_clicked(), tree()->topLevelItemCount() == 2), 5000);
        panel_->onPB_refreshDevice_clicked();
        QCOMPARE(tree()->topLevelItemCount(), 2);
        QCOMPARE(treeRow(tree(), 0), (QStringList{"2", "F1E2D33E", "M12", "在线"}));
        QCOMPARE(treeRow(tree(), 1), (QStringList{"1", "1A2B3C3E", "M12", "在线"}));
        QTRY_VERIFY(panel_->deviceInfo().value("F1E2D33E_frequency").toUInt() > 0);
        QCOMPARE(window_->mainTabs()->currentIndex(), 0);

        // Each plate's received frames per second stand beside it, refreshed every second.
        const auto rateAt = [&](int row) {
            QString text = tree()->topLevelItem(row)->text(4);
            return text.endsWith(" Hz") ? text.chopped(3).toInt() : -1;
        };
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(rateAt(0) - 100) <= 5 && qAbs(rateAt(1) - 100) <= 5, 5000);
        stop(simB_);
        QTRY_VERIFY_WITH_TIMEOUT(rateAt(0) == 0 && qAbs(rateAt(1) - 100) <= 5, 5000);
        stop(simA_);
        QTest::qWait(200);  // frames still queued are delivered
    }

    // With a plate, the live picture is a square of side min(width, height) - 10 at (2, 2) of
    // the display area, and keeps that size when the window grows in one direction only.
    void pictureIsTheLargestSquare() {
        ForcePlateStaticTest* view = window_->views().realTime;
        QWidget* area = view->findChild<QWidget*>("widget");
        QWidget* picture = view->findChild<QWidget*>("WIG_camPlot");
        QWidget* placeholder = view->findChild<QWidget*>("widget_Placeholder");
        auto expectSquare = [&] {
            const int side = std::min(area->width(), area->height()) - 10;
            return picture->isVisible() && !placeholder->isVisible() &&
                   picture->size() == QSize(side, side) && picture->pos() == QPoint(2, 2);
        };
        window_->resize(1300, 760);
        QTRY_VERIFY(expectSquare());
        const QSize before = picture->size();
        window_->resize(1440, 760);
        QTRY_VERIFY(area->width() > 0 && expectSquare());
        QCOMPARE(picture->size(), before);
    }

    void recordingWithoutFramesIsTheHeaderOnly() {
        QTemporaryDir dir;
        const QString path = dir.filePath("empty.raw");
        panel_->setRecordFilePath(path);
        panel_->setRecordFileTag("");
        QVERIFY(panel_->startRecording().ok());
        QVERIFY(panel_->stopRecording().ok());
        QVERIFY(panel_->stopRecording().ok());  // a second stop does nothing
        QCOMPARE(QFileInfo(path).size(), qint64(recording::kHeaderSize));
    }

    // The session hands over only each plate's newest frame, so every frame that reaches the
    // panel is drawn.
    void everyFrameDeliveredIsDrawn() {
        libTavloWidget* picture = window_->views().realTime->getCamPlot();
        QTRY_VERIFY(picture->isVisible());
        const int values[] = {400, 900, 1400, 1900};  // all distinct
        QImage before = picture->grabFramebuffer();
        for (int value : values) {
            panel_->onNewForcePlateFrame("1A2B3C3E", uniformFrame(value), 100);
            const QImage after = picture->grabFramebuffer();
            QVERIFY(after != before);
            before = after;
        }
    }

    void nothingIsDrawnOnAnotherTab() {
        window_->mainTabs()->setCurrentIndex(2);
        QVERIFY(!panel_->isActive());
        for (int i = 0; i < 8; ++i) panel_->onNewForcePlateFrame("0BADF03E", uniformFrame(900), 77);
        window_->mainTabs()->setCurrentIndex(0);
        QVERIFY(!panel_->deviceInfo().contains("0BADF03E_frequency"));
    }

    void unopenableRecordingWritesNothing() {
        panel_->setRecordFilePath("/nonexistent-folder/x.raw");
        QVERIFY(!panel_->startRecording().ok());
        QVERIFY(!panel_->hasOpenRecording());
        QVERIFY(!panel_->isRecording());
    }
};

QTEST_MAIN(DevicePanelTest)
#include "device_panel_test.moc"
