#include "SubjectRecord.h"

#include <QRegularExpression>

#include "AppConstants.h"

QString storedMeasure(const QString& typed, const MeasureRange& range) {
    static const QRegularExpression number("^\\d{1,3}(\\.\\d)?$");
    const QString text = typed.trimmed();
    if (!number.match(text).hasMatch()) return {};
    const double value = text.toDouble();
    if (value < range.minimum || value > range.maximum) return {};
    return QString::number(value, 'f', text.contains('.') ? 1 : 0);
}

int subjectAge(const QString& birthDate, int currentYear) {
    return currentYear - birthDate.left(4).toInt();
}

QString genderDisplayText(const QString& gender) {
    return gender == "man" ? QStringLiteral("男") : QStringLiteral("女");
}

QString genderPicturePath(const QString& gender) {
    return app::resourceRoot() + app::kImageFolder + gender + app::kImageExtension;
}

QString subjectAvatarPath(const SubjectRecord& subject) {
    return genderPicturePath(subject.gender);
}
