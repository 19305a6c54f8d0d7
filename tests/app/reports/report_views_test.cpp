// The report browser and the report viewer on their own, in a temporary working folder with
// its own report directory: listing, numbering, open, rename, delete with its question, the
// viewer's page count and zoom, and the subject strings the composer prints.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "AnimationRename.h"
#include "AppConstants.h"
#include "CurrentSubjectFile.h"
#include "DataReportsFiles.h"
#include "DataRepots.h"
#include "GlobalState.h"
#include "ReportComposer.h"
#include "Startup.h"
#include "modal_dialogs.h"
#include "pdf_text.h"

class ReportViewsTest : public QObject {
    Q_OBJECT
    QTemporaryDir workDir_;
    QString startDir_;
    QTabWidget tabs_;
    DataReportsFiles* browser_ = nullptr;
    DataRepots* viewer_ = nullptr;

    QTreeWidget* tree() const { return browser_->findChild<QTreeWidget*>("treeWidget"); }
    QString reportPath(const QString& name) const { return app::reportDirectory() + name; }
    void writeFile(const QString& path, const QByteArray& bytes = "x") {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList column(int c) const {
        QStringList texts;
        for (int row = 0; row < tree()->topLevelItemCount(); ++row)
            texts << tree()->topLevelItem(row)->text(c);
        return texts;
    }
    void select(const QString& name) {
        const int row = column(2).indexOf(name);
        QVERIFY2(row >= 0, qPrintable(name));
        tree()->setCurrentItem(tree()->topLevelItem(row));
    }
    // Deletes the current report, answering the question with answer; says what it asked.
    SeenMessage deleteAnswering(QMessageBox::StandardButton answer) {
        SeenMessage seen;
        seen.shown = answeringModal<QMessageBox>(
            [&](QMessageBox* box) {
                seen.title = box->windowTitle();
                seen.text = box->text();
                box->button(answer)->click();
            },
            [&] { browser_->onDeleteAnimat(); });
        return seen;
    }

private slots:
    void initTestCase() {
        installFontSubstitutions();
        startDir_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(workDir_.path()));
        writeFile(reportPath("20240101_080000.pdf"));
        writeFile(reportPath("20240301_080000.pdf"), QByteArray(3 * 1024 * 1024 / 2, 'x'));
        writeFile(reportPath("old/20231231_235959.pdf"));
        writeFile(reportPath("Müller.follow-up.pdf"));
        writeFile(reportPath("Müller.follow-up.csv"));  // not a report, and no companion
        writeFile(reportPath("notes.txt"));
        viewer_ = new DataRepots;
        tabs_.addTab(new QWidget, "0");
        tabs_.addTab(new QWidget, "1");
        tabs_.addTab(new QWidget, "2");
        tabs_.addTab(viewer_, "3");
        globalState().mainTabWidget = &tabs_;
        browser_ = new DataReportsFiles;
    }

    void cleanupTestCase() {
        delete browser_;
        globalState().mainTabWidget = nullptr;
        QDir::setCurrent(startDir_);
    }

