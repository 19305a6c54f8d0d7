#include "SubjectRecord.h"

#include "AppConstants.h"

int subjectAge(const QString& birthDate, int currentYear) {
    return currentYear - birthDate.left(4).toInt();
}

QString genderDisplayText(const QString& gender) {
    return gender == "man" ? QStringLiteral("男") : QStringLiteral("女");
}

QString genderPicturePath(const QString& gender) {
    return QString(app::kResourceRoot) + app::kImageFolder + gender + app::kImageExtension;
}

QString subjectAvatarPath(const SubjectRecord& subject) {
    return genderPicturePath(subject.gender);
}
