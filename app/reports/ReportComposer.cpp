#include "ReportComposer.h"

#include "MeasureTexts.h"
#include "SwayPlotPainter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <cstdio>

#include "AppConstants.h"
#include "AtomicWrite.h"
#include "PrivateFiles.h"

namespace {

const char* const kFontFamily = "Microsoft Yahei UI";
const QColor kRuleColour(38, 41, 74);
const QColor kSubjectColour(30, 144, 255);
// The pages are laid out in pixels of a 96 dpi screen; a fixed resolution keeps every report
// the same whatever monitor (or none) the program runs on.
constexpr int kReportResolution = 96;

class ReportPainter {
public:
    ReportPainter(QPainter& painter, QPagedPaintDevice& device, const ReportContent& content)
        : p_(painter),
          device_(device),
          content_(content),
          width_(painter.viewport().width()),
          height_(painter.viewport().height()) {}

    void drawStaticReportPages();
    void drawBalanceReportPages();
    void drawPosturographyPage();
    int pages() const { return pageCounter_ - 1; }
    const QStringList& missingPictures() const { return missing_; }

private:
    void setFontSize(int points) {
        QFont font(kFontFamily);
        font.setPointSize(points);
        p_.setFont(font);
    }
    void drawRule(int y) {
        p_.setPen(QPen(kRuleColour, 2));
        p_.drawLine(20, y, width_ - 40, y);
    }
    void drawPicture(const QRect& target, const QString& path) {
        const QPixmap picture(path);
        if (picture.isNull()) {
            noteMissing(path);
            return;
        }
        p_.drawPixmap(target, picture);
    }
    // Draws a screenshot of the given width at (20, y); returns its drawn height.
    int drawScreenshot(const QString& suffix, int y, int width, int referenceWidth) {
        const QString path = screenshotPath(suffix);
        const int height = reportPictureHeight(path, referenceWidth);
        drawPicture(QRect(20, y, width, height), path);
        return height;
    }
    QString screenshotPath(const QString& suffix) const {
        return QDir(content_.screenshotFolder)
            .filePath(content_.info.value("fileName").toString() + suffix + ".png");
    }
    QString imagePath(const QString& name) const {
        return QDir(content_.imageFolder).filePath(name);
    }
    void noteMissing(const QString& path) {
        std::fprintf(stderr, "report: picture %s cannot be read; its place stays blank\n",
                     qPrintable(path));
        missing_ << path;
    }

    void drawPageHeader();
    void drawPageFooter();
    void drawTitleBlock(const QString& title, const QDateTime& time, const QString& testType);
    void drawTableCells();

