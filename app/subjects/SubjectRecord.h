// One subject as the dialogs, the main window and the reports carry it, and the small rules
// that every place showing a subject shares.
#pragma once

#include <QString>

struct SubjectRecord {
    QString uniqueCode;
    QString name;
    QString gender;  // "man" or "woman"
    QString age;     // decimal text
    QString height;
    QString weight;
    QString dominantSide;
    QString affectedSide;
};

// Age in whole years: currentYear minus the year in the first four characters of a
// "yyyy-MM-dd" birth date. Month and day are ignored on purpose, so the age changes on
// 1 January for everybody.
int subjectAge(const QString& birthDate, int currentYear);

// "男" for "man", "女" for anything else (including an empty value).
QString genderDisplayText(const QString& gender);

// The resources' "images/" + gender + ".png": the picture named after the gender value.
QString genderPicturePath(const QString& gender);
QString subjectAvatarPath(const SubjectRecord& subject);

// The range a body measure may take: weight in kg, height in cm.
struct MeasureRange {
    double minimum;
    double maximum;
};
constexpr MeasureRange kWeightRangeKg{20, 300};
constexpr MeasureRange kHeightRangeCm{50, 250};

// The text stored for a typed measure: a plain number ("58.5", "164") within the range, with at
// most one decimal; a null string when the text is none. Stored measures stay text, so records
// written before the check keep whatever they hold.
QString storedMeasure(const QString& typed, const MeasureRange& range);
