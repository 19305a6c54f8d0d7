// The current subject as the main window's left panel shows it.
#pragma once

#include <QString>

class QLabel;

struct SubjectSummary {
    QString name;
    QString gender;  // "man" or "woman"
    QString age;
    QString height;
    QString weight;
};

// Reads "ConfigUserInfo.ini" under the program's Resources folder; empty texts when missing.
SubjectSummary readCurrentSubjectSummary();

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
