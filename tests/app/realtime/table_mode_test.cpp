// The real-time view with "table.key" in the config folder: raw numbers instead of the picture.
#include <QFile>
#include <QProcess>
#include <QTableWidget>
#include <QtTest>

#include "AppFolders.h"
#include "ColorScale.h"
#include "DeviceManagement.h"
#include "ForcePlateStaticTest.h"
#include "forcePlateUILib.h"
#include "test_folders.h"

class TableModeTest : public QObject {
    Q_OBJECT
    QProcess sim_;
    ColorOfPressMap scale_;
    forcePlateUILib* window_ = nullptr;

private slots:
    void initTestCase() {
        QFile key(appFolders().config + "/table.key");
        QVERIFY(key.open(QIODevice::WriteOnly));
    }

    void cleanupTestCase() {
        sim_.terminate();
        sim_.waitForFinished(3000);
    }

    void placeholderUntilAPlateIsFound() {
        scale_ = loadProgramColorScale();
        window_ = new forcePlateUILib(scale_);
        QTRY_VERIFY(window_->views().deviceManagement != nullptr);
        ForcePlateStaticTest* view = window_->views().realTime;
        QVERIFY(view->isTableMode());
        QTRY_VERIFY(view->findChild<QWidget*>("widget_Placeholder")->isVisible());
        QVERIFY(!view->findChild<QWidget*>("WIG_camPlot")->isVisible());
        QVERIFY(!view->findChild<QWidget*>("widget_2")->isVisible());
    }

    void tableFillsTheAreaAndShowsRawValues() {
        sim_.start(QCoreApplication::applicationDirPath() + "/plate-sim",
                   {"--rate", "100", "--port", QString::number(testPlatePort())});
        QVERIFY(sim_.waitForStarted());
        DeviceManagement* panel = window_->views().deviceManagement;
        QTRY_VERIFY_WITH_TIMEOUT(
            (panel->onPB_refreshDevice_clicked(), !panel->knownDevices().isEmpty()), 5000);
        ForcePlateStaticTest* view = window_->views().realTime;
        QWidget* area = view->findChild<QWidget*>("widget");
        QWidget* table = view->findChild<QWidget*>("widget_2");
        QTRY_VERIFY(table->isVisible());
        QVERIFY(!view->findChild<QWidget*>("WIG_camPlot")->isVisible());
        QVERIFY(!view->findChild<QWidget*>("widget_Placeholder")->isVisible());
        QCOMPARE(table->geometry(), QRect(0, 0, area->width() - 10, area->height() - 10));

        // The emulated feet press on the middle of the plate within a few frames.
        QTableWidget* values = window_->views().realTime->valueTable();
        QCOMPARE(values->rowCount(), 50);
        QCOMPARE(values->columnCount(), 50);
        QTRY_VERIFY_WITH_TIMEOUT(values->item(0, 0) != nullptr, 5000);
        int pressed = 0;
        for (int i = 0; i < 50; ++i)
            for (int j = 0; j < 50; ++j) pressed += values->item(i, j)->text().toInt() > 0;
        QVERIFY(pressed > 100);
        QCOMPARE(values->item(0, 0)->text(), QString("0"));
    }
};

QTEST_MAIN(TableModeTest)
#include "table_mode_test.moc"
