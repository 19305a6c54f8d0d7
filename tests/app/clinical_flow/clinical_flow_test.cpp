// The whole clinical flow in the real program with a real plate-sim: add and choose a subject,
// record five seconds with the record button, open the new recording from the data browser,
// check the shown figures against tessaly-cli, publish from both analysis views, read the
// reports' text, find them in the report browser and open one in the viewer, and compare with
// the report tessaly-cli writes headless for the same recording.
#include <QComboBox>
#include <QDateEdit>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "AppConstants.h"
#include "ColorScale.h"
#include "CurrentSubjectFile.h"
#include "DataReportsFiles.h"
#include "DataRepots.h"
#include "DeviceManagement.h"
#include "ForcePlateStaticTest.h"
#include "GaitAddUser.h"
#include "GaitChoseUser.h"
#include "ModalAnswer.h"
#include "Startup.h"
#include "dataAnalysis.h"
#include "forcePlateDataFilesRecord.h"
#include "forcePlateStaticDataAnalysis.h"
#include "forcePlateUILib.h"
#include "pdf_text.h"
#include "test_folders.h"
#include "timeLine.h"

namespace {

const char* const kCode = "GL260042";  // the add dialog takes eight characters
const char* const kName = "周 '若' 兰";
const char* const kComment = "站立平稳。\r\n建议三个月后复查\n右足跟部";

template <typename T>
T* child(QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(name);
    if (!found) qFatal("no child %s", name);
    return found;
}

QJsonObject analyzeWithCli(const QString& recording) {
    QProcess cli;
    cli.start(TESSALY_CLI_PATH, {"analyze", recording, "--json"});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0) return {};
    return QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
}

// Every page's text without the report time, which differs between two publishings.
QStringList pagesWithoutTime(const QString& pdf) {
    QStringList pages;
    for (int page = 1; page <= pdfPageCount(pdf); ++page)
        pages << pdfPageText(pdf, page).remove(
            QRegularExpression("\\d{4}年\\d{2}月\\d{2}日 \\d{2}时\\d{2}分\\d{2}秒"));
    return pages;
}

}  // namespace

class ClinicalFlowTest : public QObject {
    Q_OBJECT
    QTemporaryDir workDir_;
    QString startDir_;
    std::unique_ptr<QProcess> sim_;
    ColorOfPressMap scale_;
    forcePlateUILib* window_ = nullptr;
    QString recording_;
    QString cacheFolder_;
    QString publishedReport_;

    QTabWidget* tabs() const { return window_->mainTabs(); }
    QTreeWidget* dataList() const {
        return child<QTreeWidget>(window_->views().dataFiles, "treeWidget");
    }
    DataReportsFiles* reportBrowser() const { return window_->findChild<DataReportsFiles*>(); }
    QTreeWidget* reportList() const { return child<QTreeWidget>(reportBrowser(), "treeWidget"); }
    QString workPath(const QString& name) const {
        return QDir(workDir_.path()).absoluteFilePath(name);
    }
    QStringList reportsOnDisk() const {
        return QDir(app::reportDirectory()).entryList({"*.pdf"}, QDir::Files, QDir::Name);
    }

    // Clicks a publish button (twice) and waits for the one new report; returns its path.
    QString publishWith(QPushButton* button) {
        const QStringList before = reportsOnDisk();
        QSignalSpy composed(window_->views().reportViewer, SIGNAL(reportComposed(QString)));
        // A second click while the first publishing runs is ignored.
        QTimer::singleShot(400, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
        QTest::mouseClick(button, Qt::LeftButton);
        if (composed.isEmpty() && !composed.wait(20000)) return QString();
        QTest::qWait(600);
        if (composed.size() != 1) return QString();
        const QStringList after = reportsOnDisk();
        if (after.size() != before.size() + 1) return QString();
        return composed[0][0].toString();
    }

private slots:
    void initTestCase() {
        installFontSubstitutions();
        startDir_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(workDir_.path()));
        scale_ = loadProgramColorScale();
        window_ = new forcePlateUILib(scale_);
        window_->resize(1600, 1000);
        window_->show();
        QTRY_VERIFY(window_->views().reportViewer != nullptr && window_->views().dataFiles);
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }

