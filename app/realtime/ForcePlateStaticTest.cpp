#include "ForcePlateStaticTest.h"

#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QListView>
#include <QTimer>
#include <algorithm>

#include "AppFolders.h"
#include "ViewHelpers.h"
#include "libTavloWidget.h"
#include "ui_ForcePlateStaticTest.h"

namespace {
constexpr int kGridSide = 50;
constexpr int kTableColumnWidth = 40;
constexpr int kRecordingFrameWidth = 2;
}  // namespace

ForcePlateStaticTest::ForcePlateStaticTest(QWidget* parent)
    : QWidget(parent), ui_(new Ui::signalPlatStaticTest) {
    ui_->setupUi(this);
    // Lies beneath the picture and shows as a ring around it: nothing is drawn over the
    // OpenGL picture itself.
    recordingFrame_ = new QFrame(ui_->widget);
    recordingFrame_->setObjectName("recordingFrame");
    recordingFrame_->setStyleSheet(QString("QFrame#recordingFrame{border:%1px solid rgb(220,0,0);}")
                                       .arg(kRecordingFrameWidth));
    recordingFrame_->setAttribute(Qt::WA_TransparentForMouseEvents);
    recordingFrame_->hide();
    for (QComboBox* box : {ui_->CBX_devices, ui_->comboBoxMeasureModel, ui_->comboBoxMeasureTime})
        box->setView(new QListView(box));
    ui_->CBX_devices->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ui_->WIG_camPlot->hide();
    ui_->tableWidget->setRowCount(kGridSide);
    ui_->tableWidget->setColumnCount(kGridSide);
    for (int c = 0; c < kGridSide; ++c) ui_->tableWidget->setColumnWidth(c, kTableColumnWidth);
    // The marker is the user's (config folder); beside the program it still counts.
    tableMode_ = QFile::exists(appFolders().config + "/table.key") ||
                 QFile::exists(QCoreApplication::applicationDirPath() + "/table.key");
    slotAction4ResizingWidget(true);
}

ForcePlateStaticTest::~ForcePlateStaticTest() { delete ui_; }

void ForcePlateStaticTest::setDeviceList(const QList<QPair<QString, QString>>& devices) {
    ui_->CBX_devices->clear();
    for (const auto& device : devices) ui_->CBX_devices->addItem(device.first);
    platePresent_ = !devices.isEmpty();
    pendingLayoutRequests_.append('1');
    slotAction4ResizingWidget(false);
}

libTavloWidget* ForcePlateStaticTest::getCamPlot() const { return ui_->WIG_camPlot; }

QTableWidget* ForcePlateStaticTest::valueTable() const { return ui_->tableWidget; }

int ForcePlateStaticTest::measureModeIndex() const {
    return ui_->comboBoxMeasureModel->currentIndex();
}
int ForcePlateStaticTest::measureTimeIndex() const {
    return ui_->comboBoxMeasureTime->currentIndex();
}
QString ForcePlateStaticTest::measureTimeText() const {
    return ui_->comboBoxMeasureTime->currentText();
}

void ForcePlateStaticTest::setMeasureChoicesEnabled(bool enabled) {
    ui_->comboBoxMeasureModel->setEnabled(enabled);
    ui_->comboBoxMeasureTime->setEnabled(enabled);
}

void ForcePlateStaticTest::setRecordingMarked(bool marked) {
    recordingFrame_->setVisible(marked);
    placeRecordingFrame();
}

bool ForcePlateStaticTest::isRecordingMarked() const { return recordingFrame_->isVisibleTo(this); }

void ForcePlateStaticTest::placeRecordingFrame() {
    QWidget* shown = tableMode_ ? ui_->widget_2 : static_cast<QWidget*>(ui_->WIG_camPlot);
    const int m = kRecordingFrameWidth;
    recordingFrame_->setGeometry(shown->geometry().adjusted(-m, -m, m, m));
    if (tableMode_)
        recordingFrame_->raise();
    else
        recordingFrame_->lower();
}

bool ForcePlateStaticTest::platePresent() const { return platePresent_; }

// Deferred through single-shot timers so that a burst of show and resize events leads to one
// layout after the burst.
void ForcePlateStaticTest::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    pendingLayoutRequests_.append('1');
    QTimer::singleShot(10, this, QOverload<>::of(&ForcePlateStaticTest::slotAction4ResizingWidget));
}

void ForcePlateStaticTest::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    pendingLayoutRequests_.append('1');
    QTimer::singleShot(50, this, QOverload<>::of(&ForcePlateStaticTest::slotAction4ResizingWidget));
}

void ForcePlateStaticTest::slotAction4ResizingWidget() { slotAction4ResizingWidget(false); }

void ForcePlateStaticTest::slotAction4ResizingWidget(int force) {
    if (pendingLayoutRequests_.isEmpty() && !force) return;
    pendingLayoutRequests_.clear();
    const int w = ui_->widget->width() - 10;
    const int h = ui_->widget->height() - 10;
    QWidget* const picture = ui_->WIG_camPlot;
    QWidget* const table = ui_->widget_2;
    QWidget* const placeholder = ui_->widget_Placeholder;

    if (!platePresent()) {
        picture->hide();
        table->hide();
        placeholder->show();
        placeholder->setGeometry(0, 0, w, h);
        return;
    }
    picture->show();
    table->show();
    if (realTimeTabActive_ && !tableMode_) {
        placeholder->hide();
        table->hide();
        makeFixedSquare(picture, std::max(0, std::min(w, h)), 2);
        placeRecordingFrame();
    } else if (tableMode_) {
        placeholder->hide();
        if (realTimeTabActive_) picture->hide();
        table->setGeometry(0, 0, w, h);
        placeRecordingFrame();
    } else {
        table->hide();
        placeholder->show();
        placeholder->setGeometry(0, 0, w, h);
    }
}
