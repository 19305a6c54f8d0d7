// Static foot analysis page of the second central tab.
#pragma once

#include <QWidget>

class forcePlateStaticDataAnalysis : public QWidget {
    Q_OBJECT
public:
    explicit forcePlateStaticDataAnalysis(QWidget* parent = nullptr) : QWidget(parent) {
        setObjectName("forcePlateStaticDataAnalysis");
    }
};
