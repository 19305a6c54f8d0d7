// The display widget on a real OpenGL context (Xvfb + Mesa): what it draws, read back from
// its framebuffer, and how it answers calls, keys, mouse and its context menu.
#include <unistd.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <cstdio>
#include <memory>
#include <vector>

#include "libTavloWidget.h"

namespace {

// Collects what is written to standard output (file descriptor 1) while it lives.
class StdoutCapture {
public:
    StdoutCapture() : file_(std::tmpfile()), saved_(dup(1)) {
        std::fflush(stdout);
        dup2(fileno(file_), 1);
    }
    ~StdoutCapture() { text(); }
    QString text() {
        if (file_ == nullptr) return text_;
        std::fflush(stdout);
        dup2(saved_, 1);
        close(saved_);
        std::rewind(file_);
        QByteArray bytes;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file_)) > 0;)
            bytes.append(buffer, static_cast<int>(n));
        std::fclose(file_);
        file_ = nullptr;
        text_ = QString::fromUtf8(bytes);
        return text_;
    }

private:
    FILE* file_;
    int saved_;
    QString text_;
};

QColor colourAt(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

std::vector<int> solid(int cells, QColor c) {
    std::vector<int> colours;
    for (int i = 0; i < cells; ++i) colours.insert(colours.end(), {c.red(), c.green(), c.blue()});
    return colours;
}

const QColor kBackground(60, 60, 60);
const QColor kGrey(128, 128, 128);
const std::vector<int> kGreyCell = {128, 128, 128};

// What the context menu showed, and the entry chosen from it.
struct MenuSeen {
    QString objectName;
    QStringList checked, disabled, texts;
};

}  // namespace

class WidgetTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<libTavloWidget> widget_;

    // A shown widget of the given size without the centre cross.
    libTavloWidget* show(QSize size) {
        widget_ = std::make_unique<libTavloWidget>();
        widget_->setCenterCrossDraw(false);
        widget_->resize(size);
        widget_->show();
        if (!QTest::qWaitForWindowExposed(widget_.get())) return nullptr;
        return widget_.get();
    }

    // A shown widget with one matrix of a single grey cell (identifier 1), for what is drawn
    // over the matrices.
    libTavloWidget* showGrey(QSize size) {
        if (show(size) == nullptr) return nullptr;
        widget_->AddSensorMatrix(1, 1, 1);
        widget_->SetFrameGridMode_Frames(1, kGreyCell.data(), 3);
        return widget_.get();
    }

    // Opens the context menu at pos with a right click, records it and chooses text.
    MenuSeen chooseFromMenu(QPoint pos, const QString& text) {
        MenuSeen seen;
        auto pick = std::make_shared<std::function<void()>>();
        *pick = [&seen, text, pick] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                QTimer::singleShot(10, *pick);
                return;
            }
            seen.objectName = menu->objectName();
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                seen.texts << action->text();
                if (action->isChecked()) seen.checked << action->text();
                if (!action->isEnabled()) seen.disabled << action->text();
                if (action->text() == text) chosen = action;
            }
            if (chosen != nullptr) chosen->trigger();
            menu->close();
        };
        QTimer::singleShot(0, *pick);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget_->mapToGlobal(pos));
        QApplication::sendEvent(widget_.get(), &event);
        return seen;
    }

