#include "DataRepots.h"

#include <QMessageBox>
#include <QPdfDocument>
#include <QPdfView>
#include <QTabWidget>
#include <cstdio>

#include "AppConstants.h"
#include "CurrentSubjectFile.h"
#include "GlobalState.h"
#include "ReportTable.h"
#include "dataAnalysis.h"
#include "ui_DataRepots.h"

namespace {

ReportSubject reportSubjectOf(const SubjectRecord& s) {
    return {s.name,         s.uniqueCode,  genderDisplayText(s.gender), s.age, s.height, s.weight,
            s.dominantSide, s.affectedSide};
}

}  // namespace

DataRepots::DataRepots(QWidget* parent) : QWidget(parent), ui_(new Ui::DataRepots) {
    ui_->setupUi(this);
    connect(ui_->comboBox, SIGNAL(currentIndexChanged(int)), this,
            SLOT(sltComboBoxDeviceCurrentTextChanged(int)));
}

DataRepots::~DataRepots() { delete ui_; }

void DataRepots::loadCurrentSubject() {
    subject_ = reportSubjectOf(chosenSubject_ ? *chosenSubject_
                                              : readCurrentSubject(currentSubjectIniPath()));
}

bool DataRepots::composeReport(const QString& pdfPath, const ReportInfo& info,
                               const QString& screenshotFolder) {
    loadCurrentSubject();
    const dataAnalysis* balance = globalState().balanceAnalysisView;
    const ReportContent content{
        info,
        subject_,
        readReportMaker(reportMakerIniPath()),
        reportTableCells(balance ? balance->getResultTableWidget() : nullptr),
        screenshotFolder,
        app::resourceRoot() + app::kImageFolder,
        balance ? balance->posturography().results : std::nullopt};
    const ComposedReport report = composeReportPdf(pdfPath, content);
    if (!report.written) {
        std::fprintf(stderr, "report: %s\n", qPrintable(report.problem));
        if (problemBoxes_)
            QMessageBox::warning(this, "提示",
                                 QString("数据报告无法保存：%1\n%2").arg(pdfPath, report.problem));
        return false;
    }
    displayReports(pdfPath);
    emit reportComposed(pdfPath);
    return true;
}

void DataRepots::displayReports(QString filePath) {
    if (QTabWidget* tabs = globalState().mainTabWidget) tabs->setCurrentIndex(3);
    auto* document = new QPdfDocument(this);
    document->load(filePath);
    ui_->labelTotalPage->setText(QString::number(document->pageCount()));
    ui_->tabContext->setPageMode(QPdfView::MultiPage);
    // The zoom chosen in the combo box stays in force for the next report.
    ui_->tabContext->setZoomMode(QPdfView::CustomZoom);
    ui_->tabContext->setZoomFactor(chosenZoom());
    ui_->tabContext->setDocument(document);
    delete document_;
    document_ = document;
}

int DataRepots::shownPageCount() const { return document_ ? document_->pageCount() : 0; }

double DataRepots::zoomFactor() const { return ui_->tabContext->zoomFactor(); }

double DataRepots::chosenZoom() const {
    const QString text = ui_->comboBox->currentText();
    if (text == "90%") return 0.9;
    if (text == "80%") return 0.8;
    if (text == "70%") return 0.7;
    if (text == "60%") return 0.6;
    return 1.0;
}

void DataRepots::sltComboBoxDeviceCurrentTextChanged(int) {
    ui_->tabContext->setZoomFactor(chosenZoom());
}
