// Report browser of the right panel: lists the PDF reports under app::reportDirectory()
// (subfolders included) and opens, deletes, renames and shows them. Every action works on the
// listed file's own absolute path (kept in the hidden column 4), so reports in subfolders and
// names with a "." are handled like any other.
#pragma once

#include <QIcon>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

class QTreeWidgetItem;
namespace Ui {
class DataReportsFiles;
}

class DataReportsFiles : public QWidget {
    Q_OBJECT
public:
    explicit DataReportsFiles(QWidget* parent = nullptr);
    ~DataReportsFiles() override;

    // Absolute paths of the listed reports, in the order found (ascending path order).
    const QStringList& reportPaths() const { return reportPaths_; }

signals:
    void openDataReportsPdf(QString filePath);

public slots:
    void onRefreshList();
    void onConnectionListMenu(QPoint pos);
    void onItemClicked(QTreeWidgetItem* item, int column);
    void onItemDoubleClicked(QTreeWidgetItem* item, int column);
    void onOpenAnimation();
    void onOpenFileFolder();
    void onDeleteAnimat();
    void onRenameAnimation();

private:
    void reloadReportList();
    QString currentPath() const;

    Ui::DataReportsFiles* ui_;
    QIcon playIcon_;
    QIcon idleIcon_;
    QStringList reportPaths_;
};
