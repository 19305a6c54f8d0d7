#include "CurrentSubjectFile.h"

#include <QSettings>

#include "AppConstants.h"
#include "AtomicWrite.h"

namespace {

// Keys in the order they are written; the record field each one carries.
struct KeyField {
    const char* key;
    QString SubjectRecord::*field;
};
const KeyField kKeys[] = {
    {"currentUser/userName", &SubjectRecord::name},
    {"currentUser/userUniqueIdentifier", &SubjectRecord::uniqueCode},
    {"currentUser/gender", &SubjectRecord::gender},
    {"currentUser/userAge", &SubjectRecord::age},
    {"currentUser/userHeight", &SubjectRecord::height},
    {"currentUser/userWeight", &SubjectRecord::weight},
    {"currentUser/userYoushiCe", &SubjectRecord::dominantSide},
    {"currentUser/huance", &SubjectRecord::affectedSide},
};

}  // namespace

QString currentSubjectIniPath() { return app::applicationIniPath("ConfigUserInfo.ini"); }

bool writeCurrentSubject(const SubjectRecord& subject, const QString& iniPath) {
    return updateIniFile(iniPath,
                         [&](QSettings& ini) {
                             for (const KeyField& entry : kKeys)
                                 ini.setValue(entry.key, subject.*entry.field);
                         })
        .isEmpty();
}

SubjectRecord readCurrentSubject(const QString& iniPath) {
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    SubjectRecord subject;
    for (const KeyField& entry : kKeys)
        subject.*entry.field = ini.value(entry.key, QString()).toString();
    return subject;
}
