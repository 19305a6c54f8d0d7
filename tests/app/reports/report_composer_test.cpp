// The report composer against fixtures: known screenshots, subject strings, table cells and
// maker details give five pages whose text layer holds exactly what was drawn, in an embedded
// font, with the layout kept when a screenshot is missing.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include "ReportComposer.h"
#include "ReportInfo.h"
#include "ReportMaker.h"
#include "Startup.h"
#include "pdf_text.h"

namespace {

const QDateTime kPublished(QDate(2026, 12, 10), QTime(9, 5, 3));

void writePicture(const QString& path, QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path));
}

}  // namespace

class ReportComposerTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }

    // Screenshots of the stamp "S" in dir_, all but the ones left out.
    void writeScreenshots(const QStringList& leftOut = {}) {
        const QSize sizes[] = {{1000, 600}, {1000, 500}, {1000, 400}, {387, 224}, {387, 224}};
        for (int i = 0; i < reportScreenshotSuffixes().size(); ++i) {
            const QString suffix = reportScreenshotSuffixes()[i];
            QFile::remove(path("S" + suffix + ".png"));
            if (!leftOut.contains(suffix))
                writePicture(path("S" + suffix + ".png"), sizes[i], QColor(200, 220, 240));
        }
    }

    ReportContent content(const QString& comment = "第一行\r\n第二行") const {
        ReportContent c;
        c.info = makeReportInfo(comment, "S", kPublished);
        c.subject = {"张三", "P-0042", "男", "36", "172", "68.5", "右侧", "左侧"};
        c.maker = {"VELTRIX", "www.example.org", "+86 10 1234 5678"};
        c.table = {{QRect(0, 0, 300, 30), "足底压力中心参数(95%置信度)"},
                   {QRect(0, 30, 150, 30), "COP包络面积(平方毫米)"},
                   {QRect(150, 30, 150, 30), "72.1718"}};
        c.screenshotFolder = dir_.path();
        c.imageFolder = "./Resources/images/";
        return c;
    }

