// Static foot analysis page of the second central tab.
#pragma once

#include <QString>
#include <QWidget>

#include "LoadedRecording.h"

class forcePlateStaticDataAnalysis : public QWidget {
    Q_OBJECT
public:
    explicit forcePlateStaticDataAnalysis(QWidget* parent = nullptr) : QWidget(parent) {
        setObjectName("forcePlateStaticDataAnalysis");
    }

    // Analyses the opened recording, which the balance view owns; the analysis is still to
    // come, so for now the page only remembers it.
    void analyzeDataFile(const QString& cacheFolder, const LoadedRecording* record) {
        cacheFolder_ = cacheFolder;
        recording_ = record;
    }

public slots:
    // The view reads its drawing colours from "ConfigColor.ini" here.
    void slotOnRefreshColorSettings() {}

private:
    QString cacheFolder_;
    const LoadedRecording* recording_ = nullptr;
};
