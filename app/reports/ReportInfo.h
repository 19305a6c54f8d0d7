// What publishing hands to the report composer, and the names and times it prints.
#pragma once

#include <QDateTime>
#include <QString>
#include <QVariantMap>

// "evaluate" (the comment on one line), "fileName" (the stamp that prefixes the screenshots)
// and "currentTime" (the moment of publishing).
using ReportInfo = QVariantMap;

// The comment as the report prints it: every carriage return and every line feed becomes
// three spaces, so the text is one wrapped paragraph.
QString reportComment(const QString& text);

ReportInfo makeReportInfo(const QString& comment, const QString& stamp, const QDateTime& time);

// "yyyyMMdd_hhmmss".
QString reportStamp(const QDateTime& time);

// The stamp of time, or with "_2", "_3", ... appended while a report of that name already
// exists in reportDirectory, so that two publishings within one second keep both reports.
QString uniqueReportStamp(const QDateTime& time, const QString& reportDirectory);

// "2026年12月10日 09时05分03秒".
QString reportTimeText(const QDateTime& time);