    void cleanupTestCase() {
        if (sim_) {
            sim_->terminate();
            sim_->waitForFinished(3000);
        }
        if (!cacheFolder_.isEmpty()) QDir(cacheFolder_).removeRecursively();
        QDir::setCurrent(startDir_);
    }

    void addAndChooseSubject() {
        SeenBox added;
        whenModal<GaitAddUser>([&added](GaitAddUser* dialog) {
            child<QLineEdit>(dialog, "binglihao")->setText(kCode);
            child<QLineEdit>(dialog, "nameUserInfo")->setText(QString::fromUtf8(kName));
            child<QRadioButton>(dialog, "radioButton_woman")->setChecked(true);
            child<QDateEdit>(dialog, "dateEditUserInfo")->setDate(QDate(1981, 3, 9));
            child<QLineEdit>(dialog, "heightUserInfo")->setText("164");
            child<QLineEdit>(dialog, "weightUserInfo")->setText("58.5");
            answerMessageBox(QMessageBox::Ok, &added);
            child<QPushButton>(dialog, "registerGaitAddUser")->click();
        });
        QTest::mouseClick(child<QPushButton>(window_, "GaitPushButtonAddUser"), Qt::LeftButton);
        QCOMPARE(added.text, QString("用户信息录入完毕!"));

        whenModal<GaitChoseUser>([](GaitChoseUser* dialog) {
            auto* table = child<QTableWidget>(dialog, "tableWidgetChoseUser");
            QCOMPARE(table->rowCount(), 1);
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualItemRect(table->item(0, 1)).center());
            child<QPushButton>(dialog, "pushButtonOK")->click();
        });
        QTest::mouseClick(child<QPushButton>(window_, "pushButtonChoseUser"), Qt::LeftButton);
        QCOMPARE(child<QLabel>(window_, "labelName")->text(), QString::fromUtf8(kName));
        QCOMPARE(readCurrentSubject(currentSubjectIniPath()).uniqueCode, QString(kCode));
    }

    void recordFiveSeconds() {
        sim_ = std::make_unique<QProcess>();
        sim_->start(PLATE_SIM_PATH, {"--rate", "100", "--port", QString::number(testPlatePort())});
        QVERIFY(sim_->waitForStarted());
        DeviceManagement* panel = window_->views().deviceManagement;
        QTRY_VERIFY_WITH_TIMEOUT(
            (panel->onPB_refreshDevice_clicked(), !panel->knownDevices().isEmpty()), 5000);
        tabs()->setCurrentIndex(0);
        auto* time = child<QComboBox>(window_->views().realTime, "comboBoxMeasureTime");
        time->setCurrentText("5");
        QCOMPARE(time->currentText(), QString("5"));
        auto* record = child<QToolButton>(window_->views().timeline, "_recordBtn_2");
        QTest::mouseClick(record, Qt::LeftButton);
        QVERIFY(panel->hasOpenRecording());
        QTRY_VERIFY_WITH_TIMEOUT(!panel->hasOpenRecording() && !record->isChecked(), 12000);
        sim_->terminate();
        sim_->waitForFinished(3000);

        // The new recording is listed at once.
        QCOMPARE(dataList()->topLevelItemCount(), 1);
        recording_ = dataList()->topLevelItem(0)->text(4);
        QVERIFY(recording_.startsWith(app::dataDirectory()));
        QVERIFY(QFileInfo(recording_).size() > 27 + 300 * 5000);
    }

    void openShowsTheFiguresOfTheCommandLine() {
        QVERIFY(!recording_.isEmpty());
        dataList()->setCurrentItem(dataList()->topLevelItem(0));
        window_->views().dataFiles->onOpenAnimation();
        cacheFolder_ = QString::fromStdString(window_->views().dataFiles->cacheFolder());
        QCOMPARE(tabs()->currentIndex(), 2);
        waitForShownFigures();

        const QJsonObject cli = analyzeWithCli(recording_);
        QVERIFY(!cli.isEmpty());
        QCOMPARE(cli["frames"].toInt(), window_->views().balance->frameCount());
        const StaticAnalysis& shown = window_->views().staticAnalysis->analysis();
        const QJsonObject statics = cli["static"].toObject();
        QCOMPARE(statics["chosenFrame"].toInt(), shown.grids.chosenFrame);
        const struct {
            const char* key;
            FootSide side;
            const char* areaLabel;
        } feet[] = {{"left", kLeftFoot, "label_leftFootAreaValue"},
                    {"right", kRightFoot, "label_rightFootAreaValue"}};
        for (const auto& foot : feet) {
            const QJsonObject expected = statics[foot.key].toObject();
            const FootRecord& f = shown.feet[foot.side];
            QCOMPARE(f.total, expected["total"].toInt());
            QCOMPARE(f.share, expected["share"].toInt());
            QCOMPARE((QList<int>{f.front, f.middle, f.rear}),
                     (QList<int>{expected["front"].toInt(), expected["middle"].toInt(),
                                 expected["rear"].toInt()}));
            QCOMPARE(f.footType, expected["footType"].toString());
            QCOMPARE(f.contactArea, expected["contactArea"].toInt());
            const QString area =
                child<QLabel>(window_->views().staticAnalysis, foot.areaLabel)->text();
            QVERIFY2(area.contains(QString::number(expected["contactArea"].toInt())),
                     qPrintable(area));
        }
        const QJsonObject balance = cli["balance"].toObject();
        const char* const rows[] = {"ellipseArea", "ellipseAxisA", "ellipseAxisB", "pathLength",
                                    "meanSpeedY",  "meanSpeedX",   "maxSpeedY",    "maxSpeedX"};
        // The view rounds to its units: mm² and mm to one decimal, cm/s to two.
        const int decimals[] = {1, 1, 1, 1, 2, 2, 2, 2};
        QTableWidget* table = window_->views().balance->getResultTableWidget();
        for (int i = 0; i < 8; ++i)
            QCOMPARE(table->item(i + 2, 1)->text(),
                     QString::number(balance[rows[i]].toDouble(), 'f', decimals[i]));
    }

    void publishFromTheBalanceView() {
        auto* comment = child<QPlainTextEdit>(window_->views().balance, "textEdit_Evaluation");
        comment->setPlainText(QString::fromUtf8(kComment));
        tabs()->setCurrentIndex(2);
        publishedReport_ =
            publishWith(child<QPushButton>(window_->views().balance, "pushButtonPublishReports"));
        QVERIFY(!publishedReport_.isEmpty());
        QVERIFY(QRegularExpression("/tessaly/reports/\\d{8}_\\d{6}(_\\d+)?\\.pdf$")
                    .match(publishedReport_)
                    .hasMatch());
        QCOMPARE(tabs()->currentIndex(), 3);
        QCOMPARE(child<QLabel>(window_->views().reportViewer, "labelTotalPage")->text(),
                 QString("6"));

        QCOMPARE(pdfPageCount(publishedReport_), 6);
        const QString first = pdfPageText(publishedReport_, 1);
        for (const QString& piece :
             {QString("足底压力测试数据报告"), QString("受试者唯一码: ") + kCode,
              QString("姓名: ") + QString::fromUtf8(kName).simplified(), QString("身高(cm): 164"),
              QString("体重(kg): 58.5"), QString("测试类型: 足底压力测试")})
            QVERIFY2(first.contains(piece), qPrintable(piece + " not in " + first));
        for (int page = 1; page <= 6; ++page)
            QCOMPARE(pdfPageText(publishedReport_, page).split(' ').last(), QString::number(page));

        const QString last = pdfPageText(publishedReport_, 5);
        QTableWidget* table = window_->views().balance->getResultTableWidget();
        for (int row = 2; row < 10; ++row)
            QVERIFY2(last.contains(table->item(row, 0)->text() + " " + table->item(row, 1)->text()),
                     qPrintable(table->item(row, 1)->text() + " not in " + last));
        QVERIFY(last.contains("评语： 站立平稳。 建议三个月后复查 右足跟部"));

        // The standard measures follow, as the balance view's page computes them.
        const QString measures = pdfPageText(publishedReport_, 6);
        for (const QString& piece :
             {QString("静态平衡标准参数"), QString("左右 ML (mm)"), QString("前后 AP (mm)"),
              QString("低通 10 Hz"), QString("平均速度"), QString("预测椭圆面积")})
            QVERIFY2(measures.contains(piece), qPrintable(piece + " not in " + measures));
        const PosturographyOutcome& shown = window_->views().balance->posturography();
        QVERIFY(shown.results);
        QVERIFY(measures.contains(QString::number(*shown.results->time.mvelo, 'f', 2) + " mm/s"));
    }

    void reportBrowserListsAndOpensIt() {
        QVERIFY(!publishedReport_.isEmpty());
        QTreeWidget* list = reportList();
        QCOMPARE(list->topLevelItemCount(), 1);  // listed without a refresh
        QCOMPARE(list->topLevelItem(0)->text(4), QFileInfo(publishedReport_).absoluteFilePath());
        QCOMPARE(list->topLevelItem(0)->text(0), QString("1"));
        tabs()->setCurrentIndex(0);
        list->setCurrentItem(list->topLevelItem(0));
        reportBrowser()->onOpenAnimation();
        QCOMPARE(tabs()->currentIndex(), 3);
        QCOMPARE(window_->views().reportViewer->shownPageCount(), 6);
        QTest::qWait(1500);  // the view renders its pages in the background
        window_->grab().save(QDir::tempPath() + "/tessaly_report_viewer.png");
    }

    void staticViewPublishesTheSameReport() {
        QVERIFY(!publishedReport_.isEmpty());
        auto* view = window_->views().staticAnalysis;
        child<QPlainTextEdit>(view, "plainTextEdit_Evaluation")
            ->setPlainText(QString::fromUtf8(kComment));
        tabs()->setCurrentIndex(1);
        const QString second = publishWith(child<QPushButton>(view, "pushButton_PublishReport"));
        QVERIFY(!second.isEmpty());
        QVERIFY(second != publishedReport_);
        QCOMPARE(pagesWithoutTime(second), pagesWithoutTime(publishedReport_));
        QCOMPARE(reportList()->topLevelItemCount(), 2);
    }

    void commandLineWritesTheSameReport() {
        QVERIFY(!publishedReport_.isEmpty());
        const QString out = workPath("headless/report.pdf");
        QDir().mkpath(workPath("headless"));
        QProcess cli;
        cli.setWorkingDirectory(workPath("headless"));
        cli.start(TESSALY_CLI_PATH, {"report", recording_, "--out", "report.pdf", "--comment",
                                     QString::fromUtf8(kComment)});
        QVERIFY(cli.waitForFinished(120000));
        QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
        QCOMPARE(QDir(workPath("headless")).entryList(QDir::Files), QStringList{"report.pdf"});
        QCOMPARE(pagesWithoutTime(out), pagesWithoutTime(publishedReport_));
    }

private:
    // The static figures show once the analysis image has been drawn (a short timer later).
    void waitForShownFigures() {
        QTRY_VERIFY_WITH_TIMEOUT(
            window_->views()
                    .staticAnalysis->findChild<QWidget*>("widget_footZonePressure")
                    ->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)
                    .size() > 0,
            5000);
    }
};

QTEST_MAIN(ClinicalFlowTest)
#include "clinical_flow_test.moc"