private slots:
    void initTestCase() {
        installFontSubstitutions();
        QVERIFY(dir_.isValid());
    }

    void fivePagesHoldTheDrawnTexts() {
        writeScreenshots();
        const ComposedReport report = composeReportPdf(path("r.pdf"), content());
        QVERIFY(report.written);
        QCOMPARE(report.pages, 5);
        QVERIFY2(report.missingPictures.isEmpty(), qPrintable(report.missingPictures.join(' ')));
        QCOMPARE(pdfPageCount(path("r.pdf")), 5);

        const QString footer = "数据报告版本号：4.0.0";
        const QString maker = "生产商：VELTRIX www.example.org +86 10 1234 5678";
        const struct {
            int page;
            QStringList texts;
        } pages[] = {
            {1,
             {"足底压力测试数据报告", "受试者唯一码: P-0042", "姓名: 张三", "年龄: 36",
              "身高(cm): 172", "体重(kg): 68.5", "优势侧: 右侧", "患侧: 左侧", "报告时间:",
              "2026年12月10日 09时05分03秒", "测试类型:", "足底压力测试", "足底压力分布"}},
            {2, {"足弓分析"}},
            {3, {"区域受力分析"}},
            {4, {}},
            {5,
             {"足底压力中心参数(95%置信度)", "COP包络面积(平方毫米)", "72.1718", "评语：",
              "第一行 第二行"}},
        };
        for (const auto& expected : pages) {
            const QString text = pdfPageText(path("r.pdf"), expected.page);
            QStringList wanted = expected.texts;
            wanted << "VELTRIX" << footer << maker;
            for (const QString& piece : wanted)
                QVERIFY2(text.contains(piece), qPrintable(QString("page %1 lacks \"%2\" in:\n%3")
                                                              .arg(expected.page)
                                                              .arg(piece, text)));
            // The page number is the last text of the page.
            QCOMPARE(text.split(' ').last(), QString::number(expected.page));
        }
        // A search for the plain characters finds them (no look-alike radicals in the text).
        QVERIFY(pdfPageText(path("r.pdf"), 1).contains("足底"));
        QVERIFY(!pdfPageText(path("r.pdf"), 1).contains(QChar(0x2F9C)));  // KANGXI RADICAL FOOT
    }

    void fontsAreEmbedded() {
        writeScreenshots();
        QVERIFY(composeReportPdf(path("fonts.pdf"), content()).written);
        const QStringList rows = pdfFontRows(path("fonts.pdf"));
        QVERIFY(!rows.isEmpty());
        for (const QString& row : rows) {
            const QStringList columns = row.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
            // name type... encoding emb sub uni object ID: emb is the fifth column from the end.
            QVERIFY2(columns.size() >= 6 && columns[columns.size() - 5] == "yes", qPrintable(row));
        }
    }

    void emptySubjectAndCommentStillGiveAllCaptions() {
        writeScreenshots();
        ReportContent c = content(QString());
        c.subject = {};
        c.table.clear();
        QVERIFY(composeReportPdf(path("empty.pdf"), c).written);
        const QString first = pdfPageText(path("empty.pdf"), 1);
        for (const char* caption : {"受试者唯一码:", "姓名:", "年龄:", "患侧:"})
            QVERIFY(first.contains(QString::fromUtf8(caption)));
        QVERIFY(pdfPageText(path("empty.pdf"), 5).contains("评语："));
    }

    void missingScreenshotKeepsTheLayout() {
        writeScreenshots({"_tab2", "_FootCopCurve"});
        const ComposedReport report = composeReportPdf(path("missing.pdf"), content());
        QVERIFY(report.written);
        QCOMPARE(report.pages, 5);
        QCOMPARE(report.missingPictures.size(), 2);
        QVERIFY(report.missingPictures[0].endsWith("S_tab2.png"));
        QVERIFY(pdfPageText(path("missing.pdf"), 2).contains("足弓分析"));

        // The second chart is drawn below the placeholder height of the first.
        QProcess render;
        render.start("pdftoppm", {"-f", "4", "-l", "4", "-r", "96", "-png", "-singlefile",
                                  path("missing.pdf"), path("page4")});
        QVERIFY(render.waitForFinished(30000));
        const QImage page(path("page4.png"));
        QVERIFY(!page.isNull());
        // Page margins of 10 pt are 13 px at 96 dpi; the chart is light blue.
        const auto isChart = [&page](int y) {
            return page.pixelColor(100, y + 13).blue() > 230 &&
                   page.pixelColor(100, y + 13).red() < 210;
        };
        QVERIFY(!isChart(30 + kMissingPictureHeight / 2));
        QVERIFY(isChart(kMissingPictureHeight + 55 + 100));
    }

    void pictureHeightFollowsTheAspectRatio_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("referenceWidth");
        QTest::addColumn<int>("height");
        QTest::newRow("chart") << QSize(387, 224) << 500 << 289;
        QTest::newRow("tab") << QSize(1000, 500) << 727 << 363;
        QTest::newRow("tall") << QSize(100, 300) << 50 << 150;
        QTest::newRow("missing") << QSize() << 500 << kMissingPictureHeight;
    }
    void pictureHeightFollowsTheAspectRatio() {
        QFETCH(QSize, size);
        QFETCH(int, referenceWidth);
        QFETCH(int, height);
        const QString file = path("size.png");
        QFile::remove(file);
        if (size.isValid()) writePicture(file, size, Qt::gray);
        QCOMPARE(reportPictureHeight(file, referenceWidth), height);
    }

    void foreignFileCountsAsMissing() {
        QFile junk(path("junk.png"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a picture");
        junk.close();
        QCOMPARE(reportPictureHeight(path("junk.png"), 500), kMissingPictureHeight);
    }

    void unwritableTargetIsReportedAndKeepsTheOldFile() {
        writeScreenshots();
        QFile old(path("kept.pdf"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier report");
        old.close();
        QVERIFY(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner));
        const ComposedReport report = composeReportPdf(path("kept.pdf"), content());
        QVERIFY(QFile::setPermissions(dir_.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        if (report.written) QSKIP("the folder stays writable (running as root)");
        QVERIFY(!report.problem.isEmpty());
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("earlier report"));
    }

    void targetUnderAFileIsReported() {
        QFile blocker(path("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const ComposedReport report = composeReportPdf(path("blocker/r.pdf"), content());
        QVERIFY(!report.written);
        QVERIFY(!report.problem.isEmpty());
    }

    void makerComesFromItsIniFile() {
        QCOMPARE(readReportMaker(path("absent.ini")).website, QString("www.veltrix-medical.com"));
        QFile ini(path("maker.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[report]\ncompanyName=示例医疗\ntelephone=010-1\n");
        ini.close();
        const ReportMaker maker = readReportMaker(path("maker.ini"));
        QCOMPARE(maker.companyName, QString("示例医疗"));
        QCOMPARE(maker.website, QString("www.veltrix-medical.com"));
        QCOMPARE(manufacturerLine(maker),
                 QString("生产商：示例医疗   www.veltrix-medical.com   010-1"));
    }

    void commentAndTimeTexts_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("printed");
        QTest::newRow("crlf") << "a\r\nb"
                              << "a      b";
        QTest::newRow("lf") << "a\nb\n"
                            << "a   b   ";
        QTest::newRow("cr") << "a\rb"
                            << "a   b";
        QTest::newRow("plain") << "正常"
                               << "正常";
    }
    void commentAndTimeTexts() {
        QFETCH(QString, typed);
        QFETCH(QString, printed);
        QCOMPARE(reportComment(typed), printed);
        QCOMPARE(makeReportInfo(typed, "S", kPublished).value("evaluate").toString(), printed);
        QCOMPARE(reportTimeText(kPublished), QString("2026年12月10日 09时05分03秒"));
        QCOMPARE(reportStamp(kPublished), QString("20261210_090503"));
    }

    void secondReportOfASecondGetsItsOwnName() {
        const QString reports = path("reports");
        QVERIFY(QDir().mkpath(reports));
        const QStringList expected{"20261210_090503", "20261210_090503_2", "20261210_090503_3"};
        for (const QString& stamp : expected) {
            QCOMPARE(uniqueReportStamp(kPublished, reports), stamp);
            QFile taken(reports + "/" + stamp + ".pdf");
            QVERIFY(taken.open(QIODevice::WriteOnly));
        }
    }
};

QTEST_MAIN(ReportComposerTest)
#include "report_composer_test.moc"
