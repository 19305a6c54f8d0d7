// Data file browser of the right panel.
#pragma once

#include <QString>
#include <QWidget>

class forcePlateDataFilesRecord : public QWidget {
    Q_OBJECT
public:
    explicit forcePlateDataFilesRecord(QWidget* parent = nullptr) : QWidget(parent) {
        setObjectName("forcePlateDataFilesRecord");
    }

signals:
    void playOriDataCSV(QString path);
};
