// Draws the display library's bitmaps into the folder given as the only argument:
//   Font.bmp        256 × 256, a 16 × 16 atlas of 16-pixel glyphs, white on black. Cell k holds
//                   character code 32 + k of a monospace font (cells 0..127), then the same
//                   codes again in bold (cells 128..255); codes without a glyph stay empty.
//   Image.bmp       64 × 64 colour gradient.
//   configIcon.bmp  32 × 32 gear.
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kCell = 16;
constexpr int kCells = 16;

QImage fontAtlas() {
    QImage atlas(kCell * kCells, kCell * kCells, QImage::Format_RGB888);
    atlas.fill(Qt::black);
    QPainter painter(&atlas);
    painter.setPen(Qt::white);
    for (int k = 0; k < kCells * kCells; ++k) {
        const int code = 32 + k % 128;
        if (code > 126) continue;  // DEL and the C1 controls have no glyph
        QFont font("DejaVu Sans Mono");
        font.setStyleHint(QFont::Monospace);
        font.setPixelSize(13);  // ascent and descent fit in a cell
        font.setBold(k >= 128);
        painter.setFont(font);
        const QFontMetrics metrics(font);
        const QString glyph = QChar(code);
        const QRect cell((k % kCells) * kCell, (k / kCells) * kCell, kCell, kCell);
        const int baseline = cell.top() + metrics.ascent();
        const int left = cell.left() + (kCell - metrics.horizontalAdvance(glyph)) / 2;
        painter.setClipRect(cell);
        painter.drawText(left, baseline, glyph);
    }
    return atlas;
}

QImage gradient() {
    QImage image(64, 64, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, QColor(x * 4, y * 4, 255 - x * 2 - y * 2));
    return image;
}

QImage gear() {
    QImage image(32, 32, QImage::Format_RGB888);
    image.fill(QColor(60, 60, 60));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath teeth;
    for (int i = 0; i < 8; ++i) {
        const double angle = i * M_PI / 4;
        teeth.addEllipse(QPointF(16 + 11 * std::cos(angle), 16 + 11 * std::sin(angle)), 3, 3);
    }
    teeth.addEllipse(QPointF(16, 16), 11, 11);
    painter.fillPath(teeth.simplified(), QColor(220, 220, 220));
    painter.setBrush(QColor(60, 60, 60));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(16, 16), 4.5, 4.5);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    // Fonts and painting need a GUI application, but never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const struct {
        const char* name;
        QImage image;
    } bitmaps[] = {
        {"Font.bmp", fontAtlas()}, {"Image.bmp", gradient()}, {"configIcon.bmp", gear()}};
    for (const auto& bitmap : bitmaps) {
        if (!bitmap.image.save(out.filePath(bitmap.name), "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(bitmap.name)));
            return 1;
        }
    }
    return 0;
}
