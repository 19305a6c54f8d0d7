#include "SubjectPanel.h"

#include <QLabel>
#include <QPixmap>

#include "AppConstants.h"
#include "SubjectRecord.h"

SubjectSummary subjectSummaryOf(const SubjectRecord& subject) {
    return {subject.name, subject.gender, subject.age, subject.height, subject.weight};
}

void showSubject(const SubjectPanelLabels& labels, const SubjectSummary& subject) {
    const QString images = QString(app::kResourceRoot) + app::kImageFolder;
    labels.nameIcon->setPixmap(QPixmap(images + "name.png"));
    labels.ageIcon->setPixmap(QPixmap(images + "age.png"));
    labels.heightIcon->setPixmap(QPixmap(images + "height.png"));
    labels.weightIcon->setPixmap(QPixmap(images + "weight.png"));
    labels.name->setText(subject.name);
    labels.gender->setText(genderDisplayText(subject.gender));
    const QPixmap genderPicture(genderPicturePath(subject.gender));
    labels.genderIcon->setPixmap(genderPicture.isNull()
                                     ? QPixmap()
                                     : genderPicture.scaled(labels.genderIcon->size(),
                                                            Qt::KeepAspectRatioByExpanding,
                                                            Qt::FastTransformation));
    labels.age->setText(subject.age);
    labels.height->setText(subject.height);
    labels.weight->setText(subject.weight);
}
