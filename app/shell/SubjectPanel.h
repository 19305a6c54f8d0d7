// The current subject as the main window's left panel shows it.
#pragma once

#include <QString>

struct SubjectRecord;
class QLabel;

struct SubjectSummary {
    QString name;
    QString gender;  // "man" or "woman"
    QString age;
    QString height;
    QString weight;
};

// The part of a subject that the panel shows.
SubjectSummary subjectSummaryOf(const SubjectRecord& subject);

struct SubjectPanelLabels {
    QLabel* nameIcon;
    QLabel* name;
    QLabel* genderIcon;
    QLabel* gender;
    QLabel* ageIcon;
    QLabel* age;
    QLabel* heightIcon;
    QLabel* height;
    QLabel* weightIcon;
    QLabel* weight;
};

// Fills the icon and text labels; a missing picture leaves its label empty.
void showSubject(const SubjectPanelLabels& labels, const SubjectSummary& subject);
