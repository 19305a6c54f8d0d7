// Data file browser of the right panel: lists the recordings under app::dataDirectory() and
// opens, deletes, shows, renames and exports them. Every action works on the listed file's own
// absolute path (kept in the hidden column 4), so files in subfolders and names with a "."
// are handled like any other. A recording's cache folder is renamed and deleted with it.
#pragma once

#include <QIcon>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>

#include "MainTab.h"

class QTreeWidgetItem;
class dataAnalysis;
class forcePlateStaticDataAnalysis;
struct LoadedRecording;
namespace Ui {
class forcePlateDataFilesRecord;
}

class forcePlateDataFilesRecord : public QWidget {
    Q_OBJECT
public:
    // Opened recordings are analysed in staticView and balanceView (either may be null).
    forcePlateDataFilesRecord(forcePlateStaticDataAnalysis* staticView, dataAnalysis* balanceView,
                              QWidget* parent = nullptr);
    ~forcePlateDataFilesRecord() override;

    // Absolute paths of the listed files, in listing (iteration) order.
    const QStringList& listedPaths() const { return paths_; }
    // The cache folder of the file opened last.
    const std::string& cacheFolder() const { return cacheFolder_; }

    // Reads, cleans and opens a recording: its cache folder, then the static and the balance
    // analysis, switching to their tabs. Failures are shown in message boxes.
    void loadDataFile(const QString& path);

signals:
    // A recording is about to be opened: the timeline forgets the previous one.
    void recordingOpening();
    // Opening a recording shows the analyses' tabs one after the other.
    void tabWanted(MainTab tab);

public slots:
    void onRefreshList();
    void onConnectionListMenu(QPoint pos);
    void onItemDoubleClicked(QTreeWidgetItem* item, int column);
    void onOpenAnimation();
    void onOpenFileFolder();
    void onDeleteAnimat();
    void onRenameAnimation();
    void onExportDataToCSV();

private:
    void buildList();
    // Writes the CSV of rawPath to csvPath and tells the user how it went.
    void exportToCsv(const QString& rawPath, const QString& csvPath);
    // The absolute path of the current item, empty when there is none.
    QString currentPath() const;
    // Moves the cache folder of a renamed recording with it (and tells the views when it is
    // the open one).
    void followRenamedRecording(const QString& oldPath, const QString& newPath);

    forcePlateStaticDataAnalysis* staticView_;
    dataAnalysis* balanceView_;
    Ui::forcePlateDataFilesRecord* ui_;
    QIcon playIcon_;
    QIcon idleIcon_;
    QStringList paths_;
    std::string cacheFolder_;
};

// The views a recording is analysed in; showTab (if set) brings a main tab to the front.
struct AnalysisViews {
    forcePlateStaticDataAnalysis* staticView = nullptr;
    dataAnalysis* balanceView = nullptr;
    std::function<void(MainTab)> showTab;
};

// Analyses record in views, as opening a recording does: the static analysis on its tab, a
// 50 ms pause, then the balance analysis (which takes record over) on its tab. Without a
// balance view, record is deleted.
void showRecordingInAnalysisViews(const AnalysisViews& views, const QString& cacheFolder,
                                  LoadedRecording* record);
// The same in the views tessaly-cli report registers in the global state.
void showRecordingInAnalysisViews(const QString& cacheFolder, LoadedRecording* record);
