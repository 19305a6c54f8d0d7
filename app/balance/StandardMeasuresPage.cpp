#include "StandardMeasuresPage.h"

#include <QSettings>
#include <QTreeWidgetItem>

#include "AppConstants.h"
#include "AtomicWrite.h"
#include "MeasureTexts.h"
#include "ui_StandardMeasuresPage.h"

namespace {
const char* const kLowpassKey = "posturography/lowpassHz";
}  // namespace

StandardMeasuresPage::StandardMeasuresPage(double lowpassHz, QWidget* parent)
    : QWidget(parent), ui_(new Ui::StandardMeasuresPage) {
    ui_->setupUi(this);
    ui_->spinLowpass->setValue(lowpassHz);
    connect(ui_->spinLowpass, &QDoubleSpinBox::editingFinished, this,
            [this] { emit lowpassChanged(ui_->spinLowpass->value()); });
    showOutcome({});
}

StandardMeasuresPage::~StandardMeasuresPage() { delete ui_; }

double StandardMeasuresPage::lowpassHz() const { return ui_->spinLowpass->value(); }

void StandardMeasuresPage::showOutcome(const PosturographyOutcome& outcome) {
    QTreeWidget* tree = ui_->treeMeasures;
    tree->clear();
    if (!outcome.results) {
        ui_->labelPreprocessing->setText(QString::fromUtf8(outcome.reasonChinese));
        ui_->labelWarning->clear();
        return;
    }
    ui_->labelPreprocessing->setText(preprocessingLine(*outcome.results));
    ui_->labelWarning->setText(protocolWarning(*outcome.results));
    QTreeWidgetItem* group = nullptr;
    for (const MeasureRow& row : measureRows(*outcome.results)) {
        if (!group || group->text(0) != row.group) {
            group = new QTreeWidgetItem(tree, {row.group});
            group->setFirstColumnSpanned(true);
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
            group->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(group, {row.name, row.value});
        item->setToolTip(0, row.definition);
        item->setToolTip(1, row.definition);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    tree->resizeColumnToContents(0);
}

QString analysisSettingsIniPath() { return app::applicationIniPath("ConfigAnalysis.ini"); }

double readLowpassSetting(const QString& iniPath) {
    QSettings ini(iniPath, QSettings::IniFormat);
    bool ok = false;
    const double hz = ini.value(kLowpassKey, kDefaultLowpassHz).toDouble(&ok);
    return ok && hz >= 0 ? hz : kDefaultLowpassHz;
}

bool writeLowpassSetting(const QString& iniPath, double hz) {
    return updateIniFile(iniPath, [hz](QSettings& ini) { ini.setValue(kLowpassKey, hz); })
        .isEmpty();
}
