// Report viewer page of the fourth central tab, and the composer of new reports: it keeps the
// current subject's display strings for the title block and shows every report it writes.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "ReportComposer.h"
#include "ReportInfo.h"
#include "SubjectRecord.h"

class QPdfDocument;
namespace Ui {
class DataRepots;
}

class DataRepots : public QWidget {
    Q_OBJECT
public:
    explicit DataRepots(QWidget* parent = nullptr);
    ~DataRepots() override;

    // Writes the report to pdfPath from info, the current subject, the screenshots in
    // screenshotFolder and the balance view's parameter table, then shows it. A report that
    // cannot be written is reported in a message box; returns whether it was written.
    bool composeReport(const QString& pdfPath, const ReportInfo& info,
                       const QString& screenshotFolder);
    // Refreshes the subject strings from the current-subject file (or the subject given to
    // useReportSubject).
    void loadCurrentSubject();
    const ReportSubject& reportSubject() const { return subject_; }
    // Batch reports name their subject instead of taking the current one.
    void useReportSubject(const SubjectRecord& subject) { chosenSubject_ = subject; }
    // Batch runs have nobody to answer a message box: problems then go to stderr only.
    void setProblemsShownInMessageBoxes(bool shown) { problemBoxes_ = shown; }

    // The page count of the shown report (0 for none or an unreadable file).
    int shownPageCount() const;
    double zoomFactor() const;

signals:
    // A new report has been written to pdfPath.
    void reportComposed(QString pdfPath);

public slots:
    void displayReports(QString filePath);
    void sltComboBoxDeviceCurrentTextChanged(int);

private:
    double chosenZoom() const;

    Ui::DataRepots* ui_;
    QPdfDocument* document_ = nullptr;
    ReportSubject subject_;
    std::optional<SubjectRecord> chosenSubject_;
    bool problemBoxes_ = true;
};
