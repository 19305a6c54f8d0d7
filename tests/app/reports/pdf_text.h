// What poppler's tools read out of a PDF: the page count, each page's text and the fonts.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

inline QString runTool(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0) return QString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

inline int pdfPageCount(const QString& pdf) {
    for (const QString& line : runTool("pdfinfo", {pdf}).split('\n'))
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    return 0;
}

// The text of page (from 1) in reading order, every run of white space (line breaks and the
// gaps pdftotext writes for wide spaces) as one space.
inline QString pdfPageText(const QString& pdf, int page) {
    const QString number = QString::number(page);
    return runTool("pdftotext", {"-f", number, "-l", number, "-enc", "UTF-8", pdf, "-"})
        .simplified();
}

// The font table rows of pdffonts (without its two heading lines).
inline QStringList pdfFontRows(const QString& pdf) {
    QStringList rows = runTool("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts);
    return rows.mid(2);
}
