#include "SubjectRecord.h"

#include "AppConstants.h"

int subjectAge(const QString& birthDate, int currentYear) {
    return currentYear - birthDate.left(4).toInt();
}

QString genderDisplayText(const QString& gender) {
    return gender == "man" ? QStringLiteral("男") : QStringLiteral("女");
}

QString subjectAvatarPath(const SubjectRecord& subject) {
    return QString(app::kResourceRoot) + app::kImageFolder + subject.gender +
           app::kImageExtension;
}
