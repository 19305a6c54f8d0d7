// Report viewer page of the fourth central tab.
#pragma once

#include <QString>
#include <QWidget>

class DataRepots : public QWidget {
    Q_OBJECT
public:
    explicit DataRepots(QWidget* parent = nullptr) : QWidget(parent) {
        setObjectName("DataRepots");
    }

public slots:
    // Shows a PDF report; the report browser asks for it.
    void displayReports(QString path) { Q_UNUSED(path); }
};
