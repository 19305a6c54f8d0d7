#include "ReportMaker.h"

#include <QSettings>

#include "AppConstants.h"

QString reportMakerIniPath() { return app::applicationIniPath("ConfigReport.ini"); }

ReportMaker readReportMaker(const QString& iniPath) {
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    const auto text = [&ini](const char* key, const char* fallback) {
        return ini.value(QString("report/") + key, QString::fromUtf8(fallback)).toString();
    };
    return {text("companyName", app::kCompanyName), text("website", app::kCompanyWebsite),
            text("telephone", app::kCompanyTelephone)};
}

QString manufacturerLine(const ReportMaker& maker) {
    return app::kManufacturerLabel + maker.companyName + "   " + maker.website + "   " +
           maker.telephone;
}
