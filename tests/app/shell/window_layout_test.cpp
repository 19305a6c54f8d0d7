// The main window on the screen it is given (run under Xvfb at 1366 x 768 and 1920 x 1080):
// it fits, its size settles after one layout pass, and the controls of the clinical flow are
// on screen on every page. With TESSALY_SCREENSHOT_DIR set, each page is saved as a PNG.
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "ColorScale.h"
#include "dataAnalysis.h"
#include "forcePlateStaticDataAnalysis.h"
#include "forcePlateUILib.h"
#include "timeLine.h"

namespace {

struct Look {
    QRect frame;
    QSize minimum;
    bool operator==(const Look& other) const {
        return frame == other.frame && minimum == other.minimum;
    }
};

// The smallest size the window can take: its own minimum or what its layout needs.
QSize effectiveMinimum(const QWidget* window) {
    return window->minimumSize().expandedTo(window->minimumSizeHint());
}

QString describe(const Look& look) {
    return QString("frame %1,%2 %3x%4, minimum %5x%6")
        .arg(look.frame.x())
        .arg(look.frame.y())
        .arg(look.frame.width())
        .arg(look.frame.height())
        .arg(look.minimum.width())
        .arg(look.minimum.height());
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT
    QTemporaryDir folder_;
    ColorOfPressMap scale_;
    forcePlateUILib* window_ = nullptr;
    QRect screen_;

    Look look() const { return {window_->frameGeometry(), effectiveMinimum(window_)}; }

    void settle(int ms) { QTest::qWait(ms); }

    // Every tab page of every tab widget inside page, each shown for ms.
    void visitInnerPages(QWidget* page, int ms, const QString& prefix) {
        for (QTabWidget* tabs : page->findChildren<QTabWidget*>()) {
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                settle(ms);
                saveScreenshot(QString("%1-%2").arg(prefix).arg(i));
            }
        }
    }

    void saveScreenshot(const QString& name) const {
        const QString dir = qEnvironmentVariable("TESSALY_SCREENSHOT_DIR");
        if (dir.isEmpty()) return;
        QDir().mkpath(dir);
        window_->grab().save(QString("%1/%2x%3-%4.png")
                                 .arg(dir)
                                 .arg(screen_.width())
                                 .arg(screen_.height())
                                 .arg(name));
    }

    // The widget is shown whole, inside the screen, not cut by any parent.
    void verifyFullyVisible(const QWidget* widget) {
        QVERIFY2(widget->isVisible(), qPrintable(widget->objectName()));
        const QRect onScreen(widget->mapToGlobal(QPoint(0, 0)), widget->size());
        QVERIFY2(screen_.contains(onScreen), qPrintable(widget->objectName()));
        QCOMPARE(widget->visibleRegion().boundingRect(), widget->rect());
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        const QString recording = folder_.filePath("sway.raw");
        QCOMPARE(QProcess::execute(PLATE_SIM,
                                   {"--write-raw", recording, "--seconds", "5", "--rate", "100"}),
                 0);
        scale_ = loadProgramColorScale();
        screen_ = QGuiApplication::primaryScreen()->geometry();
        // Started as from a file manager: the recording opens with the window.
        window_ = new forcePlateUILib(scale_, {recording});
        QTRY_VERIFY_WITH_TIMEOUT(window_->views().timeline != nullptr, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(window_->views().timeline->totalFrames() == 500, 20000);
    }

    void windowFitsTheScreen() {
        const QSize minimum = effectiveMinimum(window_);
        QVERIFY2(minimum.width() <= 1280 && minimum.height() <= 680, qPrintable(describe(look())));
        QVERIFY2(screen_.contains(window_->frameGeometry()), qPrintable(describe(look())));
    }

    // Every page of every tab, the balance view's frame page for several seconds; the window
    // keeps its size and minimum throughout and stays on the screen.
    void sizeSettlesOnEveryPage() {
        auto* tabs = window_->findChild<QTabWidget*>("tabWidget_2");
        const Look atStart = look();  // the minimum is computed lazily: only the frame counts
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            settle(300);
            saveScreenshot(QString("tab%1").arg(i));
            visitInnerPages(tabs->widget(i), i == 2 ? 0 : 300, QString("tab%1").arg(i));
        }
        tabs->setCurrentIndex(2);
        auto* balancePages = window_->views().balance->findChild<QTabWidget*>();
        balancePages->setCurrentIndex(0);
        settle(3000);
        const Look first = look();
        settle(2000);
        const Look second = look();
        QVERIFY2(first == second, qPrintable(describe(second)));
        QVERIFY2(first.frame == atStart.frame, qPrintable(describe(first)));
        QVERIFY2(screen_.contains(second.frame), qPrintable(describe(second)));
        QVERIFY2(second.minimum.width() <= screen_.width() &&
                     second.minimum.height() <= screen_.height(),
                 qPrintable(describe(second)));
    }

    void clinicalControlsAreOnScreen() {
        auto* tabs = window_->findChild<QTabWidget*>("tabWidget_2");
        verifyFullyVisible(window_->views().timeline->findChild<QToolButton*>("_recordBtn_2"));

        tabs->setCurrentIndex(1);
        settle(300);
        auto* staticView = window_->views().staticAnalysis;
        verifyFullyVisible(staticView->findChild<QPlainTextEdit*>("plainTextEdit_Evaluation"));
        verifyFullyVisible(staticView->findChild<QPushButton*>("pushButton_PublishReport"));

        tabs->setCurrentIndex(2);
        auto* balance = window_->views().balance;
        balance->findChild<QTabWidget*>()->setCurrentIndex(1);
        settle(300);
        verifyFullyVisible(balance->findChild<QPlainTextEdit*>("textEdit_Evaluation"));
        verifyFullyVisible(balance->findChild<QPushButton*>("pushButtonPublishReports"));
        verifyFullyVisible(window_->views().timeline->findChild<QToolButton*>("_recordBtn_2"));
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
