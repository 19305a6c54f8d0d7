// File locations and texts shared across the program. The folders are the user's (AppFolders.h),
// whatever the working directory.
#pragma once

#include <QString>

#include "AppFolders.h"

namespace app {

// The subjects database.
inline QString subjectDatabase() { return appFolders().subjectDatabase(); }
// The read-only resources (pictures, the shipped INI defaults), and a path below them.
inline QString resourceRoot() { return appFolders().resources; }
inline QString resourcePath(const QString& relative) { return resourceRoot() + "/" + relative; }
// The recordings, the reports, and the cache (the recordings' cache folders and the report
// screenshots), each with a trailing "/".
inline QString dataDirectory() { return appFolders().recordings(); }
inline QString reportDirectory() { return appFolders().reports(); }
inline QString cacheDirectory() { return appFolders().cache(); }
constexpr const char* kImageFolder = "/images/";
constexpr const char* kImageExtension = ".png";
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

// The INI files live in the user's config folder; one missing there starts from the shipped
// default.
inline QString applicationIniPath(const QString& fileName) {
    return configIniPath(appFolders(), fileName);
}

constexpr const char* kButtonStyleSheet =
    "QPushButton{font-family:Microsoft YaHei;background-color:rgb(214,219,233);border:1px solid "
    "rgb(173,173,173);border-radius:0px;}QPushButton:hover{font-family:Microsoft "
    "YaHei;background-color:rgb(190,230,253);border:1px solid "
    "rgb(60,127,177);color:rgb(0,0,0);}";

}  // namespace app
