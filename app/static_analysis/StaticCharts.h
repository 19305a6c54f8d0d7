// The two bar charts of the static view, each in a new antialiased chart view.
#pragma once

#include <QColor>
#include <QtCharts/QChartView>

#include "StaticAnalysis.h"

// Horizontal bars of the eight zone loads of both feet ("一区" ... "八区").
QtCharts::QChartView* makeZoneChart(const StaticAnalysis& analysis, const QColor& leftColor,
                                    const QColor& rightColor);

// Vertical bars of the average and the maximum pressure of both feet.
QtCharts::QChartView* makePressureChart(const StaticAnalysis& analysis, const QColor& leftColor,
                                        const QColor& rightColor);
