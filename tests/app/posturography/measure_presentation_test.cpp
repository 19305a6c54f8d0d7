// What the program's page and the report show of the standard measures: names and
// definitions for every measure, the pre-processing line, the protocol warning, and the sway
// plot's trajectory and ellipse where the results put them.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <cmath>
#include <cstdlib>

#include "MeasureTexts.h"
#include "SwayPlotPainter.h"
#include "sway_signals.h"

using posturographytest::sampled;

namespace {

// A circle of radius r at f turns per second, with a slow drift that stretches it along ML.
PosturographyResults swayingResults(double seconds, double rate, double lowpass = 0) {
    const int n = static_cast<int>(seconds * rate);
    const auto path = sampled(n, rate, [](double t) {
        return SwayPoint{6 * std::cos(2 * M_PI * 0.5 * t), 3 * std::sin(2 * M_PI * 0.5 * t)};
    });
    const PosturographyOutcome outcome = analyzePosturography(path, rate, lowpass);
    EXPECT_TRUE(outcome.results.has_value());
    return *outcome.results;
}

int pixelsOf(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    return count;
}

}  // namespace

TEST(MeasurePresentation, EveryMeasureHasANameAndADefinition) {
    const std::vector<MeasureRow> rows = measureRows(swayingResults(30, 100));
    // 24 time-domain measures, 4 of the ellipse, 5 per spectrum axis.
    ASSERT_EQ(rows.size(), 24u + 4u + 10u);
    for (const MeasureRow& row : rows) {
        EXPECT_FALSE(row.definition.isEmpty()) << row.name.toStdString();
        EXPECT_FALSE(row.name.contains(QRegularExpression("^[a-zA-Z]+$")))
            << "untranslated " << row.name.toStdString();
    }
    EXPECT_EQ(rows.front().group, QString("时域参数"));
    EXPECT_EQ(rows.back().group, QString("频域参数"));
}

TEST(MeasurePresentation, ValuesCarryTheirUnits) {
    const PosturographyResults results = swayingResults(30, 100);
    const std::vector<MeasureRow> rows = measureRows(results);
    const auto valueOf = [&rows](const QString& name) {
        for (const MeasureRow& row : rows)
            if (row.name == name) return row.value;
        return QString();
    };
    EXPECT_EQ(valueOf("平均速度"), QString::number(*results.time.mvelo, 'f', 2) + " mm/s");
    EXPECT_EQ(valueOf("平均距离"), QString::number(*results.time.mdist, 'f', 1) + " mm");
    EXPECT_EQ(valueOf("预测椭圆面积"), QString::number(*results.ellipse95.area, 'f', 1) + " mm²");
}

TEST(MeasurePresentation, PreprocessingLineAndProtocolWarning) {
    struct Case {
        double seconds, rate, lowpass;
        const char* line;
        bool warned;
    } cases[] = {
        {30, 100, 10, "采样 100 Hz · 3000 点 · 低通 10 Hz", false},
        {30, 100, 0, "采样 100 Hz · 3000 点 · 不滤波", false},
        {10, 100, 10, "采样 100 Hz · 1000 点 · 低通 10 Hz", true},  // shorter than 25 s
        {30, 40, 10, "采样 40 Hz · 1200 点 · 低通 10 Hz", true},    // below 50 Hz
    };
    for (const Case& c : cases) {
        const PosturographyResults results = swayingResults(c.seconds, c.rate, c.lowpass);
        EXPECT_EQ(preprocessingLine(results), QString::fromUtf8(c.line));
        EXPECT_EQ(!protocolWarning(results).isEmpty(), c.warned) << c.line;
    }
}

TEST(MeasurePresentation, SwayPlotDrawsTrajectoryAndEllipseAtEqualScales) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name};
    QGuiApplication application(argc, argv);
    const PosturographyResults results = swayingResults(30, 100);
    QImage image(400, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    paintSwayPlot(painter, QRectF(0, 0, 400, 400), results);
    painter.end();
    if (const char* dir = std::getenv("TESSALY_SCREENSHOT_DIR"))
        image.save(QString(dir) + "/sway.png");
    const QRgb trajectory = qRgb(30, 90, 200);
    const QRgb ellipse = qRgb(210, 40, 40);
    EXPECT_GT(pixelsOf(image, trajectory), 20);  // mostly under the ellipse here
    EXPECT_GT(pixelsOf(image, ellipse), 200);

    // The ellipse reaches farther along ML than along AP by its own axis ratio: equal scales.
    int left = image.width(), right = 0, top = image.height(), bottom = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == ellipse) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    const double ratio = double(right - left) / (bottom - top);
    EXPECT_NEAR(ratio, *results.ellipse95.semiMajor / *results.ellipse95.semiMinor, 0.1);
}
