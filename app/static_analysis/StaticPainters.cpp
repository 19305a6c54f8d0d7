#include "StaticPainters.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPixmap>
#include <algorithm>
#include <array>

#include "AppConstants.h"
#include "ZoneLoads.h"

namespace {

// Cells of a foot rectangle along an edge before it is drawn with its zones.
constexpr int kDrawnFootMinEdge = 2;

QFont labelFont(int pixelSize) {
    QFont font("Microsoft YaHei UI");
    font.setPixelSize(pixelSize);
    return font;
}

// Draws text with its top-left corner at topLeft.
void drawTextAt(QPainter& painter, const QPoint& topLeft, const QString& text) {
    const QFontMetrics metrics(painter.font());
    painter.drawText(QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height())),
                     Qt::AlignLeft | Qt::AlignTop, text);
}

bool isDrawable(const QRect& rect) {
    return rect.width() > kDrawnFootMinEdge && rect.height() > kDrawnFootMinEdge;
}

}  // namespace

int analysisImageSide(int width, int height) {
    const int fit = std::min(width - 10, height - 2);
    return fit <= 0 ? 0 : fit / kPlateCells * kPlateCells;
}

void drawFootZones(QPainter& painter, FootSide side, const QRect& rect, int s,
                   const QColor& zoneLine) {
    if (!isDrawable(rect)) return;
    const std::vector<ZoneArea> areas = zoneAreas(side, rect, s);
    if (areas.empty()) return;
    const QRect pixels(s * rect.x(), s * rect.y(), s * (rect.width() + 1), s * (rect.height() + 1));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::darkGray);
    painter.drawRect(pixels);
    painter.setPen(zoneLine);
    painter.drawRect(pixels);
    QFont numberFont = painter.font();
    numberFont.setPixelSize(20);
    painter.setFont(numberFont);
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const ZoneArea& zone = areas[i];
        const bool lastOfBand = i + 1 == areas.size() || areas[i + 1].top != zone.top;
        if (lastOfBand)
            painter.drawLine(pixels.left(), zone.bottom, pixels.left() + pixels.width(),
                             zone.bottom);
        else
            painter.drawLine(zone.right, zone.top, zone.right, zone.bottom);
        painter.drawText(QRect(zone.left, zone.top, zone.right - zone.left, zone.bottom - zone.top),
                         Qt::AlignCenter, QString::number(zone.zone));
    }
}

void paintRatioBar(QWidget* label, const StaticAnalysis& analysis, const QColor& leftColor,
                   const QColor& rightColor) {
    const FootRecord& left = analysis.feet[kLeftFoot];
    const FootRecord& right = analysis.feet[kRightFoot];
    QPainter painter(label);
    painter.setFont(labelFont(12));
    const int width = label->width();
    const QFontMetrics metrics(painter.font());
    if (left.total + right.total != 0) {
        painter.fillRect(label->rect(), rightColor);
        painter.fillRect(QRect(0, 0, width * left.share / 100, label->height()), leftColor);
        painter.setPen(Qt::white);
        const QString leftText = QString("%1/%2%").arg(left.total).arg(left.share);
        const QString rightText = QString("%1/%2%").arg(right.total).arg(right.share);
        drawTextAt(painter, QPoint(2, 6), leftText);
        drawTextAt(painter, QPoint(width - metrics.horizontalAdvance(rightText) - 2, 6), rightText);
        return;
    }
    painter.fillRect(label->rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(1, 0, width - 3, label->height() - 2));
    painter.setPen(Qt::darkBlue);
    const QString empty = "0/0%";
    drawTextAt(painter, QPoint(4, 6), empty);
    drawTextAt(painter, QPoint(width - metrics.horizontalAdvance(empty) - 4, 6), empty);
}

void paintResultLabel(QWidget* label, FootSide side, const QString& footType) {
    QPainter painter(label);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = labelFont(13);
    painter.setFont(font);
    const bool isLeft = side == kLeftFoot;
    const QString caption = isLeft ? "结果(左)" : "结果(右)";
    QFont bold = font;
    bold.setWeight(75);
    const int m = std::max(QFontMetrics(font).horizontalAdvance(caption),
                           QFontMetrics(bold).horizontalAdvance(footType));
    const int x = isLeft ? label->width() - m - 2 : 0;
    const int middle = label->height() / 2;
    painter.setPen(Qt::black);
    painter.drawText(QRect(x, middle - 20, m, 18), Qt::AlignLeft | Qt::AlignVCenter, caption);
    painter.setFont(bold);
    painter.setPen(Qt::darkRed);
    painter.drawText(QRect(x, middle + 2, m, 18), Qt::AlignLeft | Qt::AlignVCenter, footType);
    const QPixmap outline(app::resourcePath(isLeft ? "images/shape-of-left-foot.png"
                                                   : "images/shape-of-right-foot.png"));
    if (outline.isNull()) return;
    const QPixmap fitted = outline.scaled(156, 156, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const int top = static_cast<int>(label->height() * 0.025);
    painter.drawPixmap(isLeft ? label->width() - fitted.width() - 70 : 70, top, fitted);
}

void paintShareCircle(QWidget* label, FootSide side, ShareRow row, int share) {
    static const std::array<QColor, 3> kRowColors{QColor(246, 208, 114), QColor(48, 184, 174),
                                                  QColor(106, 148, 205)};
    constexpr int kDiameter = 74;
    QPainter painter(label);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(labelFont(13));
    painter.setPen(Qt::white);
    painter.setBrush(kRowColors[static_cast<int>(row)]);
    const QString text = QString("%1%").arg(share);
    const int textWidth = QFontMetrics(painter.font()).horizontalAdvance(text);
    const int middle = label->height() / 2;
    QRect circle;
    QRect textBox;
    if (side == kLeftFoot) {
        circle =
            QRect(label->width() - kDiameter - 4, middle - kDiameter / 2, kDiameter, kDiameter);
        textBox = QRect(label->width() - 39 - textWidth / 2, middle - 10, textWidth, 20);
    } else {
        circle = QRect(4, (label->height() - kDiameter) / 2, kDiameter, kDiameter);
        textBox = QRect((kDiameter - textWidth) / 2 + 4, middle - 10, textWidth, 20);
    }
    painter.drawEllipse(circle);
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, text);
}

