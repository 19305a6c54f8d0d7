#include "AboutTessaly.h"

#include <QFile>
#include <QPixmap>

#include "AppConstants.h"
#include "ui_AboutTessaly.h"

namespace {
constexpr int kReleaseYear = 2026, kReleaseMonth = 10, kReleaseDay = 26;
constexpr const char* kRightsNotice = "Copyright © 2026 VELTRIX. All rights reserved.";
}  // namespace

AboutTessaly::AboutTessaly(QWidget* parent) : QDialog(parent), ui_(new Ui::AboutTessaly) {
    ui_->setupUi(this);
    ui_->about_closeBtn->setStyleSheet(app::kButtonStyleSheet);
    connect(ui_->about_closeBtn, &QPushButton::clicked, this, &AboutTessaly::onClose);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    ui_->LBL_fullName->setText(app::kProductName);
    ui_->LBL_Version->setText(app::productVersion());
    ui_->LBL_releaseDate->setText(
        QString("%1年%2月%3日").arg(kReleaseYear).arg(kReleaseMonth).arg(kReleaseDay));
    ui_->LBL_compatibleHw->setText(app::kPlateModel);
    ui_->label_10->setText("Debian 12 / Linux");
    ui_->LBL_OfficialWebsite->setText(app::kCompanyWebsite);
    ui_->label_8->setText(kRightsNotice);
    ui_->label->setPixmap(QPixmap(app::resourcePath("images/logo.png")));

    // The notes box shows a readme placed beside the program; without one it would stand empty,
    // so it goes and the dialog takes the size of what it shows.
    QFile readme(app::resourcePath("readme_ch.txt"));
    const QString notes = readme.open(QIODevice::ReadOnly)
                              ? QString::fromUtf8(readme.readAll()).trimmed()
                              : QString();
    ui_->showTextEdit->setText(notes);
    ui_->showTextEdit->setVisible(!notes.isEmpty());
    if (notes.isEmpty()) {
        setMinimumSize(0, 0);
        adjustSize();
    }
}

AboutTessaly::~AboutTessaly() { delete ui_; }

void AboutTessaly::onClose() { close(); }