    void listsEveryReportNewestFirst() {
        QCOMPARE(column(2), (QStringList{"20231231_235959", "Müller.follow-up", "20240301_080000",
                                         "20240101_080000"}));
        QCOMPARE(column(0), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(column(3)[2], QString("1.50M"));
        QCOMPARE(column(4)[0], reportPath("old/20231231_235959.pdf"));
        QCOMPARE(browser_->reportPaths().size(), 4);
        QCOMPARE(tree()->headerItem()->text(1), QString("状态"));
        QVERIFY(tree()->isColumnHidden(4));
    }

    void openUsesTheListedPath_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::newRow("top") << "20240101_080000"
                             << "20240101_080000.pdf";
        QTest::newRow("subfolder") << "20231231_235959"
                                   << "old/20231231_235959.pdf";
        QTest::newRow("dotted") << "Müller.follow-up"
                                << "Müller.follow-up.pdf";
    }
    void openUsesTheListedPath() {
        QFETCH(QString, name);
        QFETCH(QString, file);
        QSignalSpy opened(browser_, SIGNAL(openDataReportsPdf(QString)));
        select(name);
        browser_->onOpenAnimation();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0][0].toString(), reportPath(file));
        QVERIFY(tree()->currentItem()->font(2).bold());
        for (int row = 0; row < tree()->topLevelItemCount(); ++row)
            if (tree()->topLevelItem(row) != tree()->currentItem())
                QVERIFY(!tree()->topLevelItem(row)->font(2).bold());
    }

    void nothingCurrentDoesNothing() {
        tree()->setCurrentItem(nullptr);
        QSignalSpy opened(browser_, SIGNAL(openDataReportsPdf(QString)));
        browser_->onOpenAnimation();
        QVERIFY(!deleteAnswering(QMessageBox::Yes).shown);
        QCOMPARE(opened.size(), 0);
        QCOMPARE(tree()->topLevelItemCount(), 4);
    }

    void renameKeepsOtherFilesAlone() {
        select("Müller.follow-up");
        answeringModal<AnimationRename>(
            [](AnimationRename* dialog) {
                dialog->findChild<QLineEdit*>("LE_newFileName")->setText("Müller.2026");
                QMetaObject::invokeMethod(dialog, "confirm");
            },
            [&] { browser_->onRenameAnimation(); });
        QVERIFY(QFileInfo::exists(reportPath("Müller.2026.pdf")));
        QVERIFY(!QFileInfo::exists(reportPath("Müller.follow-up.pdf")));
        QVERIFY(QFileInfo::exists(reportPath("Müller.follow-up.csv")));
        QCOMPARE(tree()->currentItem()->text(2), QString("Müller.2026"));
        QVERIFY(browser_->reportPaths().contains(reportPath("Müller.2026.pdf")));
        QVERIFY(!browser_->reportPaths().contains(reportPath("Müller.follow-up.pdf")));

        // The renamed report opens under its new path.
        QSignalSpy opened(browser_, SIGNAL(openDataReportsPdf(QString)));
        browser_->onOpenAnimation();
        QCOMPARE(opened.value(0).value(0).toString(), reportPath("Müller.2026.pdf"));
    }

    void deleteAsksFirst() {
        select("20231231_235959");
        const SeenMessage refused = deleteAnswering(QMessageBox::No);
        QVERIFY(refused.shown);
        QCOMPARE(refused.title, QString("提示"));
        QVERIFY(refused.text.contains("20231231_235959.pdf"));
        QVERIFY(QFileInfo::exists(reportPath("old/20231231_235959.pdf")));
        QCOMPARE(tree()->topLevelItemCount(), 4);

        QVERIFY(deleteAnswering(QMessageBox::Yes).shown);
        QVERIFY(!QFileInfo::exists(reportPath("old/20231231_235959.pdf")));
        QCOMPARE(column(2), (QStringList{"Müller.2026", "20240301_080000", "20240101_080000"}));
        QCOMPARE(column(0), (QStringList{"1", "2", "3"}));
    }

    void refreshShowsNewReports() {
        writeFile(reportPath("20250101_000000.pdf"));
        browser_->onRefreshList();
        QCOMPARE(column(2).value(1), QString("20250101_000000"));
        QCOMPARE(column(0).size(), 4);
    }

    void viewerShowsPagesAndKeepsTheZoom() {
        ReportContent content;
        content.info = makeReportInfo("", "none", QDateTime::currentDateTime());
        const QString pdf = reportPath("shown.pdf");
        QVERIFY(composeReportPdf(pdf, content).written);
        tabs_.setCurrentIndex(0);
        viewer_->displayReports(pdf);
        QCOMPARE(tabs_.currentIndex(), 3);
        QCOMPARE(viewer_->findChild<QLabel*>("labelTotalPage")->text(), QString("5"));
        QCOMPARE(viewer_->shownPageCount(), 5);
        QCOMPARE(viewer_->zoomFactor(), 1.0);

        auto* zoom = viewer_->findChild<QComboBox*>("comboBox");
        const QList<QPair<QString, double>> choices{
            {"90%", 0.9}, {"80%", 0.8}, {"70%", 0.7}, {"60%", 0.6}, {"100%", 1.0}};
        QCOMPARE(zoom->count(), 5);
        for (const auto& choice : choices) {
            zoom->setCurrentText(choice.first);
            QCOMPARE(viewer_->zoomFactor(), choice.second);
        }
        zoom->setCurrentText("70%");
        viewer_->displayReports(pdf);
        QCOMPARE(viewer_->zoomFactor(), 0.7);  // what the combo box says

        viewer_->displayReports(reportPath("20240101_080000.pdf"));  // not a PDF
        QCOMPARE(viewer_->findChild<QLabel*>("labelTotalPage")->text(), QString("0"));
        zoom->setCurrentText("100%");
    }

    void subjectStringsComeFromTheCurrentSubjectFile() {
        const QList<QPair<QString, QString>> genders{{"man", "男"}, {"woman", "女"}, {"", "女"}};
        for (const auto& gender : genders) {
            SubjectRecord subject{"P7", "李四", gender.first, "40", "180", "80", "左侧", "无"};
            QVERIFY(writeCurrentSubject(subject, currentSubjectIniPath()));
            viewer_->loadCurrentSubject();
            QCOMPARE(viewer_->reportSubject().genderText, gender.second);
            QCOMPARE(viewer_->reportSubject().uniqueCode, QString("P7"));
            QCOMPARE(viewer_->reportSubject().affectedSide, QString("无"));
        }
        QFile::remove(currentSubjectIniPath());
        viewer_->loadCurrentSubject();
        QCOMPARE(viewer_->reportSubject().name, QString());
        QCOMPARE(viewer_->reportSubject().uniqueCode, QString());
        QCOMPARE(viewer_->reportSubject().genderText, QString("女"));
    }

    void looksRight() {
        browser_->resize(300, 400);
        browser_->show();
        QVERIFY(QTest::qWaitForWindowExposed(browser_));
        browser_->grab().save(QDir::tempPath() + "/tessaly_report_browser.png");
    }
};

QTEST_MAIN(ReportViewsTest)
#include "report_views_test.moc"
