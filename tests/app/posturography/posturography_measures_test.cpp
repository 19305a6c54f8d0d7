// The standard measures on sway paths whose values are known in closed form, the prediction
// ellipse, and the recordings that give no result or no value.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "Posturography.h"
#include "sway_signals.h"

using namespace posturographytest;

namespace {

using Getter = std::function<Measure(const PosturographyResults&)>;

struct Expected {
    const char* measure;
    Getter get;
    Measure value;     // nothing: the measure must be null
    double tolerance;  // absolute
};

struct AnalyticCase {
    const char* name;
    double rate;
    int samples;
    std::function<SwayPoint(double)> path;
    std::vector<Expected> expected;
};

void PrintTo(const AnalyticCase& c, std::ostream* os) { *os << c.name; }

#define MEASURE(expr) [](const PosturographyResults& r) -> Measure { return r.expr; }

// Relative tolerance of 0.1 % unless a case says otherwise.
Expected near(const char* name, Getter get, double value, double relative = 1e-3) {
    return {name, std::move(get), value, std::fabs(value) * relative};
}
Expected null(const char* name, Getter get) { return {name, std::move(get), std::nullopt, 0}; }

// AP = A·sin(2πft) over whole periods, ML still.
AnalyticCase apSine(const char* name, double rate, double amplitude, double hz, int periods) {
    const int samples = static_cast<int>(std::lround(periods * rate / hz)) + 1;
    return {name,
            rate,
            samples,
            [=](double t) {
                return SwayPoint{0, amplitude * std::sin(2 * M_PI * hz * t)};
            },
            {}};
}

// The largest power of two not above N/2, as the spectrum's segment length.
double segmentLength(int samples) {
    double length = 1;
    while (length * 2 <= samples / 2) length *= 2;
    return length;
}

std::vector<AnalyticCase> analyticCases() {
    std::vector<AnalyticCase> cases;
    // At least 100 samples a period: mean |AP| of the samples is then 2A/π to 0.04 %.
    for (const auto& [name, rate, amplitude, hz, periods] :
         {std::tuple{"ap_sine_1hz_at_100", 100.0, 5.0, 1.0, 30},
          std::tuple{"ap_sine_half_hz_at_200", 200.0, 2.0, 0.5, 20},
          std::tuple{"ap_sine_quarter_hz_at_40", 40.0, 8.0, 0.25, 20}}) {
        AnalyticCase c = apSine(name, rate, amplitude, hz, periods);
        const double halfBin = rate / segmentLength(c.samples) / 2;
        c.expected = {
            near("rdistAp", MEASURE(time.rdistAp), amplitude / std::sqrt(2.0)),
            near("mveloAp", MEASURE(time.mveloAp), 4 * amplitude * hz),
            // mveloAp / (4√2·mdistAp) with mdistAp = 2A/π: πf/(2√2) = 1.1107·f.
            near("mfreqAp", MEASURE(time.mfreqAp), M_PI / (2 * M_SQRT2) * hz),
            near("rangeAp", MEASURE(time.rangeAp), 2 * amplitude),
            near("range", MEASURE(time.range), 2 * amplitude),
            near("ap.power", MEASURE(ap.power), amplitude * amplitude / 2),
            {"ap.f50", MEASURE(ap.f50), hz, halfBin},
            {"ap.centroid", MEASURE(ap.centroid), hz, halfBin},
            {"mdistMl", MEASURE(time.mdistMl), 0.0, 0},
            null("mfreqMl", MEASURE(time.mfreqMl)),
            null("ml.f50", MEASURE(ml.f50)),
            null("ml.centroid", MEASURE(ml.centroid)),
            {"ellipse95.area", MEASURE(ellipse95.area), 0.0, 0},
        };
        cases.push_back(c);
    }
    // A circle of radius r run f times a second, whole turns.
    for (const auto& [name, rate, radius, hz, turns] :
         {std::tuple{"circle_quarter_turn_per_s_at_100", 100.0, 4.0, 0.25, 10},
          std::tuple{"circle_one_turn_per_s_at_200", 200.0, 1.5, 1.0, 30}}) {
        const int samples = static_cast<int>(std::lround(turns * rate / hz)) + 1;
        cases.push_back(
            {name,
             rate,
             samples,
             [=](double t) {
                 const double angle = 2 * M_PI * hz * t;
                 return SwayPoint{radius * std::cos(angle), radius * std::sin(angle)};
             },
             {near("mdist", MEASURE(time.mdist), radius),
              near("rdist", MEASURE(time.rdist), radius), near("mfreq", MEASURE(time.mfreq), hz),
              near("areaSw", MEASURE(time.areaSw), M_PI * radius * radius * hz),
              near("mvelo", MEASURE(time.mvelo), 2 * M_PI * radius * hz),
              near("totex", MEASURE(time.totex), 2 * M_PI * radius * turns),
              near("range", MEASURE(time.range), 2 * radius)}});
    }
    return cases;
}

class AnalyticSway : public ::testing::TestWithParam<AnalyticCase> {};

TEST_P(AnalyticSway, GivesTheClosedFormValues) {
    const AnalyticCase& c = GetParam();
    // No low-pass: the closed forms are those of the unfiltered path.
    const PosturographyOutcome outcome =
        analyzePosturography(sampled(c.samples, c.rate, c.path), c.rate, 0);
    ASSERT_TRUE(outcome.results);
    const PosturographyResults& r = *outcome.results;
    EXPECT_EQ(r.samples, c.samples);
    EXPECT_EQ(r.lowpassHz, 0);
    for (const Expected& e : c.expected) {
        SCOPED_TRACE(e.measure);
        const Measure got = e.get(r);
        ASSERT_EQ(got.has_value(), e.value.has_value());
        if (e.value) {
            EXPECT_NEAR(*got, *e.value, e.tolerance);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ClosedForms, AnalyticSway, ::testing::ValuesIn(analyticCases()),
                         [](const ::testing::TestParamInfo<AnalyticCase>& info) {
                             return std::string(info.param.name);
                         });

// Four points (±a, 0), (0, ±b) turned by an angle: covariance diag(a², b²)·2/3 turned, N = 4,
// F0.95(2, 2) = 19 and k = 2·5·3/(4·2)·19 = 71.25.
TEST(PredictionEllipse, FollowsTheCovarianceAndItsAxis) {
    constexpr double a = 3, b = 1, k = 71.25;
    const struct {
        double degrees;
        std::vector<double> ml, ap;  // for 90° without rounding in the turn
    } cases[] = {{0, {}, {}}, {30, {}, {}}, {-60, {}, {}}, {90, {0, 0, b, -b}, {a, -a, 0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.degrees);
        SwaySeries sway{c.ap, c.ml, 2};
        if (sway.ml.empty()) {
            const double t = c.degrees * M_PI / 180;
            for (const auto& [u, v] : {std::pair{a, 0.0}, {-a, 0.0}, {0.0, b}, {0.0, -b}}) {
                sway.ml.push_back(u * std::cos(t) - v * std::sin(t));
                sway.ap.push_back(u * std::sin(t) + v * std::cos(t));
            }
        }
        const PredictionEllipse e = predictionEllipse(sway);
        ASSERT_TRUE(e.area && e.semiMajor && e.semiMinor && e.angleDeg);
        EXPECT_NEAR(*e.area, M_PI * k * (2.0 / 3) * a * b, 1e-9);
        EXPECT_NEAR(*e.semiMajor, std::sqrt(k * 2 / 3) * a, 1e-9);
        EXPECT_NEAR(*e.semiMinor, std::sqrt(k * 2 / 3) * b, 1e-9);
        EXPECT_NEAR(*e.angleDeg, c.degrees, 1e-9);
    }
}

// Isotropic noise of variance σ²: the area approaches π·k·σ² with k(1500) = 6.0115. A fixed
// seed; the tolerance allows for the sampling error of 1500 samples (one standard deviation is
// about 1/√N = 2.6 %; this seed gives +4.5 %).
TEST(PredictionEllipse, IsotropicNoiseGivesItsExpectedArea) {
    constexpr double sigma = 3;
    std::mt19937 random(17);
    std::normal_distribution<double> noise(0, sigma);
    std::vector<SwayPoint> cop(1500);
    for (SwayPoint& p : cop) p = {noise(random), noise(random)};
    const PosturographyOutcome outcome = analyzePosturography(cop, 50, 0);
    ASSERT_TRUE(outcome.results);
    const PredictionEllipse& e = outcome.results->ellipse95;
    const double expected = M_PI * 6.0115 * sigma * sigma;
    EXPECT_NEAR(*e.area, expected, 0.06 * expected);
    EXPECT_NEAR(*e.semiMajor * *e.semiMinor * M_PI, *e.area, 1e-9 * expected);
}

// Any value other than null is a finite number.
void expectNoNan(const PosturographyResults& r) {
    std::vector<NamedMeasure> all = timeDomainEntries(r.time);
    for (const auto* spectrum : {&r.ap, &r.ml})
        for (const NamedMeasure& m : spectrumEntries(*spectrum)) all.push_back(m);
    all.push_back({"area", "", r.ellipse95.area});
    all.push_back({"semiMajor", "", r.ellipse95.semiMajor});
    all.push_back({"semiMinor", "", r.ellipse95.semiMinor});
    all.push_back({"angleDeg", "", r.ellipse95.angleDeg});
    for (const NamedMeasure& m : all)
        if (m.value) {
            EXPECT_TRUE(std::isfinite(*m.value)) << m.key;
        }
}

TEST(Posturography, NeedsTwoSecondsOfFramesWithPressure) {
    const auto sway = [](double t) { return SwayPoint{std::cos(t), std::sin(3 * t)}; };
    const struct {
        double recordedRate;
        int samples;
        bool result;
    } cases[] = {{100, 200, true}, {100, 199, false}, {0, 400, true}, {0, 399, false},
                 {40, 80, true},   {8, 16, true},     {8, 15, false}, {100, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.samples) + " at " + std::to_string(c.recordedRate));
        const double rate = c.recordedRate == 0 ? 200 : c.recordedRate;
        const PosturographyOutcome outcome =
            analyzePosturography(sampled(c.samples, rate, sway), c.recordedRate);
        ASSERT_EQ(outcome.results.has_value(), c.result);
        if (!c.result) {
            EXPECT_STREQ(outcome.reason, "recording too short");
            EXPECT_STREQ(outcome.reasonChinese, "记录太短");
            continue;
        }
        EXPECT_STREQ(outcome.reason, "");
        EXPECT_EQ(outcome.results->rateHz, rate);
        EXPECT_EQ(outcome.results->samples, c.samples);
        // 10 Hz filters 100 Hz and 200 Hz recordings, not 8 Hz ones (nothing above 4 Hz).
        EXPECT_EQ(outcome.results->lowpassHz, rate > 20 ? 10 : 0);
        expectNoNan(*outcome.results);
    }
}

TEST(Posturography, StillRecordingHasZeroAreasAndNoFrequencies) {
    for (double lowpass : {0.0, 10.0}) {
        SCOPED_TRACE(lowpass);
        const std::vector<SwayPoint> still(500, SwayPoint{103.7, 171.3});
        const PosturographyOutcome outcome = analyzePosturography(still, 100, lowpass);
        ASSERT_TRUE(outcome.results);
        const PosturographyResults& r = *outcome.results;
        for (const Measure& zero :
             {r.time.mdist, r.time.rdist, r.time.totex, r.time.mvelo, r.time.range, r.time.areaCc,
              r.time.areaCe, r.time.areaSw, r.ellipse95.area, r.ellipse95.semiMajor, r.ap.power})
            EXPECT_EQ(zero, 0.0);
        for (const Measure& none :
             {r.time.mfreq, r.time.mfreqAp, r.time.mfreqMl, r.time.fdPd, r.time.fdCc, r.time.fdCe,
              r.ap.f50, r.ap.f95, r.ap.centroid, r.ap.dispersion, r.ml.f50, r.ml.centroid})
            EXPECT_FALSE(none.has_value());
        expectNoNan(r);
    }
}

// Frames without pressure (COP (0, 0)) in the middle of a recording are left out: the measures
// are those of the frames with pressure alone.
TEST(Posturography, FramesWithoutPressureAreLeftOut) {
    AnalysisResults withGap, withoutGap;
    int frame = 0;
    for (int n = 0; n < 600; ++n) {
        const QPair<double, double> mm{150 + 3 * std::sin(n / 40.0), 170 + 2 * std::cos(n / 70.0)};
        if (n == 300)
            for (int gap = 0; gap < 25; ++gap) withGap.copMillimetres.insert(frame++, {0.0, 0.0});
        withGap.copMillimetres.insert(frame++, mm);
        withoutGap.copMillimetres.insert(n, mm);
    }
    const std::vector<SwayPoint> samples = copSamplesWithPressure(withGap);
    ASSERT_EQ(samples.size(), 600u);
    const PosturographyOutcome gap = analyzePosturography(samples, 100);
    const PosturographyOutcome plain =
        analyzePosturography(copSamplesWithPressure(withoutGap), 100);
    ASSERT_TRUE(gap.results && plain.results);
    EXPECT_EQ(gap.results->samples, 600);
    EXPECT_EQ(gap.results->time.totex, plain.results->time.totex);
    EXPECT_EQ(gap.results->ellipse95.area, plain.results->ellipse95.area);
    EXPECT_EQ(gap.results->ap.f50, plain.results->ap.f50);
}

}  // namespace
