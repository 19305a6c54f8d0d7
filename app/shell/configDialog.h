// The modal settings dialog: page 0 picks the static analysis drawing colours and stores each
// at once; page 1 shows the folders (data, reports, config) and the plates' UDP port. The data
// folder and the port are stored in Tessaly.ini on confirmation and hold from the next start.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

class QPushButton;
class forcePlateStaticDataAnalysis;
namespace Ui {
class configDialog;
}

class configDialog : public QDialog {
    Q_OBJECT
public:
    // pageIndex 0: colours, 1: folders and port. The colours live in iniPath (by default the
    // analysis colours' file); a stored colour reaches staticView (if given) at once.
    configDialog(QWidget* parent, int pageIndex, const QString& iniPath,
                 forcePlateStaticDataAnalysis* staticView = nullptr);
    configDialog(QWidget* parent, int pageIndex, forcePlateStaticDataAnalysis* staticView);
    ~configDialog() override;

signals:
    // A colour was stored; the static analysis view reloads its colours.
    void updateColorSettings();

public slots:
    void slotOnClickBtn_selectStorePath();
    void slotOnClickBtn_confirmed();
    void slotOnClickBtn_cancel();
    void slotOnRefreshColorSettings();
    void slotOnSelectingColor();

private:
    void showColorOn(QPushButton* button, const QColor& color);

    Ui::configDialog* ui_;
    QString iniPath_;
    QColor eightAreaLine_, leftFootPercent_, rightFootPercent_;
};
