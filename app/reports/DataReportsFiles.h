// Report browser of the right panel.
#pragma once

#include <QString>
#include <QWidget>

class DataReportsFiles : public QWidget {
    Q_OBJECT
public:
    explicit DataReportsFiles(QWidget* parent = nullptr) : QWidget(parent) {
        setObjectName("DataReportsFiles");
    }

signals:
    void openDataReportsPdf(QString path);
};