void paintImageWithLines(QWidget* label, const QString& imagePath, const StaticAnalysis& analysis,
                         const std::vector<double>& fractions) {
    QPainter painter(label);
    painter.fillRect(label->rect(), Qt::white);
    if (imagePath.isEmpty() || !QFileInfo::exists(imagePath)) return;
    const int a = std::min(label->width() - 10, label->height() - 10);
    if (a <= 0) return;
    const int ox = (label->width() - 10 - a) / 2 + 5;
    painter.drawPixmap(ox, 5, QPixmap(imagePath).scaled(a, a));
    const double u = static_cast<double>(a) / kPlateCells;
    painter.setPen(Qt::darkRed);
    for (const FootRecord& foot : analysis.feet) {
        const QRect& r = foot.rect;
        if (r.x() < 0 || r.y() < 0 || r.width() <= 0 || r.height() <= 0) continue;
        for (const double p : fractions) {
            const double y = r.y() * u + r.height() * u * p + u + 5;
            painter.drawLine(QPointF(r.x() * u + ox, y),
                             QPointF((r.x() + r.width() + 1) * u + ox, y));
        }
    }
}

void paintClassificationScale(QWidget* label) {
    QPixmap scale(app::resourcePath("images/shape-of-foot-without-words.png"));
    if (scale.isNull()) return;
    scale = scale.scaled(label->width() - 4, label->height() - 4, Qt::KeepAspectRatio,
                         Qt::SmoothTransformation);
    if (scale.isNull()) return;
    {
        QPainter onScale(&scale);
        QFont font("Microsoft YaHei");
        font.setPointSize(13);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
        font.setKerning(true);
        onScale.setFont(font);
        const int w = scale.width();
        const QStringList types{"高足弓", "轻微高足弓", "正常足", "轻微扁平足", "扁平足"};
        for (int i = 0; i < types.size(); ++i)
            onScale.drawText(QRect(w * i * 20 / 100, scale.height() - 20, w * 20 / 100, 20),
                             Qt::AlignCenter, types[i]);
        const QStringList limits{"0%", "5%", "10%", "20%", "28%", "100%"};
        constexpr std::array<int, 6> kShift{6, 14, 18, 18, 18, 38};
        // Centred on their band edges like 36-pixel boxes, but never cut: the letter spacing
        // makes "100%" wider than such a box, and the outer labels would leave the image.
        const QFontMetrics metrics(font);
        for (int i = 0; i < limits.size(); ++i) {
            const int width = metrics.horizontalAdvance(limits[i]);
            const int centre = w * i * 20 / 100 - kShift[i] + 18;
            const int left = std::clamp(centre - width / 2, 0, std::max(0, w - width));
            onScale.drawText(QRect(left, 20, width, 20), Qt::AlignCenter | Qt::TextDontClip,
                             limits[i]);
        }
    }
    const int x = scale.width() < label->width() - 4 ? (label->width() - scale.width()) / 2 : 0;
    QPainter(label).drawPixmap(x, 0, scale);
}

void paintRegionPanel(QWidget* label, const StaticAnalysis& analysis) {
    const FootRecord& left = analysis.feet[kLeftFoot];
    const FootRecord& right = analysis.feet[kRightFoot];
    QPainter painter(label);
    painter.fillRect(label->rect(), Qt::white);
    // Laid out for 205 x 640 pixels; a smaller panel (a laptop screen) shows it scaled down.
    constexpr double kDesignWidth = 205.0;
    constexpr double kDesignHeight = 640.0;
    const double scale =
        std::min({1.0, label->width() / kDesignWidth, label->height() / kDesignHeight});
    painter.scale(scale, scale);
    painter.setPen(Qt::darkGray);
    for (const int top : {10, 220, 430}) painter.drawRect(1, top, 200, 200);
    painter.setPen(Qt::darkBlue);
    painter.setFont(labelFont(13));
    painter.drawLine(101, 10, 101, 210);
    painter.drawLine(1, 320, 201, 320);
    painter.drawLine(1, 530, 201, 530);
    painter.drawLine(101, 430, 101, 630);
    const auto text = [&painter](int x, int y, const QString& value) {
        painter.drawText(QRect(x, y, 60, 20), 0, value);
    };
    const auto percent = [](int value) { return QString("%1%").arg(value); };
    text(41, 100, "左足");
    text(135, 100, "右足");
    text(41, 118, percent(left.share));
    text(135, 118, percent(right.share));
    text(81, 260, "足前区");
    text(81, 278, percent(analysis.bothFeet.front));
    text(81, 360, "足后区");
    text(81, 378, percent(analysis.bothFeet.rear));
    text(31, 470, "左足前区");
    text(31, 490, percent(left.frontHalfShare));
    text(131, 470, "右足前区");
    text(131, 490, percent(right.frontHalfShare));
    text(31, 570, "左足后区");
    text(31, 590, percent(left.rearHalfShare));
    text(131, 570, "右足后区");
    text(131, 590, percent(right.rearHalfShare));
}
