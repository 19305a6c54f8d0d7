// The maker's details printed in every report's header and footer, from "ConfigReport.ini"
// under the program's Resources folder (group "report": companyName, website, telephone).
// A missing file or key gives the built-in value.
#pragma once

#include <QString>

struct ReportMaker {
    QString companyName;
    QString website;
    QString telephone;
};

// ConfigReport.ini in the config folder (app::applicationIniPath).
QString reportMakerIniPath();

ReportMaker readReportMaker(const QString& iniPath);

// "生产商：" + company + three spaces + website + three spaces + telephone.
QString manufacturerLine(const ReportMaker& maker);
