// Centre-of-pressure series and sway figures of the last balance analysis. One record per
// process, created at start-up; every figure 0 and every map empty until an analysis runs.
#pragma once

#include <QMap>
#include <QPair>

struct AnalysisResults {
    QMap<int, double> copSpeedX;  // cm/s, by 0-based frame index
    QMap<int, double> copSpeedY;  // cm/s
    QMap<int, QPair<double, double>> copSpeedXY;
    QMap<int, double> copSpeedPath;  // resultant speed, cm/s
    double maxSpeedX = 0;
    double maxSpeedY = 0;
    double meanSpeedX = 0;
    double meanSpeedY = 0;
    QMap<int, QPair<double, double>> copMillimetres;
    QMap<int, QPair<double, double>> copCells;
    double pathLength = 0;    // mm
    double ellipseArea = 0;   // mm²
    double ellipseAxisA = 0;  // full major axis, mm
    double ellipseAxisB = 0;  // full minor axis, mm
    double ellipseAngle = 0;  // radians from the X axis
};
