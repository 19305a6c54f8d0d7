// The "标准参数" page of the balance view: the standard posturographic measures grouped (time
// domain, prediction ellipse, frequency domain) with units and definitions as tooltips, the
// pre-processing line, a warning below the recommended protocol, and the low-pass setting.
#pragma once

#include <QWidget>

#include "Posturography.h"

namespace Ui {
class StandardMeasuresPage;
}

class StandardMeasuresPage : public QWidget {
    Q_OBJECT
public:
    // lowpassHz: the setting shown at start.
    explicit StandardMeasuresPage(double lowpassHz, QWidget* parent = nullptr);
    ~StandardMeasuresPage() override;

    void showOutcome(const PosturographyOutcome& outcome);
    double lowpassHz() const;

signals:
    // The user chose another low-pass cut-off (0 = none).
    void lowpassChanged(double hz);

private:
    Ui::StandardMeasuresPage* ui_;
};

// The low-pass setting of the program ("ConfigAnalysis.ini", posturography/lowpassHz); the
// default when missing or unreadable.
double readLowpassSetting(const QString& iniPath);
bool writeLowpassSetting(const QString& iniPath, double hz);
QString analysisSettingsIniPath();
