// The subject buttons, the settings entries and the frequency entry of the real main window;
// the frequency commands reach the plate emulator and change its measured frame rate.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "CollectFrequencySetting.h"
#include "ColorScale.h"
#include "CurrentSubjectFile.h"
#include "DeviceManagement.h"
#include "GaitAddUser.h"
#include "GaitChoseUser.h"
#include "ModalAnswer.h"
#include "Startup.h"
#include "SubjectDatabase.h"
#include "configDialog.h"
#include "forcePlateUILib.h"
#include "test_folders.h"

class SubjectsMainWindowTest : public QObject {
    Q_OBJECT
    ColorOfPressMap scale_;
    forcePlateUILib* window_ = nullptr;
    std::unique_ptr<QProcess> sim_;

    QString label(const char* name) const { return window_->findChild<QLabel*>(name)->text(); }
    QAction* action(const char* name) const { return window_->findChild<QAction*>(name); }

    // Opens the choose dialog from the main window, clicks its first row, then the button.
    void chooseFirstRowThen(const char* buttonName) {
        whenModal<GaitChoseUser>([buttonName](GaitChoseUser* dialog) {
            auto* table = dialog->findChild<QTableWidget*>("tableWidgetChoseUser");
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualItemRect(table->item(0, 1)).center());
            dialog->findChild<QPushButton*>(buttonName)->click();
        });
        QTest::mouseClick(window_->findChild<QPushButton*>("pushButtonChoseUser"), Qt::LeftButton);
    }

private slots:
    void initTestCase() {
        installFontSubstitutions();
        scale_ = loadProgramColorScale();
        window_ = new forcePlateUILib(scale_);
        QTRY_VERIFY(window_->views().deviceManagement != nullptr);
        SubjectDatabase db("setup");
        QCOMPARE(db.open(), QString());
        QCOMPARE(db.insert({"P1", "王'五", "man", "1990-07-15", "178", "72", "右侧", "无"}),
                 QString());
    }

    void cleanupTestCase() {
        if (sim_) {
            sim_->terminate();
            sim_->waitForFinished(3000);
        }
    }

    void confirmedChoiceIsShownAndKept() {
        chooseFirstRowThen("pushButtonOK");
        const QString age = QString::number(QDate::currentDate().year() - 1990);
        QCOMPARE(label("labelName"), QString("王'五"));
        QCOMPARE(label("labelSex"), QString("男"));
        QCOMPARE(label("labelAge"), age + " 岁");
        QCOMPARE(label("labelHeight"), QString("178 cm"));
        QCOMPARE(label("labelWeight"), QString("72 kg"));
        QCOMPARE(window_->currentSubjectName(), QString("王'五"));
        const SubjectRecord kept = readCurrentSubject(currentSubjectIniPath());
        QCOMPARE(kept.uniqueCode, QString("P1"));
        QCOMPARE(kept.name, QString("王'五"));
        QCOMPARE(kept.gender, QString("man"));
        QCOMPARE(kept.age, age);
        QCOMPARE(kept.dominantSide, QString("右侧"));
        QCOMPARE(kept.affectedSide, QString("无"));
    }

    void cancelledChoiceChangesNothing() {
        QFile before(currentSubjectIniPath());
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray content = before.readAll();
        before.close();
        chooseFirstRowThen("pushButtonClose");
        QVERIFY(before.open(QIODevice::ReadOnly));
        QCOMPARE(before.readAll(), content);
        QCOMPARE(label("labelName"), QString("王'五"));
    }

    void addButtonOpensTheAddDialog() {
        QString title;
        whenModal<GaitAddUser>([&](GaitAddUser* dialog) {
            title = dialog->windowTitle();
            dialog->reject();
        });
        QTest::mouseClick(window_->findChild<QPushButton*>("GaitPushButtonAddUser"),
                          Qt::LeftButton);
        QCOMPARE(title, QString("添加用户"));
    }

    void settingsEntriesOpenTheirPage_data() {
        QTest::addColumn<QString>("actionName");
        QTest::addColumn<int>("page");
        QTest::newRow("colours") << "action_ColorSettings" << 0;
        QTest::newRow("directories") << "action_DirectorySettings" << 1;
    }
    void settingsEntriesOpenTheirPage() {
        QFETCH(QString, actionName);
        QFETCH(int, page);
        int shown = -1;
        whenModal<configDialog>([&](configDialog* dialog) {
            shown = dialog->findChild<QTabWidget*>("tabWidget")->currentIndex();
            dialog->reject();
        });
        action(qPrintable(actionName))->trigger();
        QCOMPARE(shown, page);
    }

    void sixtyHertzReachesThePlate() {
        sim_ = std::make_unique<QProcess>();
        sim_->start(PLATE_SIM_PATH, {"--rate", "100", "--port", QString::number(testPlatePort())});
        QVERIFY(sim_->waitForStarted());
        DeviceManagement* panel = window_->views().deviceManagement;
        window_->mainTabs()->setCurrentIndex(0);
        QTRY_VERIFY_WITH_TIMEOUT(
            (panel->onPB_refreshDevice_clicked(), !panel->knownDevices().isEmpty()), 5000);
        const QString serial = panel->knownDevices().first().first;
        auto rate = [&] { return int(panel->deviceInfo().value(serial + "_frequency").toUInt()); };
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(rate() - 100) <= 5, 10000);

        QString preselected;
        whenModal<CollectFrequencySetting>([&](CollectFrequencySetting* dialog) {
            auto* frequencies = dialog->findChild<QComboBox*>("comboBox_Frequencies");
            preselected = frequencies->currentText();
            frequencies->setCurrentText("60");
            answerMessageBox(QMessageBox::Ok);
            dialog->findChild<QPushButton*>("okButton")->click();
        });
        action("action_CollectFrequency")->trigger();
        QCOMPARE(preselected, QString("100"));
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(rate() - 60) <= 3, 15000);
    }
};

QTEST_MAIN(SubjectsMainWindowTest)
#include "subjects_main_window_test.moc"
