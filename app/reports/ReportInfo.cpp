#include "ReportInfo.h"

#include <QDir>
#include <QFileInfo>

#include "AppConstants.h"

QString reportComment(const QString& text) {
    QString comment = text;
    return comment.replace("\r", "   ").replace("\n", "   ");
}

ReportInfo makeReportInfo(const QString& comment, const QString& stamp, const QDateTime& time) {
    return {{"evaluate", reportComment(comment)}, {"fileName", stamp}, {"currentTime", time}};
}

QString reportStamp(const QDateTime& time) { return time.toString("yyyyMMdd_hhmmss"); }

QString uniqueReportStamp(const QDateTime& time, const QString& reportDirectory) {
    const QString base = reportStamp(time);
    const auto taken = [&reportDirectory](const QString& stamp) {
        return QFileInfo::exists(QDir(reportDirectory).filePath(stamp + app::kReportExtension));
    };
    QString stamp = base;
    for (int n = 2; taken(stamp); ++n) stamp = QString("%1_%2").arg(base).arg(n);
    return stamp;
}

QString reportTimeText(const QDateTime& time) {
    return time.toString("yyyy") + "年" + time.toString("MM") + "月" + time.toString("dd") + "日" +
           " " + time.toString("hh") + "时" + time.toString("mm") + "分" + time.toString("ss") +
           "秒";
}
