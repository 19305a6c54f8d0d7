// Balance (centre-of-pressure) analysis page of the third central tab.
#pragma once

#include <QString>
#include <QWidget>

class dataAnalysis : public QWidget {
    Q_OBJECT
public:
    explicit dataAnalysis(QWidget* parent = nullptr) : QWidget(parent) {
        setObjectName("dataAnalysis");
    }

public slots:
    // Replays a recorded file; the data file browser asks for it.
    void slotActionPlayFile(QString path) { Q_UNUSED(path); }
};
