// Draws the icons of the recording bar and the data file browser into the folder given as the
// only argument (the build runs it for Resources/images beside the program).
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace {

constexpr int kSide = 32;
const QColor kDark(0, 64, 115);
const QColor kBlue(50, 157, 253);

void triangle(QPainter& p, const QColor& colour, bool pointingRight) {
    const QPolygonF shape(pointingRight
                              ? QVector<QPointF>{QPointF(9, 6), QPointF(26, 16), QPointF(9, 26)}
                              : QVector<QPointF>{QPointF(23, 6), QPointF(6, 16), QPointF(23, 26)});
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(shape);
}

void stepIcon(QPainter& p, bool forward) {
    triangle(p, kDark, forward);
    p.fillRect(forward ? QRectF(25, 6, 3, 20) : QRectF(4, 6, 3, 20), kDark);
}

void folder(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1.5));
    p.setBrush(QColor(240, 190, 70));
    QPainterPath path;
    path.moveTo(4, 9);
    path.lineTo(12, 9);
    path.lineTo(14, 12);
    path.lineTo(28, 12);
    path.lineTo(28, 26);
    path.lineTo(4, 26);
    path.closeSubpath();
    p.drawPath(path);
}

void cross(QPainter& p) {
    p.setPen(QPen(QColor(200, 40, 40), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(24, 24));
    p.drawLine(QPointF(24, 8), QPointF(8, 24));
}

void pencil(QPainter& p) {
    p.setPen(QPen(kDark, 5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(9, 23), QPointF(24, 8));
    p.setPen(QPen(kDark, 2));
    p.drawLine(QPointF(5, 27), QPointF(27, 27));
}

void refreshArrow(QPainter& p) {
    p.setPen(QPen(kDark, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7, 7, 18, 18), 60 * 16, 290 * 16);
    triangle(p, kDark, true);
}

void property(QPainter& p) {
    p.setPen(QPen(kDark, 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 4, 18, 24));
    for (int y : {10, 15, 20}) p.drawLine(QPointF(11, y), QPointF(21, y));
}

using Painter = std::function<void(QPainter&)>;

const std::vector<std::pair<const char*, Painter>>& icons() {
    static const std::vector<std::pair<const char*, Painter>> list = {
        {"Record.png",
         [](QPainter& p) {
             p.setPen(QPen(kDark, 2));
             p.setBrush(QColor(220, 30, 30));
             p.drawEllipse(QRectF(5, 5, 22, 22));
         }},
        {"play.png", [](QPainter& p) { triangle(p, QColor(30, 150, 60), true); }},
        {"play-blue.png", [](QPainter& p) { triangle(p, kBlue, true); }},
        {"pause.png",
         [](QPainter& p) {
             p.fillRect(QRectF(8, 6, 6, 20), kDark);
             p.fillRect(QRectF(18, 6, 6, 20), kDark);
         }},
        {"stop.png",
         [](QPainter& p) { p.fillRect(QRectF(10, 10, 12, 12), QColor(150, 150, 150)); }},
        {"toLeft.png", [](QPainter& p) { stepIcon(p, false); }},
        {"toRight.png", [](QPainter& p) { stepIcon(p, true); }},
        {"open.png", folder},
        {"delete.png", cross},
        {"rename.png", pencil},
        {"refresh.png", refreshArrow},
        {"property.png", property},
    };
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make_icons: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const auto& [name, paint] : icons()) {
        QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            paint(painter);
        }
        const QString path = folder + "/" + name;
        if (!image.save(path)) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
