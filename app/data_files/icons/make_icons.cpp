// Draws the program's pictures (icons of the recording bar and the data file browser, the
// subject panel's and the report's icons, the product and company logos, the static view's foot
// outlines and classification scale) into the folder given as the only argument (the build runs it
// for Resources/images beside the program).
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

#include "foot_pictures.h"

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

void person(QPainter& p, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(11, 4, 10, 10));
    p.drawRoundedRect(QRectF(7, 16, 18, 12), 5, 5);
}

void calendar(QPainter& p) {
    p.setPen(QPen(kDark, 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 7, 22, 20));
    p.fillRect(QRectF(5, 7, 22, 6), kBlue);
    for (int x : {10, 16, 22}) p.fillRect(QRectF(x - 1.5, 17, 3, 3), kDark);
}

void ruler(QPainter& p) {
    p.setPen(QPen(kDark, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 4), QPointF(16, 28));
    for (int y = 6; y <= 26; y += 5) p.drawLine(QPointF(16, y), QPointF(21, y));
    p.drawLine(QPointF(12, 4), QPointF(20, 4));
    p.drawLine(QPointF(12, 28), QPointF(20, 28));
}

void scaleWeight(QPainter& p) {
    p.setPen(QPen(kDark, 2));
    p.setBrush(QColor(210, 215, 225));
    QPainterPath body;
    body.moveTo(9, 11);
    body.lineTo(23, 11);
    body.lineTo(28, 27);
    body.lineTo(4, 27);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(12, 4, 8, 7));
}

void clock(QPainter& p) {
    p.setPen(QPen(kDark, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(4, 4, 24, 24));
    p.drawLine(QPointF(16, 16), QPointF(16, 9));
    p.drawLine(QPointF(16, 16), QPointF(21, 19));
}

void clipboard(QPainter& p) {
    p.setPen(QPen(kDark, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(7, 5, 18, 23), 2, 2);
    p.fillRect(QRectF(12, 3, 8, 5), kBlue);
    for (int y : {13, 18, 23}) p.drawLine(QPointF(11, y), QPointF(21, y));
}

// The product mark: two footprints on the plate's blue.
void footprints(QPainter& p, double side) {
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawEllipse(QRectF(0, 0, side, side));
    p.setBrush(Qt::white);
    const double u = side / 32.0;
    for (double x : {9.0, 18.0}) {
        const double lift = x > 10 ? -2 : 2;
        p.drawEllipse(QRectF((x - 0.5) * u, (9 + lift) * u, 6 * u, 9 * u));
        p.drawEllipse(QRectF(x * u, (19 + lift) * u, 5 * u, 6 * u));
    }
}

void companyLogo(QPainter& p, const QSize& size) {
    footprints(p, size.height());
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(size.height() * 9 / 20);
    p.setFont(font);
    p.setPen(kDark);
    p.drawText(QRectF(size.height() + 8, 0, size.width() - size.height() - 8, size.height()),
               Qt::AlignVCenter | Qt::AlignLeft, "VELTRIX");
}

using Painter = std::function<void(QPainter&)>;

struct Picture {
    const char* name;
    Painter paint;
    QSize size = QSize(kSide, kSide);
};

const std::vector<Picture>& icons() {
    static const std::vector<Picture> list = {
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
        {"name.png", [](QPainter& p) { person(p, kDark); }},
        {"age.png", calendar},
        {"height.png", ruler},
        {"weight.png", scaleWeight},
        {"man.png", [](QPainter& p) { person(p, QColor(40, 110, 200)); }},
        {"woman.png", [](QPainter& p) { person(p, QColor(215, 70, 130)); }},
        {"logo.png", [](QPainter& p) { footprints(p, 128); }, QSize(128, 128)},
        {"logo.ico", [](QPainter& p) { footprints(p, 64); }, QSize(64, 64)},
        {"human.png", [](QPainter& p) { person(p, kBlue); }},
        {"datetime.png", clock},
        {"testType.png", clipboard},
        {"companylogo.png", [](QPainter& p) { companyLogo(p, QSize(240, 60)); }, QSize(240, 60)},
    };
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_FOLDER\n");
        return 2;
    }
    // Text needs the font database, which needs an application; no display is required.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make_icons: cannot create %s\n", argv[1]);
        return 1;
    }
    std::vector<std::pair<const char*, QImage>> pictures = staticViewPictures();
    for (const auto& [name, paint, size] : icons()) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            paint(painter);
        }
        pictures.emplace_back(name, image);
    }
    for (const auto& [name, image] : pictures) {
        const QString path = folder + "/" + name;
        if (!image.save(path)) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
