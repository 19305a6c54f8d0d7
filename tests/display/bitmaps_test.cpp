// The bitmaps the build draws for the display widget, read as the widget reads them.
#include <QCoreApplication>
#include <QImage>
#include <QtTest>

namespace {

QString bitmapPath(const char* name) {
    return QCoreApplication::applicationDirPath() + "/Resources/libGridoraRes/" + name;
}

// The atlas cell of glyph k (16 × 16 cells, counted row by row from the top left).
QImage cell(const QImage& atlas, int k) {
    const int size = atlas.width() / 16;
    return atlas.copy((k % 16) * size, (k / 16) * size, size, atlas.height() / 16);
}

int litPixels(const QImage& image) {
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) lit += qGray(image.pixel(x, y)) > 64;
    return lit;
}

}  // namespace

class BitmapsTest : public QObject {
    Q_OBJECT

private slots:
    void bitmapsAreReadable_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Font.bmp", "Image.bmp", "configIcon.bmp"})
            QTest::newRow(name) << QString(name);
    }
    void bitmapsAreReadable() {
        QFETCH(QString, name);
        QImage image(bitmapPath(name.toUtf8().constData()));
        QVERIFY2(!image.isNull(), qPrintable(name));
        QVERIFY(image.width() > 0 && image.height() > 0);
    }

    // Cells 0..127 hold codes 32..159: printable ASCII has ink, the space and codes from 127
    // on are empty, and distinct characters look distinct; cells 128..255 repeat the codes.
    void fontIsA16By16GlyphAtlas() {
        const QImage atlas(bitmapPath("Font.bmp"));
        QVERIFY(!atlas.isNull());
        QCOMPARE(atlas.width() % 16, 0);
        QCOMPARE(atlas.height() % 16, 0);
        for (int set : {0, 128}) {
            QCOMPARE(litPixels(cell(atlas, set + 0)), 0);
            for (int code = 33; code <= 126; ++code)
                QVERIFY2(litPixels(cell(atlas, set + code - 32)) > 0, qPrintable(QChar(code)));
            for (int code = 127; code <= 159; ++code)
                QCOMPARE(litPixels(cell(atlas, set + code - 32)), 0);
        }
        QVERIFY(cell(atlas, 'A' - 32) != cell(atlas, 'B' - 32));
        QVERIFY(cell(atlas, 'O' - 32) != cell(atlas, '0' - 32));
        // A wide glyph carries more ink than a dot.
        QVERIFY(litPixels(cell(atlas, 'W' - 32)) > litPixels(cell(atlas, '.' - 32)));
    }
};

QTEST_GUILESS_MAIN(BitmapsTest)
#include "bitmaps_test.moc"
