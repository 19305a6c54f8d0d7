// File locations and texts shared across the program. Locations beginning with "./" are
// relative to the working directory, which is the program's own directory.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace app {

constexpr const char* kSubjectDatabase = "./VuziRO.db";
constexpr const char* kResourceRoot = "./Resources";
constexpr const char* kDataDirectory = "./Resources/data/";
constexpr const char* kReportDirectory = "./Resources/dataReports/";
constexpr const char* kImageFolder = "/images/";
constexpr const char* kCacheFolder = "/cache/";
// The resource root joined with the cache folder: where the report screenshots go.
constexpr const char* kScreenshotFolder = "./Resources/cache/";
constexpr const char* kImageExtension = ".png";
constexpr const char* kReportLogo = "./Resources/images/companylogo.png";
constexpr const char* kReportExtension = ".pdf";
constexpr const char* kRecordingExtension = ".raw";
constexpr const char* kReportVersion = "4.0.0";
constexpr const char* kReportVersionLabel = "数据报告版本号：4.0.0";
constexpr const char* kManufacturerLabel = "生产商：";
constexpr const char* kCompanyName = "VELTRIX";
constexpr const char* kCompanyWebsite = "www.veltrix-medical.com";
constexpr const char* kCompanyTelephone = "+86 400 820 7070";

constexpr const char* kProductName = "VELTRIX Tessaly Foot Force Measure System";
constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 1;
constexpr int kVersionPatch = 10;
constexpr const char* kPlateModel = "M12";

// "1.1.10": shown in the window title and the about dialog.
inline QString productVersion() {
    return QString("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch);
}

// The INI files live under the program's own directory, whatever the working directory.
inline QString applicationIniPath(const QString& fileName) {
    return QCoreApplication::applicationDirPath() + "/Resources/" + fileName;
}

constexpr const char* kButtonStyleSheet =
    "QPushButton{font-family:Microsoft YaHei;background-color:rgb(214,219,233);border:1px solid "
    "rgb(173,173,173);border-radius:0px;}QPushButton:hover{font-family:Microsoft "
    "YaHei;background-color:rgb(190,230,253);border:1px solid "
    "rgb(60,127,177);color:rgb(0,0,0);}";

}  // namespace app
