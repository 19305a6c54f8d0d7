// The pictures of the static view: the plantar outlines of both feet and the five-band arch
// classification scale, which the view writes its texts onto.
#include "foot_pictures.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace {

constexpr int kFootSide = 312;

// The sole of a right foot seen from above, in a 100 x 100 box; the big toe points to the
// left, toward the other foot.
QPainterPath rightSole() {
    QPainterPath sole;
    sole.moveTo(50, 97);
    sole.cubicTo(61, 97, 66, 89, 66, 79);
    sole.cubicTo(66, 65, 70, 53, 72, 43);
    sole.cubicTo(74, 33, 74, 27, 70, 23);
    sole.cubicTo(62, 17, 46, 16, 36, 19);
    sole.cubicTo(28, 22, 26, 29, 28, 37);
    sole.cubicTo(31, 47, 41, 56, 40, 66);
    sole.cubicTo(39, 76, 34, 82, 36, 90);
    sole.cubicTo(38, 96, 44, 97, 50, 97);
    const std::array<QRectF, 5> toes{QRectF(29, 3, 12, 14), QRectF(43, 6, 8, 10),
                                     QRectF(52, 9, 7, 9), QRectF(60, 12, 6, 8),
                                     QRectF(66, 16, 5, 7)};
    for (const QRectF& toe : toes) sole.addEllipse(toe);
    return sole;
}

QImage footPicture(bool left) {
    QImage image(kFootSide, kFootSide, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QTransform toPixels;
    if (left) toPixels.translate(kFootSide, 0).scale(-1, 1);
    toPixels.scale(kFootSide / 100.0, kFootSide / 100.0);
    painter.setTransform(toPixels);
    painter.setPen(QPen(QColor(70, 90, 120), 1.2));
    QLinearGradient fill(0, 0, 0, 100);
    fill.setColorAt(0, QColor(214, 226, 240));
    fill.setColorAt(1, QColor(188, 204, 226));
    painter.setBrush(fill);
    painter.drawPath(rightSole());
    return image;
}

// Five bands from high arch (left) to flat foot (right), with room above for the limits and
// below for the foot types that the view writes.
QImage scalePicture() {
    constexpr int kWidth = 1000;
    constexpr int kHeight = 100;
    const std::array<QColor, 5> bands{QColor(106, 148, 205), QColor(48, 184, 174),
                                      QColor(120, 190, 90), QColor(246, 208, 114),
                                      QColor(232, 120, 90)};
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int bandWidth = kWidth / static_cast<int>(bands.size());
    for (int i = 0; i < static_cast<int>(bands.size()); ++i)
        painter.fillRect(QRect(i * bandWidth, 44, bandWidth, 32), bands[i]);
    painter.setPen(QPen(QColor(90, 90, 90), 2));
    for (int i = 0; i <= static_cast<int>(bands.size()); ++i) {
        const int x = std::min(i * bandWidth, kWidth - 1);
        painter.drawLine(x, 40, x, 78);
    }
    return image;
}

}  // namespace

std::vector<std::pair<const char*, QImage>> staticViewPictures() {
    return {{"shape-of-left-foot.png", footPicture(true)},
            {"shape-of-right-foot.png", footPicture(false)},
            {"shape-of-foot-without-words.png", scalePicture()}};
}
