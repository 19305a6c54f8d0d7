// The program's only top-level window: menus, the left panel with the subject and the device
// panel, the four central tabs above the recording bar, the right panel with files and reports.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "ColorScale.h"
#include "MainTab.h"

class DataReportsFiles;
class DataRepots;
class DeviceManagement;
class ForcePlateStaticTest;
class QTabWidget;
class dataAnalysis;
class forcePlateDataFilesRecord;
class forcePlateStaticDataAnalysis;
class timeLine;
struct SubjectRecord;
namespace Ui {
class forcePlateUILibClass;
}

// The views the window creates, owned by its widget tree; all null until they exist.
struct MainViews {
    DataRepots* reportViewer = nullptr;
    ForcePlateStaticTest* realTime = nullptr;
    forcePlateStaticDataAnalysis* staticAnalysis = nullptr;
    DeviceManagement* deviceManagement = nullptr;
    dataAnalysis* balance = nullptr;
    timeLine* timeline = nullptr;
    forcePlateDataFilesRecord* dataFiles = nullptr;
    DataReportsFiles* reportFiles = nullptr;
};

class forcePlateUILib : public QMainWindow {
    Q_OBJECT
public:
    // The views draw pressure through scale, which must outlive the window. recordingsToOpen
    // are opened one after the other once the views exist, as the data file browser opens
    // them (a missing or foreign file is told and skipped).
    explicit forcePlateUILib(const ColorOfPressMap& scale, const QStringList& recordingsToOpen = {},
                             QWidget* parent = nullptr);
    ~forcePlateUILib() override;

    QString currentSubjectName() const { return currentSubjectName_; }
    // The views, built shortly after the window is shown.
    const MainViews& views() const { return views_; }
    QTabWidget* mainTabs() const;
    void showTab(MainTab tab);

signals:
    void resizeForSquarePainter(int width, int height);

public slots:
    void slotActionChoseUser();
    void slotActionAddUser();
    void slotActionOnColorSettings();
    void slotActionOnCollectFrequency();
    void slotActionAboutSoftware();
    void slotActionExit();
    void slotActionOpenDataFileDir();
    void slotActionOpenReportFileDir();
    void slotActionSwitchToView();
    void slotActionOnTimerSingleShot();
    void slotActionOnTabChangeTo(int newTabIdx);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createViews();
    void connectViews();
    void showCurrentSubjectFromFile();
    void showSubjectInPanel(const SubjectRecord& subject);

    Ui::forcePlateUILibClass* ui_;
    const ColorOfPressMap& scale_;
    MainViews views_;
    QString currentSubjectName_;
    QStringList recordingsToOpen_;
};
