// The program's only top-level window: menus, the left panel with the subject and the device
// panel, the four central tabs above the recording bar, the right panel with files and reports.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

struct SubjectRecord;
namespace Ui {
class forcePlateUILibClass;
}

class forcePlateUILib : public QMainWindow {
    Q_OBJECT
public:
    // recordingsToOpen are opened one after the other once the views exist, as the data file
    // browser opens them (a missing or foreign file is told and skipped).
    explicit forcePlateUILib(const QStringList& recordingsToOpen = {}, QWidget* parent = nullptr);
    ~forcePlateUILib() override;

    QString currentSubjectName() const { return currentSubjectName_; }

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
    void showCurrentSubjectFromFile();
    void showSubjectInPanel(const SubjectRecord& subject);

    Ui::forcePlateUILibClass* ui_;
    QString currentSubjectName_;
    QStringList recordingsToOpen_;
};
