// The modal dialog that lists every subject and lets the user choose one, add one, or modify
// and delete one from its row.
#pragma once

#include <QDialog>
#include <memory>

class SubjectDatabase;
struct StoredSubject;
struct SubjectRecord;
namespace Ui {
class GaitChoseUser;
}

class GaitChoseUser : public QDialog {
    Q_OBJECT
public:
    // Every row click copies that row into *record; the caller applies it only when the
    // dialog ends accepted.
    GaitChoseUser(SubjectRecord* record, QWidget* parent = nullptr);
    ~GaitChoseUser() override;

public slots:
    void slotsActionClose();
    void slotActionOnConfirmSelection();
    void slotsActionChoseRow(int row, int column);
    void slotsActionModification();
    void slotsActionDelete();
    void slotActionOnAddNew();

private:
    void setUpTable();
    void refreshSubjectTable();
    void fillRow(int row, const StoredSubject& subject, int currentYear);
    void copyRowToRecord();

    Ui::GaitChoseUser* ui_;
    std::unique_ptr<SubjectDatabase> database_;
    int selectedRow_ = -1;
    SubjectRecord* record_;
};
