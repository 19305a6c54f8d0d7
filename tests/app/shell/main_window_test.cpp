// The main window with every view, as the program builds it.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "AboutTessaly.h"
#include "AppConstants.h"
#include "ColorScale.h"
#include "DeviceManagement.h"
#include "ForcePlateStaticTest.h"
#include "GlobalState.h"
#include "SubjectPanel.h"
#include "dataAnalysis.h"
#include "forcePlateStaticDataAnalysis.h"
#include "forcePlateUILib.h"
#include "timeLine.h"

class MainWindowTest : public QObject {
    Q_OBJECT
    ColorOfPressMap scale_;
    forcePlateUILib* window_ = nullptr;

    QTabWidget* centralTabs() const { return window_->findChild<QTabWidget*>("tabWidget_2"); }
    // The static and balance analysis views hold tab widgets of the same name.
    QTabWidget* rightTabs() const {
        const MainViews& v = window_->views();
        for (QTabWidget* tabs : window_->findChildren<QTabWidget*>("tabWidget"))
            if (!v.staticAnalysis->isAncestorOf(tabs) && !v.balance->isAncestorOf(tabs))
                return tabs;
        return nullptr;
    }

private slots:
    void initTestCase() {
        scale_ = loadProgramColorScale();
        window_ = new forcePlateUILib(scale_);
        QVERIFY(window_->views().deviceManagement == nullptr);  // views come 20 ms later
        QTRY_VERIFY(window_->views().deviceManagement != nullptr);
    }

    void titleAndToolBar() {
        QCOMPARE(window_->windowTitle(),
                 QString("VELTRIX Tessaly Foot Force Measure System 1.1.10"));
        QVERIFY(window_->findChild<QWidget*>("mainToolBar")->isHidden());
    }

    void menusInOrder() {
        QStringList titles;
        for (QAction* a : window_->menuBar()->actions()) titles << a->text();
        QCOMPARE(titles, (QStringList{"文件(&F)", "视图(&V)", "设置(&S)", "帮助(&H)"}));
    }

