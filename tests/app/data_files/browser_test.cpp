// The data file browser with its loader, rename dialog and export, on its own: the views it
// hands recordings to are registered in the global state as the main window would.
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "AnimationRename.h"
#include "AppConstants.h"
#include "ColorScale.h"
#include "CsvExport.h"
#include "ViewWiring.h"
#include "dataAnalysis.h"
#include "forcePlateDataFilesRecord.h"
#include "forcePlateStaticDataAnalysis.h"
#include "modal_dialogs.h"
#include "recording_fixtures.h"
#include "timeLine.h"

class BrowserTest : public QObject {
    Q_OBJECT
    QTemporaryDir workDir_;
    QString startDir_;
    QTabWidget tabs_;
    ColorOfPressMap scale_;
    forcePlateStaticDataAnalysis* staticView_ = nullptr;
    dataAnalysis* balanceView_ = nullptr;
    timeLine* bar_ = nullptr;
    forcePlateDataFilesRecord* browser_ = nullptr;

    QTreeWidget* tree() const { return browser_->findChild<QTreeWidget*>("treeWidget"); }
    static QString dataPath(const QString& name) { return app::dataDirectory() + name; }
    // The cache folder of the recording called name.
    static QString cachePath(const QString& name) { return app::cacheDirectory() + name; }
    // Makes the row showing name the current one; false when no row shows it.
    bool select(const QString& name) {
        for (int row = 0; row < tree()->topLevelItemCount(); ++row) {
            if (tree()->topLevelItem(row)->text(2) != name) continue;
            tree()->setCurrentItem(tree()->topLevelItem(row));
            return true;
        }
        return false;
    }
    QStringList shownNames() const {
        QStringList names;
        for (int row = 0; row < tree()->topLevelItemCount(); ++row)
            names << tree()->topLevelItem(row)->text(2);
        names.sort();
        return names;
    }
    // Renames the current file through the dialog; returns the dialog's message, if any.
    QString renameTo(const QString& newName, bool confirm = true) {
        QString problem;
        answeringModal<AnimationRename>(
            [&](AnimationRename* dialog) {
                dialog->findChild<QLineEdit*>("LE_newFileName")->setText(newName);
                if (confirm) QMetaObject::invokeMethod(dialog, "confirm");
                problem = dialog->findChild<QLabel*>("legalCheckLabel")->text();
                if (dialog->isVisible()) QMetaObject::invokeMethod(dialog, "cancle");
            },
            [&] { browser_->onRenameAnimation(); });
        return problem;
    }

private slots:
    void initTestCase() {
        scale_ = loadProgramColorScale();
        startDir_ = QDir::currentPath();
        QDir::setCurrent(workDir_.path());
        QVERIFY(writeFile(dataPath("20240131_094512345.raw"),
                          recordingBytes({blockFrame(1), blockFrame(2), blockFrame(3)})));
        QVERIFY(writeFile(dataPath("sub/in_folder.raw"), recordingBytes({blockFrame(1)})));
        QVERIFY(
            writeFile(dataPath("with.dot.raw"), recordingBytes({blockFrame(1), blockFrame(2)})));
        QVERIFY(writeFile(dataPath("header_only.raw"), headerBytes()));

        for (const char* title : {"实时", "静态", "平衡", "报告"}) tabs_.addTab(new QWidget, title);
        staticView_ = new forcePlateStaticDataAnalysis(scale_, &tabs_);
        balanceView_ = new dataAnalysis(scale_, &tabs_);
        bar_ = new timeLine(nullptr, nullptr, &tabs_);
        browser_ = new forcePlateDataFilesRecord(staticView_, balanceView_);
        // Wired as the main window wires them.
        connectPlayback(*balanceView_, *bar_);
        connect(browser_, &forcePlateDataFilesRecord::recordingOpening, bar_,
                &timeLine::resetTimeline);
        connect(browser_, &forcePlateDataFilesRecord::tabWanted, &tabs_,
                [this](MainTab tab) { tabs_.setCurrentIndex(tabIndex(tab)); });
    }

    void cleanupTestCase() {
        delete browser_;
        QDir::setCurrent(startDir_);
    }

    void listShowsEveryRecordingNumbered() {
        QCOMPARE(shownNames(),
                 (QStringList{"20240131_094512345", "header_only", "in_folder", "with.dot"}));
        for (int row = 0; row < tree()->topLevelItemCount(); ++row)
            QCOMPARE(tree()->topLevelItem(row)->text(0), QString::number(row + 1));
        QCOMPARE(browser_->listedPaths().size(), 4);
    }

