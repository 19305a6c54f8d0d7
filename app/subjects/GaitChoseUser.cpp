#include "GaitChoseUser.h"

#include <QDate>
#include <QHeaderView>
#include <QPushButton>
#include <iterator>

#include "AppConstants.h"
#include "GaitAddUser.h"
#include "SubjectDatabase.h"
#include "SubjectMessageBoxes.h"
#include "SubjectRecord.h"
#include "openSubjectDatabase.h"
#include "ui_GaitChoseUser.h"

namespace {

constexpr int kGenderRole = 101;  // the stored "man"/"woman" behind the shown "男"/"女"
constexpr int kModifyColumn = 8, kDeleteColumn = 9;
const char* const kRowButtonStyle =
    "QPushButton{font-family:Microsoft "
    "YaHei;background:rgba(255,255,255,0);width:100%;border:none;text-decoration:underline "
    "blue;}QPushButton:hover{font-family:Microsoft "
    "YaHei;background-color:rgb(190,230,253);text-decoration:underline #8a27cd;}";

struct Column {
    const char* header;
    int width;
};
const Column kColumns[] = {{"唯一码", 100},  {"姓名", 120},    {"性别", 45},   {"年龄", 45},
                           {"身高(cm)", 70}, {"体重(Kg)", 70}, {"优势侧", 70}, {"患侧", 70},
                           {"修改", 70},     {"删除", 70}};

QPushButton* rowButton(const QString& text) {
    auto* button = new QPushButton(text);
    button->setStyleSheet(kRowButtonStyle);
    button->setCursor(Qt::PointingHandCursor);
    button->setSizePolicy(QSizePolicy::Expanding, button->sizePolicy().verticalPolicy());
    return button;
}

}  // namespace

GaitChoseUser::GaitChoseUser(SubjectRecord* record, QWidget* parent)
    : QDialog(parent), ui_(new Ui::GaitChoseUser), record_(record) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setUpTable();
    database_ = openSubjectDatabase("gaituserChose");
    refreshSubjectTable();
    for (QPushButton* button : {ui_->pushButtonAdd, ui_->pushButtonOK, ui_->pushButtonClose})
        button->setStyleSheet(app::kButtonStyleSheet);
    connect(ui_->pushButtonClose, &QPushButton::clicked, this, &GaitChoseUser::slotsActionClose);
    connect(ui_->pushButtonOK, &QPushButton::clicked, this,
            &GaitChoseUser::slotActionOnConfirmSelection);
    connect(ui_->pushButtonAdd, &QPushButton::clicked, this, &GaitChoseUser::slotActionOnAddNew);
}

GaitChoseUser::~GaitChoseUser() { delete ui_; }

void GaitChoseUser::setUpTable() {
    QTableWidget* table = ui_->tableWidgetChoseUser;
    table->setColumnCount(int(std::size(kColumns)));
    QStringList headers;
    for (const Column& column : kColumns) headers << column.header;
    table->setHorizontalHeaderLabels(headers);
    for (int c = 0; c < table->columnCount(); ++c) table->setColumnWidth(c, kColumns[c].width);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->setVisible(false);
    connect(table, &QTableWidget::cellClicked, this, &GaitChoseUser::slotsActionChoseRow);
}

void GaitChoseUser::refreshSubjectTable() {
    const QList<StoredSubject> subjects = database_->listAll();
    QTableWidget* table = ui_->tableWidgetChoseUser;
    // Removing the rows releases their buttons later, so a row button may trigger this.
    table->setRowCount(0);
    table->setRowCount(subjects.size());
    const int year = QDate::currentDate().year();
    for (int row = 0; row < subjects.size(); ++row) fillRow(row, subjects[row], year);
    selectedRow_ = -1;
}

void GaitChoseUser::fillRow(int row, const StoredSubject& subject, int currentYear) {
    QTableWidget* table = ui_->tableWidgetChoseUser;
    const QString texts[] = {subject.uniqueCode,
                             subject.name,
                             genderDisplayText(subject.gender),
                             QString::number(subjectAge(subject.birthDate, currentYear)),
                             subject.height,
                             subject.weight,
                             subject.dominantSide,
                             subject.affectedSide};
    for (int column = 0; column < int(std::size(texts)); ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, column, item);
    }
    table->item(row, 2)->setData(kGenderRole, subject.gender);

    QPushButton* modify = rowButton("修改");
    modify->setProperty("medicalRecordNo", subject.uniqueCode);
    modify->setProperty("rowIndex", row);
    connect(modify, &QPushButton::clicked, this, &GaitChoseUser::slotsActionModification);
    table->setCellWidget(row, kModifyColumn, modify);
    QPushButton* remove = rowButton("删除");
    connect(remove, &QPushButton::clicked, this, &GaitChoseUser::slotsActionDelete);
    table->setCellWidget(row, kDeleteColumn, remove);
}

void GaitChoseUser::copyRowToRecord() {
    QTableWidget* table = ui_->tableWidgetChoseUser;
    auto text = [&](int column) { return table->item(selectedRow_, column)->text(); };
    *record_ = {text(0), text(1), table->item(selectedRow_, 2)->data(kGenderRole).toString(),
                text(3), text(4), text(5),
                text(6), text(7)};
}

void GaitChoseUser::slotsActionClose() { close(); }

void GaitChoseUser::slotActionOnConfirmSelection() {
    if (selectedRow_ < 0) {
        close();
        return;
    }
    copyRowToRecord();
    accept();
}

void GaitChoseUser::slotsActionChoseRow(int row, int /*column*/) {
    selectedRow_ = row;
    copyRowToRecord();
}

void GaitChoseUser::slotsActionModification() {
    const QString code = sender() ? sender()->property("medicalRecordNo").toString() : QString();
    if (code.isEmpty()) return;
    GaitAddUser dialog;
    dialog.loadSubjectForEdit(code);
    if (dialog.exec() == QDialog::Accepted) refreshSubjectTable();
}

void GaitChoseUser::slotsActionDelete() {
    auto* button = qobject_cast<QWidget*>(sender());
    if (!button) return;
    QTableWidget* table = ui_->tableWidgetChoseUser;
    const int row = table->indexAt(button->pos()).row();
    if (row < 0 || !table->item(row, 0)) return;
    const QString code = table->item(row, 0)->text();
    if (!database_->codeExists(code)) {
        showNotice(this, "输入的唯一码不存在！");
        return;
    }
    if (!askConfirmation(this, "删除不可恢复，请慎重删除！")) return;
    if (!database_->remove(code).isEmpty()) {
        showNotice(this, "删除错误，请查看日志！");
        return;
    }
    refreshSubjectTable();
    showNotice(this, "删除成功！");
}

void GaitChoseUser::slotActionOnAddNew() {
    GaitAddUser dialog;
    if (dialog.exec() == QDialog::Accepted) refreshSubjectTable();
}
