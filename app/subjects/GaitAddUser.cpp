#include "GaitAddUser.h"

#include <QDate>
#include <QRegularExpressionValidator>

#include "AppConstants.h"
#include "SubjectDatabase.h"
#include "SubjectMessageBoxes.h"
#include "SubjectRecord.h"
#include "openSubjectDatabase.h"
#include "ui_GaitAddUser.h"

namespace {
constexpr int kNoticeWidth = 500;
const char* const kDateFormat = "yyyy-MM-dd";

void selectText(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    if (index >= 0) box->setCurrentIndex(index);
}
}  // namespace

GaitAddUser::GaitAddUser(QWidget* parent) : QDialog(parent), ui_(new Ui::GaitAddUser) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    database_ = openSubjectDatabase("gaituser");
    connect(ui_->registerGaitAddUser, &QPushButton::clicked, this, &GaitAddUser::slotClickRegist);
    connect(ui_->pushButtonClose, &QPushButton::clicked, this,
            &GaitAddUser::slotsActionCloseWindows);
    ui_->registerGaitAddUser->setStyleSheet(app::kButtonStyleSheet);
    ui_->pushButtonClose->setStyleSheet(app::kButtonStyleSheet);
    ui_->dateEditUserInfo->setDisplayFormat(kDateFormat);
    // Typing is kept to numbers with one decimal; the range is checked on saving. A stored
    // record's non-number is still shown when it is edited (the validator checks keystrokes only).
    for (QLineEdit* measure : {ui_->weightUserInfo, ui_->heightUserInfo})
        measure->setValidator(
            new QRegularExpressionValidator(QRegularExpression("^\\d{0,3}(\\.\\d?)?$"), measure));
}

GaitAddUser::~GaitAddUser() { delete ui_; }

void GaitAddUser::loadSubjectForEdit(const QString& uniqueCode) {
    modifyCode_ = uniqueCode;
    setWindowTitle("修改用户");
    ui_->binglihao->setEnabled(false);
    ui_->binglihao->setText(uniqueCode);
    const std::optional<StoredSubject> stored = database_->find(uniqueCode);
    if (!stored) return;
    ui_->nameUserInfo->setText(stored->name);
    (stored->gender == "woman" ? ui_->radioButton_woman : ui_->radioButton_man)->setChecked(true);
    ui_->dateEditUserInfo->setDate(QDate::fromString(stored->birthDate, kDateFormat));
    ui_->weightUserInfo->setText(stored->weight);
    ui_->heightUserInfo->setText(stored->height);
    selectText(ui_->youshiceUserInput, stored->dominantSide);
    selectText(ui_->huanceInput, stored->affectedSide);
}

void GaitAddUser::notice(const QString& text) { showNotice(this, text, kNoticeWidth); }

bool GaitAddUser::refuse(QWidget* field, const QString& text) {
    notice(text);
    field->setFocus();
    return false;
}

// Reads the form into the members; false (with a notice) when a required field is empty or a
// measure is no number in its range.
bool GaitAddUser::collectFields() {
    const QString code = ui_->binglihao->text().trimmed().remove(' ');
    if (code.isEmpty()) return refuse(ui_->binglihao, "请输入唯一码!");
    const QString name = ui_->nameUserInfo->text();
    const QString birthDate = ui_->dateEditUserInfo->text();
    const QString height = ui_->heightUserInfo->text();
    const QString weight = ui_->weightUserInfo->text();
    if (name.isEmpty()) return refuse(ui_->nameUserInfo, "请输入姓名!");
    if (weight.isEmpty()) return refuse(ui_->weightUserInfo, "体重不能为空");
    if (height.isEmpty()) return refuse(ui_->heightUserInfo, "身高不能为空");
    const QString weightKg = storedMeasure(weight, kWeightRangeKg);
    if (weightKg.isNull())
        return refuse(ui_->weightUserInfo, "体重请输入 20–300 之间的数字（kg，至多一位小数）!");
    const QString heightCm = storedMeasure(height, kHeightRangeCm);
    if (heightCm.isNull())
        return refuse(ui_->heightUserInfo, "身高请输入 50–250 之间的数字（cm，至多一位小数）!");

    uniqueCode_ = code;
    name_ = name;
    gender_ = ui_->radioButton_woman->isChecked() ? "woman" : "man";
    birthDate_ = birthDate;
    age_ = QString::number(subjectAge(birthDate, QDate::currentDate().year()));
    height_ = heightCm;
    weight_ = weightKg;
    dominantSide_ = ui_->youshiceUserInput->currentText();
    affectedSide_ = ui_->huanceInput->currentText();
    return true;
}

void GaitAddUser::slotClickRegist() {
    if (!collectFields()) return;
    const StoredSubject subject{uniqueCode_, name_,   gender_,       birthDate_,
                                height_,     weight_, dominantSide_, affectedSide_};
    if (modifyCode_.isNull()) {
        if (database_->codeExists(uniqueCode_)) {
            ui_->binglihao->clear();
            refuse(ui_->binglihao, "唯一码已经存在，请重新输入!");
            return;
        }
        const QString error = database_->insert(subject);
        // A subject that did not reach the database must not look stored: the dialog stays
        // open with everything typed, so the user can retry.
        if (!error.isEmpty()) return notice("用户信息录入失败：" + error);
        notice("用户信息录入完毕!");
    } else {
        StoredSubject changed = subject;
        changed.uniqueCode = modifyCode_;
        const QString error = database_->update(changed);
        if (!error.isEmpty()) return notice("用户信息修改失败：" + error);
        notice("用户信息修改完毕!");
    }
    accept();
}

void GaitAddUser::slotNameUserFilter(QString s) { ui_->nameUserInfo->setText(s); }

void GaitAddUser::slotsActionCloseWindows() { close(); }
