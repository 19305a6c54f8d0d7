#include "SubjectPanel.h"

#include <QLabel>
#include <QPixmap>
#include <QSettings>

#include "AppConstants.h"

SubjectSummary readCurrentSubjectSummary() {
    QSettings ini(app::applicationIniPath("ConfigUserInfo.ini"), QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    auto read = [&](const char* key) {
        return ini.value(QString("currentUser/") + key, "").toString();
    };
    return {read("userName"), read("gender"), read("userAge"), read("userHeight"),
            read("userWeight")};
}

void showSubject(const SubjectPanelLabels& labels, const SubjectSummary& subject) {
    const QString images = QString(app::kResourceRoot) + app::kImageFolder;
    labels.nameIcon->setPixmap(QPixmap(images + "name.png"));
    labels.ageIcon->setPixmap(QPixmap(images + "age.png"));
    labels.heightIcon->setPixmap(QPixmap(images + "height.png"));
    labels.weightIcon->setPixmap(QPixmap(images + "weight.png"));
    labels.name->setText(subject.name);
    labels.gender->setText(subject.gender == "man" ? "男" : "女");
    const QPixmap genderPicture(images + subject.gender + app::kImageExtension);
    labels.genderIcon->setPixmap(genderPicture.isNull()
                                     ? QPixmap()
                                     : genderPicture.scaled(labels.genderIcon->size(),
                                                            Qt::KeepAspectRatioByExpanding,
                                                            Qt::FastTransformation));
    labels.age->setText(subject.age);
    labels.height->setText(subject.height);
    labels.weight->setText(subject.weight);
}
