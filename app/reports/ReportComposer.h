// Paints the five-page A4 data report into a PDF: page header and footer on every page, the
// title block with the subject on page 1, the three static-analysis screenshots on pages 1 to
// 3, the two COP charts on page 4, the parameter table with the comment on page 5, and, when
// the recording has them, the standard posturographic measures with the sway plot on page 6.
// Plain painting code: it needs a GUI application but no window.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "Posturography.h"
#include "ReportInfo.h"
#include "ReportMaker.h"

// The subject's display strings on the title block (gender text is "男" or "女").
struct ReportSubject {
    QString name;
    QString uniqueCode;
    QString genderText;
    QString age;
    QString height;
    QString weight;
    QString dominantSide;
    QString affectedSide;
};

// One cell of the parameter table as the table view lays it out on screen.
struct ReportTableCell {
    QRect rect;
    QString text;
};

struct ReportContent {
    ReportInfo info;
    ReportSubject subject;
    ReportMaker maker;
    std::vector<ReportTableCell> table;
    // Where the screenshots "<fileName>_tab1.png" ... "_FootCopSpeedCurve.png" are.
    QString screenshotFolder;
    // Where the logo and the title block icons are.
    QString imageFolder;
    // The standard measures; without them (a recording too short) there is no sixth page.
    std::optional<PosturographyResults> posturography;
};

struct ComposedReport {
    bool written = false;
    int pages = 0;
    QString problem;              // why nothing was written
    QStringList missingPictures;  // screenshots or icons that could not be read
};

// Writes the report to pdfPath, creating its folder when missing. A picture that cannot be
// read leaves its place blank (a screenshot keeps a fixed height so the layout holds) and is
// named on stderr; the report is still written.
ComposedReport composeReportPdf(const QString& pdfPath, const ReportContent& content);

// The drawn height of a screenshot shown at referenceWidth: its own aspect ratio, or the fixed
// placeholder height when it cannot be read.
int reportPictureHeight(const QString& path, int referenceWidth);
constexpr int kMissingPictureHeight = 300;

// The suffixes of the five screenshots the report shows, in page order.
const QStringList& reportScreenshotSuffixes();
