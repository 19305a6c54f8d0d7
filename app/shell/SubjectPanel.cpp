#include "SubjectPanel.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>

#include "AppConstants.h"
#include "SubjectRecord.h"

namespace {

// Room for the name beside its icon in the 200-240 px wide panel; longer names are elided.
constexpr int kNameRoomPx = 110;

QString withUnit(const QString& value, const char* unit) {
    return value.trimmed().isEmpty() ? QString() : QString("%1 %2").arg(value.trimmed(), unit);
}

}  // namespace

SubjectSummary subjectSummaryOf(const SubjectRecord& subject) {
    return {subject.name, subject.gender, subject.age, subject.height, subject.weight};
}

void showSubject(const SubjectPanelLabels& labels, const SubjectSummary& subject) {
    const QString images = app::resourceRoot() + app::kImageFolder;
    labels.nameIcon->setPixmap(QPixmap(images + "name.png"));
    labels.ageIcon->setPixmap(QPixmap(images + "age.png"));
    labels.heightIcon->setPixmap(QPixmap(images + "height.png"));
    labels.weightIcon->setPixmap(QPixmap(images + "weight.png"));
    labels.name->setText(
        QFontMetrics(labels.name->font()).elidedText(subject.name, Qt::ElideRight, kNameRoomPx));
    labels.name->setToolTip(subject.name);
    // Before a subject is chosen there is nobody to show: no gender guessed from nothing.
    const bool chosen = !subject.name.isEmpty();
    labels.gender->setText(chosen ? genderDisplayText(subject.gender) : QString());
    const QPixmap genderPicture(chosen ? genderPicturePath(subject.gender) : QString());
    labels.genderIcon->setPixmap(genderPicture.isNull()
                                     ? QPixmap()
                                     : genderPicture.scaled(labels.genderIcon->size(),
                                                            Qt::KeepAspectRatioByExpanding,
                                                            Qt::FastTransformation));
    labels.age->setText(withUnit(subject.age, "岁"));
    labels.height->setText(withUnit(subject.height, "cm"));
    labels.weight->setText(withUnit(subject.weight, "kg"));
}
