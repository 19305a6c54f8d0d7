#include "AnimationRename.h"

#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "AppConstants.h"
#include "RecordingRename.h"
#include "ui_AnimationRename.h"

AnimationRename::AnimationRename(QWidget* parent) : QDialog(parent), ui_(new Ui::AnimationRename) {
    ui_->setupUi(this);
    setWindowIcon(QIcon(app::resourcePath("images/logo.png")));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui_->PBTN_confirm->setStyleSheet(app::kButtonStyleSheet);
    ui_->PBTN_cancle->setStyleSheet(app::kButtonStyleSheet);
    ui_->LE_newFileName->installEventFilter(this);
    connect(ui_->PBTN_confirm, &QPushButton::clicked, this, &AnimationRename::confirm);
    connect(ui_->PBTN_cancle, &QPushButton::clicked, this, &AnimationRename::cancle);
}

AnimationRename::~AnimationRename() { delete ui_; }

void AnimationRename::setFilePath(const QString& path) {
    originalPath_ = currentPath_ = path;
    const QFileInfo info(path);
    ui_->LE_newFileName->setText(info.completeBaseName());
    ui_->label_2->setText("." + info.suffix());
}

bool AnimationRename::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->LE_newFileName) {
        if (event->type() == QEvent::FocusIn) {
            std::printf("Focus in!\r\n");
            // After the focus event the line edit places the cursor; select afterwards.
            QTimer::singleShot(0, ui_->LE_newFileName, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::FocusOut) {
            std::printf("Focus out!\r\n");
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AnimationRename::showProblem(const QString& text) {
    ui_->legalCheckLabel->setText(text);
    ui_->legalCheckLabel->setStyleSheet("QLabel#legalCheckLabel {color: red;}");
}

void AnimationRename::confirm() {
    const RenameResult result =
        renameWithCompanions(currentPath_, ui_->LE_newFileName->text(),
                             renamesCompanions_ ? companionExtensions() : QStringList());
    switch (result.status) {
        case RenameResult::Status::EmptyName:
            showProblem("文件名不能为空");
            return;
        case RenameResult::Status::InvalidName:
            showProblem("文件名不能包含 / 或 \\");
            return;
        case RenameResult::Status::HiddenName:
            showProblem("文件名不能以 . 开头");
            return;
        case RenameResult::Status::TargetExists:
            showProblem("当前文件夹下已存在同名文件");
            return;
        case RenameResult::Status::RenameFailed:
            showProblem("重命名失败，请检查文件是否被占用");
            return;
        case RenameResult::Status::Renamed:
        case RenameResult::Status::SourceMissing:
            currentPath_ = result.path;
            close();
            return;
    }
}

void AnimationRename::cancle() {
    currentPath_ = originalPath_;
    close();
}