    void actions_data() {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("tabIndex");
        const QVariant none;
        QTest::newRow("data dir") << "action_DataFileDir"
                                  << "数据文件(&S)" << none;
        QTest::newRow("report dir") << "action_ReportfileDir"
                                    << "数据报告(&R)" << none;
        QTest::newRow("exit") << "action_Exit"
                              << "退出(&E)" << none;
        QTest::newRow("real time") << "action_RealTimeModelView"
                                   << "实时模式(&R)" << QVariant(0);
        QTest::newRow("static") << "action_SinglePlateStaticView"
                                << "静态分析(&S)" << QVariant(1);
        QTest::newRow("balance") << "action_SinglePlateBalanceView"
                                 << "平衡分析(&B)" << QVariant(2);
        QTest::newRow("reports") << "action_AnalysisReportView"
                                 << "数据报告(&R)" << QVariant(3);
        QTest::newRow("colours") << "action_ColorSettings"
                                 << "颜色设置(&C)" << QVariant(0);
        QTest::newRow("directories") << "action_DirectorySettings"
                                     << "路径设置(&L)" << QVariant(1);
        QTest::newRow("frequency") << "action_CollectFrequency"
                                   << "采集频率设置(&F)" << none;
        QTest::newRow("about") << "action_About"
                               << "关于(&A)" << none;
        QTest::newRow("walk, unused") << "action_SinglePlateWalkView"
                                      << "步行分析(&W)" << none;
    }
    void actions() {
        QFETCH(QString, objectName);
        QFETCH(QString, text);
        QFETCH(QVariant, tabIndex);
        auto* action = window_->findChild<QAction*>(objectName);
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->property("TAB_INDEX"), tabIndex);
    }

    void tabsAndViews() {
        const QStringList titles{"单板实时模式", "平衡压力数据分析", "足底压力中心数据分析",
                                 "数据报告"};
        for (int i = 0; i < titles.size(); ++i) QCOMPARE(centralTabs()->tabText(i), titles[i]);
        const MainViews& v = window_->views();
        QCOMPARE(window_->mainTabs(), centralTabs());
        const std::pair<QWidget*, const char*> placement[] = {
            {reinterpret_cast<QWidget*>(v.realTime), "tab_3"},
            {reinterpret_cast<QWidget*>(v.deviceManagement), "widgetLeft"},
            {reinterpret_cast<QWidget*>(v.timeline), "widgetBottom"}};
        for (const auto& [view, page] : placement) {
            QVERIFY(view);
            QCOMPARE(view->parentWidget()->objectName(), QString(page));
        }
        QVERIFY(v.staticAnalysis && v.balance && v.reportViewer && v.dataFiles &&
                v.realTime->valueTable());
        QVERIFY(!v.timeline->timelineControlsVisible());
        // Report publishing finds its views through the global record.
        const GlobalState& s = globalState();
        QCOMPARE(s.mainTabWidget, centralTabs());
        QCOMPARE(s.staticAnalysisView, v.staticAnalysis);
        QCOMPARE(s.balanceAnalysisView, v.balance);
        QCOMPARE(s.reportViewer, v.reportViewer);
    }

    void switchToViewSelectsTabAndReports() {
        rightTabs()->setCurrentIndex(0);
        window_->findChild<QAction*>("action_SinglePlateStaticView")->trigger();
        QCOMPARE(centralTabs()->currentIndex(), 1);
        QCOMPARE(rightTabs()->currentIndex(), 1);
    }

    // Live frames are processed only while the real-time tab is current.
    void tabChangeSetsActiveFlags_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("active");
        QTest::newRow("balance") << 2 << false;
        QTest::newRow("real time") << 0 << true;
        QTest::newRow("static") << 1 << false;
        QTest::newRow("reports") << 3 << false;
        QTest::newRow("back to real time") << 0 << true;
    }
    void tabChangeSetsActiveFlags() {
        QFETCH(int, tab);
        QFETCH(bool, active);
        centralTabs()->setCurrentIndex(tab);
        QCOMPARE(window_->views().deviceManagement->isActive(), active);
        QCOMPARE(window_->views().realTime->isRealTimeTabActive(), active);
    }

    void openingDataDirectoryCreatesIt() {
        QVERIFY(!QDir(app::dataDirectory()).exists() && !QDir(app::reportDirectory()).exists());
        window_->slotActionOpenDataFileDir();
        window_->slotActionOpenReportFileDir();
        QVERIFY(QDir(app::dataDirectory()).exists());
        QVERIFY(QDir(app::reportDirectory()).exists());
    }

    void aboutDialogTexts() {
        AboutTessaly about;
        const std::pair<const char*, const char*> labels[] = {
            {"LBL_fullName", "VELTRIX Tessaly Foot Force Measure System"},
            {"LBL_Version", "1.1.10"},
            {"LBL_releaseDate", "2026年10月26日"},
            {"LBL_compatibleHw", "M12"},
            {"label_10", "Debian 12 / Linux"}};
        for (const auto& [name, text] : labels)
            QCOMPARE(about.findChild<QLabel*>(name)->text(), QString::fromUtf8(text));
        // Without a readme beside the program there is no empty notes box to show.
        about.show();
        QVERIFY(!about.findChild<QWidget*>("showTextEdit")->isVisible());
        QVERIFY2(about.height() < 300, qPrintable(QString::number(about.height())));
        about.grab().save(QDir::tempPath() + "/tessaly_about.png");
        QCOMPARE(about.windowTitle(), QString("关于软件"));
        QVERIFY(!(about.windowFlags() & Qt::WindowContextHelpButtonHint));
    }

    void subjectPanel_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("gender");
        QTest::addColumn<QStringList>("shown");  // name, gender, age, height, weight
        QTest::addColumn<bool>("genderIcon");
        const QStringList full{"张三", "男", "30 岁", "170 cm", "65 kg"};
        QStringList woman = full;
        woman[1] = "女";
        QTest::newRow("man") << "张三"
                             << "man" << full << true;
        QTest::newRow("woman") << "张三"
                               << "woman" << woman << true;
        QTest::newRow("gender missing") << "张三"
                                        << "" << woman << false;
        QTest::newRow("nobody chosen") << ""
                                       << "" << QStringList{"", "", "", "", ""} << false;
    }
    void subjectPanel() {
        QFETCH(QString, name);
        QFETCH(QString, gender);
        QFETCH(QStringList, shown);
        QFETCH(bool, genderIcon);
        QLabel l[10];
        const bool chosen = !name.isEmpty();
        showSubject({&l[0], &l[1], &l[2], &l[3], &l[4], &l[5], &l[6], &l[7], &l[8], &l[9]},
                    {name, gender, chosen ? "30" : "", chosen ? "170" : "", chosen ? "65" : ""});
        QCOMPARE((QStringList{l[1].text(), l[3].text(), l[5].text(), l[7].text(), l[9].text()}),
                 shown);
        QCOMPARE(!l[2].pixmap(Qt::ReturnByValue).isNull(), genderIcon);
    }

    void longSubjectNameIsElidedWithTooltip() {
        QLabel l[10];
        const QString name = QString("超长姓名").repeated(10);
        showSubject({&l[0], &l[1], &l[2], &l[3], &l[4], &l[5], &l[6], &l[7], &l[8], &l[9]},
                    {name, "man", "30", "170", "65"});
        QVERIFY(l[1].text().endsWith(QChar(0x2026)));
        QVERIFY(l[1].text().size() < name.size());
        QCOMPARE(l[1].toolTip(), name);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