    void openHandsTheRecordToBothViews_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("frames");
        QTest::newRow("top folder") << "20240131_094512345" << 3;
        QTest::newRow("subfolder") << "in_folder" << 1;
        QTest::newRow("name with a dot") << "with.dot" << 2;
    }
    void openHandsTheRecordToBothViews() {
        QFETCH(QString, name);
        QFETCH(int, frames);
        tabs_.setCurrentIndex(0);
        QVERIFY(select(name));
        const SeenMessage message = messageDuring([&] { browser_->onOpenAnimation(); });
        QVERIFY2(!message.shown, qPrintable(message.text));
        QCOMPARE(balanceView_->frameCount(), frames);
        QCOMPARE(bar_->totalFrames(), frames);
        QCOMPARE(tabs_.currentIndex(), 2);
        const QString cache = cachePath(name);
        QCOMPARE(QString::fromStdString(browser_->cacheFolder()), cache);
        // Frames are drawn when shown: the one picture the views read is all that is written.
        QCOMPARE(QDir(cache).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"analysis.jpg"});
        QDir(cache).removeRecursively();
        QCOMPARE(tree()->currentItem()->font(2).bold(), true);
    }

    // A comment belongs to the recording it was written for: opening another empties both
    // comment boxes, so that no report carries it under the wrong measurement.
    void openingAnotherRecordingClearsTheComments() {
        auto* staticComment = staticView_->findChild<QPlainTextEdit*>("plainTextEdit_Evaluation");
        auto* balanceComment = balanceView_->findChild<QPlainTextEdit*>("textEdit_Evaluation");
        QVERIFY(staticComment && balanceComment);
        QVERIFY(select("20240131_094512345"));
        QVERIFY(!messageDuring([&] { browser_->onOpenAnimation(); }).shown);
        staticComment->setPlainText("足弓偏低");
        balanceComment->setPlainText("站立平稳");
        QVERIFY(select("with.dot"));
        QVERIFY(!messageDuring([&] { browser_->onOpenAnimation(); }).shown);
        QCOMPARE(staticComment->toPlainText(), QString());
        QCOMPARE(balanceComment->toPlainText(), QString());
        QCOMPARE(balanceView_->commentText(), QString());
    }

    void openFailuresAreTold_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("ending");
        QTest::newRow("header only") << "header_only"
                                     << "提示"
                                     << " 文件为空!";
        QTest::newRow("removed meanwhile") << "gone"
                                           << "提示"
                                           << " 打开失败!";
    }
    void openFailuresAreTold() {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QString, ending);
        QVERIFY(writeFile(dataPath("gone.raw"), headerBytes()));
        browser_->onRefreshList();
        QFile::remove(dataPath("gone.raw"));
        const int framesBefore = balanceView_->frameCount();
        QVERIFY(select(name));
        const SeenMessage message = messageDuring([&] { browser_->onOpenAnimation(); });
        QVERIFY(message.shown);
        QCOMPARE(message.title, title);
        QCOMPARE(message.text, dataPath(name + ".raw") + ending);
        QCOMPARE(balanceView_->frameCount(), framesBefore);
        browser_->onRefreshList();
    }

    void renameCarriesCompanionsAndRefuses() {
        QVERIFY(writeFile(dataPath("with.dot.csv"), "csv"));
        QVERIFY(select("with.dot"));
        QCOMPARE(renameTo("with.dot"), QString("当前文件夹下已存在同名文件"));  // unchanged
        QVERIFY(select("with.dot"));
        QCOMPARE(renameTo("header_only"), QString("当前文件夹下已存在同名文件"));
        QVERIFY(select("with.dot"));
        QCOMPARE(renameTo(""), QString("文件名不能为空"));
        QVERIFY(select("with.dot"));
        renameTo("never", false);  // cancelled
        QVERIFY(QFileInfo::exists(dataPath("with.dot.raw")));
        QVERIFY(select("with.dot"));
        QCOMPARE(renameTo("renamed.v2"), QString());
        QVERIFY(QFileInfo::exists(dataPath("renamed.v2.raw")));
        QVERIFY(QFileInfo::exists(dataPath("renamed.v2.csv")));
        QVERIFY(!QFileInfo::exists(dataPath("with.dot.raw")));
        QVERIFY(shownNames().contains("renamed.v2"));

        QVERIFY(select("in_folder"));
        QCOMPARE(renameTo("moved_not"), QString());
        QVERIFY(QFileInfo::exists(dataPath("sub/moved_not.raw")));
    }

    void exportWritesTheChosenFile() {
        QVERIFY(select("20240131_094512345"));
        const QString out = QDir(workDir_.path()).absoluteFilePath("out.csv");
        QString proposed;
        SeenMessage message;
        answeringModal<QFileDialog>(
            [&](QFileDialog* dialog) {
                proposed = dialog->selectedFiles().value(0);
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(out);
                QMetaObject::invokeMethod(dialog, "accept");
            },
            // The completion message opens once the file dialog has gone.
            [&] { message = messageDuring([&] { browser_->onExportDataToCSV(); }); });
        QCOMPARE(proposed, dataPath("20240131_094512345.csv"));
        QVERIFY(message.shown);
        QCOMPARE(message.text, "导出完成，存储至 " + out);
        const QByteArray csv = readFile(out);
        QVERIFY(csv.startsWith(csvHeaderLine()));
        QCOMPARE(csv.count('\n'), 4);
    }

    void deleteAsksThenRemovesOnlyThatFile() {
        QVERIFY(select("moved_not"));
        const auto deleteAnswering = [this](QMessageBox::StandardButton answer) {
            QString asked;
            answeringModal<QMessageBox>(
                [&](QMessageBox* box) {
                    asked = box->text();
                    box->button(answer)->click();
                },
                [&] { browser_->onDeleteAnimat(); });
            return asked;
        };
        QVERIFY(deleteAnswering(QMessageBox::No).contains("moved_not.raw"));
        QVERIFY(QFileInfo::exists(dataPath("sub/moved_not.raw")));
        QVERIFY(shownNames().contains("moved_not"));

        QVERIFY(!deleteAnswering(QMessageBox::Yes).isEmpty());
        QVERIFY(!QFileInfo::exists(dataPath("sub/moved_not.raw")));
        QVERIFY(!shownNames().contains("moved_not"));
        QVERIFY(shownNames().contains("renamed.v2"));
        tree()->setCurrentItem(nullptr);
        browser_->onDeleteAnimat();  // nothing current: nothing happens
        QCOMPARE(tree()->topLevelItemCount(), 3);
    }

    // The cache folder goes with its recording: an open recording's too, whose views then
    // read their picture from the new folder.
    void renameAndDeleteTakeTheCacheFolder() {
        QVERIFY(select("renamed.v2"));
        QVERIFY(!messageDuring([&] { browser_->onOpenAnimation(); }).shown);
        QVERIFY(QFileInfo::exists(cachePath("renamed.v2/analysis.jpg")));
        QVERIFY(writeFile(cachePath("header_only/analysis.jpg"), "not open"));

        QVERIFY(select("renamed.v2"));
        QCOMPARE(renameTo("renamed.v3"), QString());
        QVERIFY(!QFileInfo::exists(cachePath("renamed.v2")));
        QVERIFY(QFileInfo::exists(cachePath("renamed.v3/analysis.jpg")));
        QCOMPARE(QString::fromStdString(browser_->cacheFolder()), cachePath("renamed.v3"));
        QVERIFY(select("header_only"));
        QCOMPARE(renameTo("header_moved"), QString());
        QCOMPARE(readFile(cachePath("header_moved/analysis.jpg")), QByteArray("not open"));
        QVERIFY(!QFileInfo::exists(cachePath("header_only")));
        QVERIFY(select("header_moved"));
        renameTo("never", false);  // cancelled: nothing moves
        QVERIFY(QFileInfo::exists(cachePath("header_moved")));

        const auto deleteAnswering = [this](const QString& name,
                                            QMessageBox::StandardButton answer) {
            QVERIFY(select(name));
            answeringModal<QMessageBox>([&](QMessageBox* box) { box->button(answer)->click(); },
                                        [&] { browser_->onDeleteAnimat(); });
        };
        deleteAnswering("header_moved", QMessageBox::No);
        QVERIFY(QFileInfo::exists(cachePath("header_moved")));
        for (const QString& name : {"renamed.v3", "header_moved"}) {
            deleteAnswering(name, QMessageBox::Yes);
            QVERIFY(!shownNames().contains(name));
            QVERIFY2(!QFileInfo::exists(cachePath(name)), qPrintable(name));
        }
    }

    void looksRight() {
        browser_->resize(300, 400);
        browser_->show();
        QVERIFY(QTest::qWaitForWindowExposed(browser_));
        browser_->grab().save(QDir::tempPath() + "/tessaly_browser.png");
    }
};

QTEST_MAIN(BrowserTest)
#include "browser_test.moc"