private slots:
    void cleanup() { widget_.reset(); }

    void setUpPrintsContextAndExtendsName() {
        StdoutCapture capture;
        auto* w = show({100, 100});
        QVERIFY(w);
        w->grabFramebuffer();
        const QString out = capture.text();
        const QString name = QString::fromStdString(w->getName());
        QVERIFY2(QRegularExpression("^libTavloWig[0-9A-F]{8}$").match(name).hasMatch(),
                 qPrintable(name));
        for (const char* line : {"parent addr:", "CamerasDraw addr ", "OpenGL GL_VENDOR:",
                                 "OpenGL GL_RENDERER:", "OpenGL GL_VERSION:", "GLU GLU_VERSION:"})
            QVERIFY2(out.contains("[" + name + "]" + line), line);
    }

    void cellsDrawTheirColoursInPlace_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QSize>("size");
        QTest::newRow("2x3") << 2 << 3 << QSize(300, 200);
        QTest::newRow("1x1") << 1 << 1 << QSize(80, 60);
        QTest::newRow("5x2") << 5 << 2 << QSize(100, 250);
        QTest::newRow("8x8") << 8 << 8 << QSize(256, 256);
    }
    // Every cell gets its own colour; the pixel at each cell's centre must show it, with the
    // top row of the buffer at the top of the view.
    void cellsDrawTheirColoursInPlace() {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QSize, size);
        auto* w = show(size);
        QVERIFY(w);
        QCOMPARE(w->AddSensorMatrix(42, rows, columns), 0);
        const auto centreOf = [&](int r, int c) {
            return QPoint((2 * c + 1) * size.width() / (2 * columns),
                          (2 * r + 1) * size.height() / (2 * rows));
        };
        QImage image = w->grabFramebuffer();
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                QCOMPARE(colourAt(image, centreOf(r, c).x(), centreOf(r, c).y()), QColor(0, 0, 0));

        std::vector<int> colours;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                colours.insert(colours.end(), {20 + 29 * r, 250 - 31 * c, (r * 7 + c * 13) % 256});
        QCOMPARE(w->SetFrameGridMode_Frames(42, colours.data(), static_cast<int>(colours.size())),
                 0);
        image = w->grabFramebuffer();
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                const int* rgb = &colours[3 * (r * columns + c)];
                QCOMPARE(colourAt(image, centreOf(r, c).x(), centreOf(r, c).y()),
                         QColor(rgb[0], rgb[1], rgb[2]));
            }
        }
    }

    void valuesOutsideByteRangeClamp() {
        auto* w = show({40, 40});
        QVERIFY(w);
        w->AddSensorMatrix(1, 1, 2);
        const int colours[] = {-50, 300, 128, 1000, -1, 255};
        w->SetFrameGridMode_Frames(1, colours, 6);
        const QImage image = w->grabFramebuffer();
        QCOMPARE(colourAt(image, 10, 20), QColor(0, 255, 128));
        QCOMPARE(colourAt(image, 30, 20), QColor(255, 0, 255));
    }

    void twoMatricesStackAndRemovalRestoresFullView() {
        auto* w = show({200, 200});
        QVERIFY(w);
        QCOMPARE(w->AddSensorMatrix(1, 1, 1), 0);
        QCOMPARE(w->AddSensorMatrix(2, 1, 1), 1);
        const auto red = solid(1, Qt::red), blue = solid(1, Qt::blue);
        w->SetFrameGridMode_Frames(1, red.data(), 3);
        w->SetFrameGridMode_Frames(2, blue.data(), 3);
        QImage image = w->grabFramebuffer();
        for (int y : {1, 50, 98}) QCOMPARE(colourAt(image, 100, y), QColor(Qt::red));
        for (int y : {101, 150, 198}) QCOMPARE(colourAt(image, 100, y), QColor(Qt::blue));
        for (int x : {1, 198}) {
            QCOMPARE(colourAt(image, x, 50), QColor(Qt::red));
            QCOMPARE(colourAt(image, x, 150), QColor(Qt::blue));
        }

        QCOMPARE(w->DelRow(), 1);
        image = w->grabFramebuffer();
        for (int y : {1, 100, 198}) QCOMPARE(colourAt(image, 100, y), QColor(Qt::red));
        w->ClearHorizontalBars();
        image = w->grabFramebuffer();
        QCOMPARE(colourAt(image, 100, 100), kBackground);
    }

    // Frames handed over for the next paint: both matrices show their colours once the event
    // loop has painted, with no draw asked for in between.
    void deferredFramesShowWithTheNextPaint() {
        auto* w = show({200, 200});
        QVERIFY(w);
        w->AddSensorMatrix(1, 1, 1);
        w->AddSensorMatrix(2, 1, 1);
        const auto red = solid(1, Qt::red), blue = solid(1, Qt::blue);
        QCOMPARE(w->SetFrameGridMode_FramesDeferred(1, red.data(), 3), 0);
        QCOMPARE(w->SetFrameGridMode_FramesDeferred(2, blue.data(), 3), 0);
        QCOMPARE(w->SetFrameGridMode_FramesDeferred(99, red.data(), 3), 0);
        QCoreApplication::processEvents();
        const QImage image = w->grabFramebuffer();
        QCOMPARE(colourAt(image, 100, 50), QColor(Qt::red));
        QCOMPARE(colourAt(image, 100, 150), QColor(Qt::blue));
    }

    void gridBorderOutlinesEachMatrix() {
        auto* w = show({200, 200});
        QVERIFY(w);
        w->AddSensorMatrix(1, 2, 2);
        w->AddSensorMatrix(2, 2, 2);
        const auto white = solid(4, Qt::white);
        w->SetFrameGridMode_Frames(1, white.data(), 12);
        w->SetFrameGridMode_Frames(2, white.data(), 12);
        const auto blackNear = [](const QImage& image, int x, int y) {
            for (int d = -1; d <= 1; ++d)
                if (colourAt(image, x, y + d) == QColor(Qt::black)) return true;
            return false;
        };
        QVERIFY(!blackNear(w->grabFramebuffer(), 100, 100));
        w->setIsGridBorderDraw(true);
        const QImage image = w->grabFramebuffer();
        QVERIFY(blackNear(image, 100, 100));  // between the two matrices
        QVERIFY(blackNear(image, 30, 100));
        // No line inside a matrix: the border is around matrices, not cells.
        QCOMPARE(colourAt(image, 100, 50), QColor(Qt::white));
        QCOMPARE(colourAt(image, 50, 50), QColor(Qt::white));
    }

    // RSSI is chosen from the context menu; frame data are then ignored until "Frame" is
    // chosen again.
    void rssiModeIgnoresFrameData() {
        auto* w = show({200, 100});
        QVERIFY(w);
        w->AddSensorMatrix(7, 1, 1);
        const auto red = solid(1, Qt::red), blue = solid(1, Qt::blue);
        w->SetFrameGridMode_Frames(7, red.data(), 3);

        MenuSeen seen = chooseFromMenu({150, 50}, "RSSI");
        QCOMPARE(seen.objectName, QString("menu_Camera"));
        QCOMPARE(seen.texts, (QStringList{"Frame", "RSSI", "Save Image"}));
        QCOMPARE(seen.checked, QStringList{"Frame"});
        QCOMPARE(seen.disabled, QStringList{"Save Image"});

        QCOMPARE(w->SetFrameGridMode_Frames(7, blue.data(), 3), 0);
        QCOMPARE(w->SetRssiMode_Rssi(0, 0.5f), 0);
        QCOMPARE(w->SetRssiMode_Rssi(1, 1.0f), 0);  // unused slot
        QImage image = w->grabFramebuffer();
        // The right click selected the matrix, so its bar is red; it fills the left half.
        QCOMPARE(colourAt(image, 50, 50), QColor(Qt::red));
        QCOMPARE(colourAt(image, 150, 50), kBackground);

        seen = chooseFromMenu({150, 50}, "Frame");
        QCOMPARE(seen.checked, QStringList{"RSSI"});
        image = w->grabFramebuffer();
        QCOMPARE(colourAt(image, 150, 50), QColor(Qt::red));  // the blue frame was dropped
        QCOMPARE(w->SetRssiMode_Rssi(0, 1.0f), 0);            // ignored in Frame mode
        w->SetFrameGridMode_Frames(7, blue.data(), 3);
        QCOMPARE(colourAt(w->grabFramebuffer(), 150, 50), QColor(Qt::blue));
    }

    // In RSSI mode selected bars are red, others green; removals report the selection.
    void selectionByPointAndItsReport() {
        auto* w = show({200, 200});
        QVERIFY(w);
        w->AddSensorMatrix(1, 1, 1);
        w->AddSensorMatrix(2, 1, 1);
        QSignalSpy selection(w, &libTavloWidget::camFrameSelectionChanged);
        chooseFromMenu({100, 50}, "RSSI");
        w->SetRssiMode_Rssi(0, 1);
        w->SetRssiMode_Rssi(1, 1);
        const auto bars = [&] {
            const QImage image = w->grabFramebuffer();
            return std::make_pair(colourAt(image, 100, 50), colourAt(image, 100, 150));
        };
        const QColor red(Qt::red), green(Qt::green);
        QCOMPARE(bars(), std::make_pair(red, green));
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, {100, 150});
        QCOMPARE(bars(), std::make_pair(green, red));
        QTest::mouseClick(w, Qt::LeftButton, Qt::ControlModifier, {100, 50});
        QCOMPARE(bars(), std::make_pair(red, red));
        QTest::mouseClick(w, Qt::MiddleButton, Qt::NoModifier, {100, 150});
        QCOMPARE(bars(), std::make_pair(red, red));
        QCOMPARE(selection.count(), 0);  // selecting is not reported

        QCOMPARE(w->DelRow(), 1);
        QCOMPARE(selection.count(), 1);
        QCOMPARE(selection.takeFirst().at(0).value<std::vector<int>>(), std::vector<int>{0});
        w->ClearHorizontalBars();
        QCOMPARE(selection.count(), 1);
        QVERIFY(selection.takeFirst().at(0).value<std::vector<int>>().empty());
    }

    void delRowOnEmptyWidgetReturnsMinusOneSilently() {
        libTavloWidget w;  // never shown: no context yet
        QSignalSpy selection(&w, &libTavloWidget::camFrameSelectionChanged);
        QCOMPARE(w.DelRow(), -1);
        QCOMPARE(selection.count(), 0);
        const int colours[] = {1, 2, 3};
        QCOMPARE(w.SetFrameGridMode_Frames(5, colours, 3), 0);
        QCOMPARE(w.SetFrameGridMode_Frames(5, nullptr, 3), 0);
        QCOMPARE(w.getCameraMaxCount(), 128);
    }

    void zeroSizeResizeIsSafe() {
        auto* w = show({100, 100});
        QVERIFY(w);
        w->AddSensorMatrix(3, 2, 2);
        const auto green = solid(4, Qt::green);
        w->resize(0, 0);
        QCOMPARE(w->SetFrameGridMode_Frames(3, green.data(), 12), 0);
        w->grabFramebuffer();
        w->resize(100, 100);
        QCOMPARE(colourAt(w->grabFramebuffer(), 25, 75), QColor(Qt::green));
    }

    // All 128 slots are drawn, each a 2-pixel band; a 129th matrix is not added.
    void addBeyond128AddsNothingAndAllSlotsDraw() {
        auto* w = show({64, 256});
        QVERIFY(w);
        for (int i = 0; i < 128; ++i) {
            QCOMPARE(w->AddSensorMatrix(i, 1, 1), i);
            const auto c = solid(1, QColor(i, 255 - i, 2 * i));
            w->SetFrameGridMode_Frames(i, c.data(), 3);
        }
        StdoutCapture capture;
        QCOMPARE(w->AddSensorMatrix(1000, 1, 1), 127);
        QVERIFY(capture.text().contains("all 128 slots in use"));
        const auto c = solid(1, Qt::white);
        w->SetFrameGridMode_Frames(1000, c.data(), 3);  // unknown: nothing changes
        const QImage image = w->grabFramebuffer();
        for (int i = 0; i < 128; ++i)
            for (int y : {2 * i, 2 * i + 1})
                QCOMPARE(colourAt(image, 32, y), QColor(i, 255 - i, 2 * i));
    }

    void focusFrameAndFocusMessages() {
        auto* w = showGrey({200, 100});
        QVERIFY(w);
        w->activateWindow();
        w->clearFocus();
        QSignalSpy messages(w, &libTavloWidget::message);
        const QString name = QString::fromStdString(w->getName());
        const auto redAtEdges = [&] {
            const QImage image = w->grabFramebuffer();
            const auto redIn = [&](int x0, int y0, int dx, int dy) {
                for (int i = 0; i < 4; ++i)
                    if (colourAt(image, x0 + i * dx, y0 + i * dy) == QColor(Qt::red)) return true;
                return false;
            };
            return redIn(0, 50, 1, 0) && redIn(199, 50, -1, 0) && redIn(100, 0, 0, 1) &&
                   redIn(100, 99, 0, -1) && colourAt(image, 10, 50) == kGrey;
        };
        QVERIFY(!redAtEdges());

        w->setFocus();
        QTRY_VERIFY(w->hasFocus());
        QVERIFY(redAtEdges());
        w->clearFocus();
        QVERIFY(!redAtEdges());
        QCOMPARE(messages.count(), 2);
        QCOMPARE(messages.at(0), (QVariantList{"SetFocus for Win32 window! " + name, 1000}));
        QCOMPARE(messages.at(1), (QVariantList{"KillFocus for Win32 window! " + name, 1000}));
    }

    // M toggles the debug text (white glyphs on black cells at the bottom left) and the
    // console line of each draw; every data call draws once unless the draw loop runs.
    void keysAndDebugInfo() {
        auto* w = showGrey({300, 200});
        QVERIFY(w);
        QSignalSpy messages(w, &libTavloWidget::message);
        const auto textAtBottomLeft = [&] {
            const QImage image = w->grabFramebuffer();
            bool white = false, black = false;
            for (int y = 170; y < 200; ++y) {
                for (int x = 0; x < 120; ++x) {
                    const int grey = qGray(image.pixel(x, y));
                    white |= grey > 220;
                    black |= grey < 20;
                }
            }
            return white && black && colourAt(image, 250, 20) == kGrey;
        };
        QVERIFY(!textAtBottomLeft());

        QTest::keyClick(w, Qt::Key_M);
        QVERIFY(w->getIsShowDebugInfo());
        QVERIFY(textAtBottomLeft());
        {
            StdoutCapture capture;
            w->SetFrameGridMode_Frames(1, kGreyCell.data(), 3);
            w->SetFrameGridMode_Frames(1, kGreyCell.data(), 3);
            QCOMPARE(capture.text().count(QRegularExpression("DrawLoop Duration:[0-9.]+ ms \r\n")),
                     2);
        }
        {
            w->StartDrawLoop();
            StdoutCapture capture;
            w->SetFrameGridMode_Frames(1, kGreyCell.data(), 3);
            QCOMPARE(capture.text().count("DrawLoop Duration"), 0);
        }
        {
            StdoutCapture capture;
            QTest::qWait(100);  // the 10 ms loop draws meanwhile
            w->StopDrawLoop();
            QVERIFY(capture.text().count("DrawLoop Duration") >= 2);
        }

        QTest::keyClick(w, Qt::Key_M);
        QVERIFY(!w->getIsShowDebugInfo());
        QVERIFY(!textAtBottomLeft());
        QTest::keyClick(w, Qt::Key_Space);
        QTest::keyClick(w, Qt::Key_Tab);
        QTest::keyClick(w, Qt::Key_A);
        QCOMPARE(messages.count(), 4);  // M, M, space, A; never Tab
        for (const QList<QVariant>& m : messages) QCOMPARE(m, (QVariantList{"Key Pressed!", 500}));
    }

    void returnPressedShowsWarning() {
        auto* w = show({100, 100});
        QVERIFY(w);
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        auto close = std::make_shared<std::function<void()>>();
        *close = [&, close] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                QTimer::singleShot(10, *close);
                return;
            }
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->done(QMessageBox::Ok);
        };
        QTimer::singleShot(0, *close);
        w->returnPressed();
        QCOMPARE(title, QString("Message from Qt"));
        QCOMPARE(text, QString("Return pressed in QLineEdit!"));
        QCOMPARE(icon, QMessageBox::Warning);
    }

    void flagsAndName() {
        libTavloWidget w;
        QCOMPARE(w.getName(), std::string("libTavloWig"));
        QVERIFY(w.getCenterCrossDraw());
        QVERIFY(!w.getIsGridBorderDraw());
        QVERIFY(!w.getIsShowDebugInfo());
        QCOMPARE(w.focusPolicy(), Qt::StrongFocus);
        w.setName("x");
        w.setCenterCrossDraw(false);
        w.setIsGridBorderDraw(true);
        w.setIsShowDebugInfo(true);
        QCOMPARE(w.getName(), std::string("x"));
        QVERIFY(!w.getCenterCrossDraw());
        QVERIFY(w.getIsGridBorderDraw());
        QVERIFY(w.getIsShowDebugInfo());
    }

    void centreCrossIsRedAtTheCentre() {
        auto* w = showGrey({200, 200});
        QVERIFY(w);
        // Arms of ±0.05 world units: a few pixels at this size.
        const auto redNearCentre = [&] {
            const QImage image = w->grabFramebuffer();
            int red = 0;
            for (int y = 96; y <= 104; ++y)
                for (int x = 96; x <= 104; ++x) red += colourAt(image, x, y) == QColor(Qt::red);
            return red >= 4 && colourAt(image, 100, 90) == kGrey;
        };
        QVERIFY(!redNearCentre());
        w->setCenterCrossDraw(true);
        QVERIFY(redNearCentre());
    }
};

QTEST_MAIN(WidgetTest)
#include "widget_test.moc"
