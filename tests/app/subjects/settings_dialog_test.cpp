// The settings dialog on a temporary colour file: colours stored at once under their keys,
// the refresh signal, and the folder page with the data folder and port settings.
#include <QColorDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "AcquisitionSession.h"
#include "AppConstants.h"
#include "ColorText.h"
#include "ModalAnswer.h"
#include "Startup.h"
#include "configDialog.h"
#include "forcePlateStaticDataAnalysis.h"
#include "test_folders.h"

namespace {

QPushButton* button(QWidget* dialog, const QString& name) {
    return dialog->findChild<QPushButton*>(name);
}

QString storedText(const QString& ini, const QString& key) {
    QSettings settings(ini, QSettings::IniFormat);
    const QVariant value = settings.value(key);
    return value.userType() == QMetaType::QStringList ? value.toStringList().join(',')
                                                      : value.toString();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString ini_;

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void init() {
        ini_ = dir_.filePath(
            QString("Resources/ConfigColor-%1.ini").arg(QTest::currentTestFunction()));
        QFile::remove(ini_);
    }

    void freshInstallationShowsDefaults_data() {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("color");
        QTest::newRow("zone lines") << "tabA_btn_8AreaLine"
                                    << "colorSettings/eightAreaLine"
                                    << "255,0,0";
        QTest::newRow("left foot") << "tabA_btn_LeftFoot"
                                   << "colorSettings/leftFootPercent"
                                   << "105,148,205";
        QTest::newRow("right foot") << "tabA_btn_RightFoot"
                                    << "colorSettings/rightFootPercent"
                                    << "246,209,113";
    }
    void freshInstallationShowsDefaults() {
        QFETCH(QString, buttonName);
        QFETCH(QString, key);
        QFETCH(QString, color);
        configDialog dialog(nullptr, 0, ini_);
        QCOMPARE(dialog.findChild<QTabWidget*>("tabWidget")->currentIndex(), 0);
        QPushButton* b = button(&dialog, buttonName);
        QCOMPARE(b->property("CONFIG_PATH").toString(), key);
        QCOMPARE(colorToString(b->property("LASTEST_COLOR").value<QColor>()), color);
        QVERIFY(b->styleSheet().endsWith(";background-color:rgb(" + color + ");"));
        QVERIFY(!QFile::exists(ini_));  // defaults are never written
    }

    void storedColourIsShown() {
        {
            QSettings settings(ini_, QSettings::IniFormat);
            settings.setValue("colorSettings/leftFootPercent", "1,2,3");
            settings.setValue("colorSettings/rightFootPercent", "not a colour");
        }
        configDialog dialog(nullptr, 0, ini_);
        QCOMPARE(button(&dialog, "tabA_btn_LeftFoot")->property("LASTEST_COLOR").value<QColor>(),
                 QColor(1, 2, 3));
        QCOMPARE(button(&dialog, "tabA_btn_RightFoot")->property("LASTEST_COLOR").value<QColor>(),
                 QColor(246, 209, 113));
    }

    void chosenColourIsStoredAtOnce_data() { freshInstallationShowsDefaults_data(); }
    void chosenColourIsStoredAtOnce() {
        QFETCH(QString, buttonName);
        QFETCH(QString, key);
        configDialog dialog(nullptr, 0, ini_);
        dialog.show();
        QSignalSpy changed(&dialog, SIGNAL(updateColorSettings()));
        QString title;
        whenModal<QColorDialog>([&](QColorDialog* colors) {
            title = colors->windowTitle();
            colors->setCurrentColor(QColor(12, 34, 56));
            colors->accept();
        });
        QTest::mouseClick(button(&dialog, buttonName), Qt::LeftButton);
        QCOMPARE(title, QString("选择颜色"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(storedText(ini_, key), QString("12,34,56"));
        QCOMPARE(QSettings(ini_, QSettings::IniFormat).allKeys().size(), 1);
        QPushButton* b = button(&dialog, buttonName);
        QCOMPARE(b->property("LASTEST_COLOR").value<QColor>(), QColor(12, 34, 56));
        QVERIFY(b->styleSheet().endsWith(";background-color:rgb(12,34,56);"));

        // "取消" does not undo a stored colour; the next dialog starts from it.
        QTest::mouseClick(button(&dialog, "pushButton_Cancel"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        configDialog next(nullptr, 0, ini_);
        QCOMPARE(button(&next, buttonName)->property("LASTEST_COLOR").value<QColor>(),
                 QColor(12, 34, 56));
    }

    void cancelledColourDialogChangesNothing() {
        configDialog dialog(nullptr, 0, ini_);
        dialog.show();
        QSignalSpy changed(&dialog, SIGNAL(updateColorSettings()));
        const QString before = button(&dialog, "tabA_btn_LeftFoot")->styleSheet();
        whenModal<QColorDialog>([](QColorDialog* colors) { colors->reject(); });
        QTest::mouseClick(button(&dialog, "tabA_btn_LeftFoot"), Qt::LeftButton);
        QCOMPARE(changed.count(), 0);
        QVERIFY(!QFile::exists(ini_));
        QCOMPARE(button(&dialog, "tabA_btn_LeftFoot")->styleSheet(), before);
    }

    void changeReachesTheStaticView() {
        const ColorOfPressMap scale;
        forcePlateStaticDataAnalysis staticView(scale);
        configDialog dialog(nullptr, 0, ini_, &staticView);
        // Disconnecting succeeds only for a connection that exists.
        QVERIFY(QObject::disconnect(&dialog, &configDialog::updateColorSettings, &staticView,
                                    &forcePlateStaticDataAnalysis::slotOnRefreshColorSettings));
    }

    void pathPageShowsTheUserFoldersAndThePort() {
        configDialog dialog(nullptr, 1, ini_);
        QCOMPARE(dialog.windowTitle(), QString("设置"));
        QCOMPARE(dialog.findChild<QTabWidget*>("tabWidget")->currentIndex(), 1);
        auto* store = dialog.findChild<QLineEdit*>("lineEdit_StorePath");
        auto* report = dialog.findChild<QLineEdit*>("lineEdit_ReportPath");
        auto* config = dialog.findChild<QLineEdit*>("lineEdit_ConfigPath");
        const QString xdgData = qEnvironmentVariable("XDG_DATA_HOME");
        QCOMPARE(store->text(), xdgData + "/tessaly");
        QCOMPARE(report->text(), xdgData + "/tessaly/reports");
        QCOMPARE(config->text(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/tessaly");
        QCOMPARE(dialog.findChild<QSpinBox*>("spinBox_Port")->value(), testPlatePort());
        QVERIFY(store->isReadOnly() && report->isReadOnly() && config->isReadOnly());
        QVERIFY(button(&dialog, "pushButton_SelectStorePath")->isEnabled());
        QVERIFY(!button(&dialog, "pushButton_ReportPath")->isEnabled());
    }

    void confirmNeedsAUsableDirectory() {
        configDialog dialog(nullptr, 1, ini_);
        dialog.show();
        dialog.findChild<QLineEdit*>("lineEdit_StorePath")->setText("/proc/tessaly/data");
        SeenBox seen;
        answerMessageBox(QMessageBox::Ok, &seen);
        QTest::mouseClick(button(&dialog, "pushButton_Confirmed"), Qt::LeftButton);
        QCOMPARE(seen.title, QString("出错啦"));
        QCOMPARE(seen.text, QString("当前文件夹路径无效，请重新输入！"));
        QVERIFY(dialog.isVisible());

        dialog.findChild<QLineEdit*>("lineEdit_StorePath")->setText("relative/data");
        answerMessageBox(QMessageBox::Ok, &seen);
        QTest::mouseClick(button(&dialog, "pushButton_Confirmed"), Qt::LeftButton);
        QCOMPARE(seen.text, QString("当前文件夹路径无效，请重新输入！"));
        QVERIFY(dialog.isVisible());

        // Unchanged: nothing is written.
        const QString programIni = app::applicationIniPath("Tessaly.ini");
        const QByteArray before = readAll(programIni);
        dialog.findChild<QLineEdit*>("lineEdit_StorePath")->setText(appFolders().data);
        QTest::mouseClick(button(&dialog, "pushButton_Confirmed"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(readAll(programIni), before);
    }

    void chosenDataFolderAndPortAreStored() {
        configDialog dialog(nullptr, 1, ini_);
        dialog.show();
        dialog.findChild<QLineEdit*>("lineEdit_StorePath")->setText(dir_.filePath("data"));
        dialog.findChild<QSpinBox*>("spinBox_Port")->setValue(10002);
        QTest::mouseClick(button(&dialog, "pushButton_Confirmed"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(QDir(dir_.filePath("data")).exists());
        const QSettings stored(app::applicationIniPath("Tessaly.ini"), QSettings::IniFormat);
        QCOMPARE(stored.value("storage/dataFolder").toString(), dir_.filePath("data"));
        QCOMPARE(stored.value("acquisition/port").toInt(), 10002);
        QCOMPARE(listenSettingsFromIni().port, 10002);
        QVERIFY(QFile(app::applicationIniPath("Tessaly.ini")).permissions() ==
                (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser));
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
