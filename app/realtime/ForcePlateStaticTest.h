// The real-time single-plate page: the found plates, the measurement mode and time of the next
// recording, and the display area where the device panel draws the live picture (or, with
// "table.key" beside the program, fills a table of raw values).
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

class QFrame;
class QTableWidget;
class libTavloWidget;
namespace Ui {
class signalPlatStaticTest;
}

class ForcePlateStaticTest : public QWidget {
    Q_OBJECT
public:
    explicit ForcePlateStaticTest(QWidget* parent = nullptr);
    ~ForcePlateStaticTest() override;

    // Refills the plate choice with the serial text of every (serial, model) entry; the
    // display area shows the live picture once a plate is listed.
    void setDeviceList(const QList<QPair<QString, QString>>& devices);
    libTavloWidget* getCamPlot() const;
    // The table of raw values shown instead of the picture in table mode.
    QTableWidget* valueTable() const;

    bool isRealTimeTabActive() const { return realTimeTabActive_; }
    void setRealTimeTabActive(bool active) { realTimeTabActive_ = active; }
    bool isTableMode() const { return tableMode_; }
    const QString& fileTag() const { return fileTag_; }

    int measureModeIndex() const;
    int measureTimeIndex() const;
    QString measureTimeText() const;
    // Locks the two measurement choices while a recording runs.
    void setMeasureChoicesEnabled(bool enabled);
    // A red frame around the live picture (or value table) while a recording runs.
    void setRecordingMarked(bool marked);
    bool isRecordingMarked() const;

public slots:
    void slotAction4ResizingWidget(int force);
    void slotAction4ResizingWidget();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool platePresent() const;
    void placeRecordingFrame();

    QString fileTag_;
    Ui::signalPlatStaticTest* ui_;
    bool realTimeTabActive_ = true;
    bool tableMode_ = false;
    bool platePresent_ = false;
    QByteArray pendingLayoutRequests_;
    QFrame* recordingFrame_;
};
