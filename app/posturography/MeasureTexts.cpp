#include "MeasureTexts.h"

#include <cstring>

namespace {

// Recommended protocol for quiet standing.
constexpr double kMinimumSeconds = 25.0;
constexpr double kMinimumRateHz = 50.0;

const MeasureText kTexts[] = {
    {"mdist", "平均距离", "压力中心到其平均位置的平均距离。"},
    {"mdistAp", "平均距离 AP", "前后方向上压力中心到平均位置距离的平均值。"},
    {"mdistMl", "平均距离 ML", "左右方向上压力中心到平均位置距离的平均值。"},
    {"rdist", "均方根距离", "压力中心到平均位置距离的均方根。"},
    {"rdistAp", "均方根距离 AP", "前后方向位移的均方根（标准差）。"},
    {"rdistMl", "均方根距离 ML", "左右方向位移的均方根（标准差）。"},
    {"totex", "总轨迹长度", "压力中心轨迹相邻两点间距离之和。"},
    {"totexAp", "轨迹长度 AP", "前后方向相邻两点位移绝对值之和。"},
    {"totexMl", "轨迹长度 ML", "左右方向相邻两点位移绝对值之和。"},
    {"mvelo", "平均速度", "总轨迹长度除以记录时间。"},
    {"mveloAp", "平均速度 AP", "前后方向轨迹长度除以记录时间。"},
    {"mveloMl", "平均速度 ML", "左右方向轨迹长度除以记录时间。"},
    {"range", "最大摆动距离", "任意两个采样点之间的最大距离。"},
    {"rangeAp", "摆动范围 AP", "前后方向最大值与最小值之差。"},
    {"rangeMl", "摆动范围 ML", "左右方向最大值与最小值之差。"},
    {"mfreq", "平均频率", "平均速度与 2π 倍平均距离之比：轨迹每秒绕平均位置的圈数。"},
    {"mfreqAp", "平均频率 AP", "前后方向平均速度与 4√2 倍平均距离之比。"},
    {"mfreqMl", "平均频率 ML", "左右方向平均速度与 4√2 倍平均距离之比。"},
    {"areaCc", "95% 置信圆面积", "以平均距离加 1.645 倍距离标准差为半径的圆面积。"},
    {"areaCe", "95% 置信椭圆面积", "包含约 95% 采样点的置信椭圆面积。"},
    {"areaSw", "摆动面积", "轨迹每秒扫过的面积（相邻两点与平均位置围成三角形面积之和除以时间）。"},
    {"fdPd", "分形维数 PD", "以最大摆动距离为直径计算的轨迹分形维数。"},
    {"fdCc", "分形维数 CC", "以 95% 置信圆直径计算的轨迹分形维数。"},
    {"fdCe", "分形维数 CE", "以 95% 置信椭圆计算的轨迹分形维数。"},
    {"area", "预测椭圆面积", "同一受试者再次测量的采样点以 95% 概率落入的椭圆面积。"},
    {"semiMajor", "预测椭圆长半轴", "95% 预测椭圆的长半轴长度。"},
    {"semiMinor", "预测椭圆短半轴", "95% 预测椭圆的短半轴长度。"},
    {"angleDeg", "预测椭圆方向", "长轴与左右（ML）轴正方向的夹角。"},
    {"power", "总功率", "0.15–5 Hz 频带内功率谱密度的积分。"},
    {"f50", "50% 功率频率", "频带内累计功率达到一半时的频率。"},
    {"f95", "95% 功率频率", "频带内累计功率达到 95% 时的频率。"},
    {"centroid", "重心频率", "功率谱的重心频率 √(μ2/μ0)。"},
    {"dispersion", "频率离散度", "功率谱围绕重心频率的分散程度，纯音为 0。"},
};

// Decimals shown for a unit: positions and areas one, speeds and frequencies two.
int decimalsOf(const char* unit) {
    if (std::strcmp(unit, "mm") == 0 || std::strcmp(unit, "mm²") == 0 ||
        std::strcmp(unit, "°") == 0)
        return 1;
    if (std::strcmp(unit, "") == 0) return 3;
    return 2;
}

QString valueText(const Measure& value, const char* unit) {
    if (!value) return QStringLiteral("—");
    const QString number = QString::number(*value, 'f', decimalsOf(unit));
    return *unit ? QString("%1 %2").arg(number, QString::fromUtf8(unit)) : number;
}

void addRows(std::vector<MeasureRow>& rows, const QString& group, const QString& axis,
             const std::vector<NamedMeasure>& measures) {
    for (const NamedMeasure& measure : measures) {
        const MeasureText* text = measureText(measure.key);
        const QString name = text ? QString::fromUtf8(text->name) : QString(measure.key);
        rows.push_back({group, axis.isEmpty() ? name : QString("%1 %2").arg(name, axis),
                        valueText(measure.value, measure.unit),
                        text ? QString::fromUtf8(text->definition) : QString()});
    }
}

}  // namespace

const MeasureText* measureText(const char* key) {
    for (const MeasureText& text : kTexts)
        if (std::strcmp(text.key, key) == 0) return &text;
    return nullptr;
}

std::vector<MeasureRow> measureRows(const PosturographyResults& results) {
    std::vector<MeasureRow> rows;
    addRows(rows, "时域参数", QString(), timeDomainEntries(results.time));
    const PredictionEllipse& e = results.ellipse95;
    addRows(rows, "95% 预测椭圆", QString(),
            {{"area", "mm²", e.area},
             {"semiMajor", "mm", e.semiMajor},
             {"semiMinor", "mm", e.semiMinor},
             {"angleDeg", "°", e.angleDeg}});
    addRows(rows, "频域参数", "AP", spectrumEntries(results.ap));
    addRows(rows, "频域参数", "ML", spectrumEntries(results.ml));
    return rows;
}

QString preprocessingLine(const PosturographyResults& results) {
    const QString filter = results.lowpassHz > 0
                               ? QString("低通 %1 Hz").arg(results.lowpassHz, 0, 'g', 4)
                               : QStringLiteral("不滤波");
    return QString("采样 %1 Hz · %2 点 · %3")
        .arg(results.rateHz, 0, 'g', 5)
        .arg(results.samples)
        .arg(filter);
}

QString protocolWarning(const PosturographyResults& results) {
    QStringList problems;
    const double seconds = results.rateHz > 0 ? results.samples / results.rateHz : 0;
    if (seconds < kMinimumSeconds)
        problems << QString("记录时长 %1 s，短于推荐的 25 s").arg(seconds, 0, 'f', 1);
    if (results.rateHz < kMinimumRateHz)
        problems << QString("采样率 %1 Hz，低于推荐的 50 Hz").arg(results.rateHz, 0, 'g', 4);
    return problems.join("；");
}