    QPainter& p_;
    QPagedPaintDevice& device_;
    const ReportContent& content_;
    const int width_;
    const int height_;
    int pageCounter_ = 1;
    QStringList missing_;
};

void ReportPainter::drawPageHeader() {
    drawPicture(QRect(20, 10, 92, 14), imagePath("companylogo.png"));
    setFontSize(9);
    p_.drawText(120, 25, content_.maker.companyName);
    drawRule(30);
}

void ReportPainter::drawPageFooter() {
    drawRule(1070);
    setFontSize(8);
    p_.drawText(20, 1090, app::kReportVersionLabel);
    p_.drawText(180, 1090, manufacturerLine(content_.maker));
    p_.drawText(710, 1090, QString::number(pageCounter_));
    ++pageCounter_;
}

void ReportPainter::drawTitleBlock(const QString& title, const QDateTime& time,
                                   const QString& testType) {
    const ReportSubject& s = content_.subject;
    setFontSize(13);
    p_.drawText(280, 60, title);
    drawPicture(QRect(20, 68, 15, 15), imagePath("human.png"));
    p_.setPen(Qt::black);
    setFontSize(10);
    p_.drawText(45, 80, QString("%1%2").arg("受试者唯一码: ", s.uniqueCode));

    p_.save();
    p_.setPen(kSubjectColour);
    setFontSize(9);
    const struct {
        int x;
        const char* label;
        const QString& value;
    } fields[] = {{45, "姓名: ", s.name},
                  {245, "年龄: ", s.age},
                  {315, "身高(cm): ", s.height},
                  {414, "体重(kg): ", s.weight},
                  {509, "优势侧: ", s.dominantSide},
                  {609, "患侧: ", s.affectedSide}};
    for (const auto& field : fields)
        p_.drawText(field.x, 105, QString("%1%2").arg(QString::fromUtf8(field.label), field.value));
    p_.restore();

    drawPicture(QRect(20, 118, 15, 15), imagePath("datetime.png"));
    p_.drawText(45, 130, "报告时间: ");
    p_.drawText(105, 130, reportTimeText(time));
    drawPicture(QRect(20, 145, 15, 15), imagePath("testType.png"));
    p_.drawText(45, 160, "测试类型: ");
    p_.drawText(105, 160, testType);
    drawRule(175);
}

void ReportPainter::drawStaticReportPages() {
    drawPageHeader();
    drawTitleBlock(QString("足底压力测试") + "数据报告",
                   content_.info.value("currentTime").toDateTime(), "足底压力测试");
    drawScreenshot("_tab1", 200, width_ - 60, width_ - 40);
    p_.drawText(20, 200, "足底压力分布");
    drawPageFooter();

    const struct {
        const char* suffix;
        const char* caption;
    } pages[] = {{"_tab2", "足弓分析"}, {"_tab3", "区域受力分析"}};
    for (const auto& page : pages) {
        device_.newPage();
        drawPageHeader();
        drawScreenshot(page.suffix, 60, width_ - 60, width_ - 40);
        p_.drawText(20, 60, QString::fromUtf8(page.caption));
        drawPageFooter();
    }
}

void ReportPainter::drawTableCells() {
    if (content_.table.empty()) return;
    p_.save();
    p_.setPen(Qt::black);
    for (const ReportTableCell& cell : content_.table) {
        const QRect rect = cell.rect.translated(20, 40);
        p_.drawText(rect, Qt::AlignCenter, cell.text);
        p_.drawRect(rect);
    }
    p_.restore();
}

void ReportPainter::drawBalanceReportPages() {
    device_.newPage();
    drawPageHeader();
    const int firstHeight = drawScreenshot("_FootCopCurve", 30, 500, 500);
    drawScreenshot("_FootCopSpeedCurve", firstHeight + 55, 500, 500);
    drawPageFooter();

    device_.newPage();
    drawPageHeader();
    drawTableCells();
    p_.drawText(20, 400, "评语：");
    const QString comment = content_.info.value("evaluate").toString();
    const QRect box = p_.fontMetrics().boundingRect(QRect(20, 410, width_ - 40, height_ - 410),
                                                    Qt::TextWordWrap, comment);
    p_.drawText(box, Qt::TextWordWrap, comment);
    drawPageFooter();
}

// Drawn from the results, so lines and text stay vector in the PDF.
void ReportPainter::drawPosturographyPage() {
    if (!content_.posturography) return;
    const PosturographyResults& results = *content_.posturography;
    device_.newPage();
    drawPageHeader();
    setFontSize(11);
    p_.setPen(Qt::black);
    p_.drawText(20, 55, "静态平衡标准参数");
    setFontSize(8);
    p_.drawText(20, 72, preprocessingLine(results));
    const QString warning = protocolWarning(results);
    if (!warning.isEmpty()) {
        p_.setPen(QColor(200, 30, 30));
        p_.drawText(20, 86, warning);
        p_.setPen(Qt::black);
    }
    paintSwayPlot(p_, QRectF(20, 92, 380, 380), results);
    // The measures in two columns of name and value, each group under its heading.
    struct Line {
        bool heading;
        QString name;
        QString value;
    };
    std::vector<Line> lines;
    QString group;
    for (const MeasureRow& row : measureRows(results)) {
        if (row.group != group) lines.push_back({true, group = row.group, {}});
        lines.push_back({false, row.name, row.value});
    }
    constexpr int kRowHeight = 14;
    constexpr int kTop = 490;
    const int perColumn = static_cast<int>((lines.size() + 1) / 2);
    const int columnWidth = (width_ - 60) / 2;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const Line& line = lines[static_cast<std::size_t>(i)];
        const int x = 20 + i / perColumn * (columnWidth + 20);
        const int y = kTop + i % perColumn * kRowHeight;
        QFont font(kFontFamily);
        font.setPointSize(7);
        font.setBold(line.heading);
        p_.setFont(font);
        p_.setPen(QColor(200, 200, 200));
        p_.drawLine(x, y + kRowHeight, x + columnWidth, y + kRowHeight);
        p_.setPen(line.heading ? kRuleColour : QColor(Qt::black));
        p_.drawText(QRect(x, y, columnWidth * 2 / 3, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                    line.name);
        p_.drawText(QRect(x + columnWidth * 2 / 3, y, columnWidth / 3, kRowHeight),
                    Qt::AlignRight | Qt::AlignVCenter, line.value);
    }
    drawPageFooter();
}

}  // namespace

const QStringList& reportScreenshotSuffixes() {
    static const QStringList suffixes{"_tab1", "_tab2", "_tab3", "_FootCopCurve",
                                      "_FootCopSpeedCurve"};
    return suffixes;
}

int reportPictureHeight(const QString& path, int referenceWidth) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return kMissingPictureHeight;
    const QSize size = QImageReader(&file).size();
    if (!size.isValid() || size.width() <= 0) return kMissingPictureHeight;
    return static_cast<int>(static_cast<double>(referenceWidth) / size.width() * size.height());
}

ComposedReport composeReportPdf(const QString& pdfPath, const ReportContent& content) {
    ComposedReport result;
    const QFileInfo target(pdfPath);
    if (!createPrivateFolder(target.absolutePath())) {
        result.problem = "cannot create the folder " + target.absolutePath();
        return result;
    }
    // Painted into memory first, then saved in one step: a full disk or a read-only folder is
    // reported, and never leaves a half-written report in place of an earlier one.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(kReportResolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Point);
    writer.setCreator(app::kProductName);
    writer.setTitle("足底压力测试数据报告");
    QPainter painter;
    if (!painter.begin(&writer)) {
        result.problem = "cannot paint the report";
        return result;
    }
    ReportPainter pages(painter, writer, content);
    pages.drawStaticReportPages();
    pages.drawBalanceReportPages();
    pages.drawPosturographyPage();
    painter.end();
    result.missingPictures = pages.missingPictures();

    const QString problem = writeFileAtomically(pdfPath, pdf.data());
    if (!problem.isEmpty()) {
        result.problem = problem;
        return result;
    }
    result.written = true;
    result.pages = pages.pages();
    return result;
}
