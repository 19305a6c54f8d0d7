// The modal dialog that adds a subject or, after loadSubjectForEdit, changes one.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class SubjectDatabase;
namespace Ui {
class GaitAddUser;
}

class GaitAddUser : public QDialog {
    Q_OBJECT
public:
    explicit GaitAddUser(QWidget* parent = nullptr);
    ~GaitAddUser() override;

    // Modify mode: shows the stored subject with this code; the code itself cannot be changed.
    void loadSubjectForEdit(const QString& uniqueCode);

public slots:
    // Validates, then stores; the dialog is accepted only when the database took the subject.
    void slotClickRegist();
    void slotNameUserFilter(QString s);
    void slotsActionCloseWindows();

private:
    // The text is shown at least 500 pixels wide.
    void notice(const QString& text);
    // Shows the notice and puts the focus into the field; always false.
    bool refuse(QWidget* field, const QString& text);
    bool collectFields();

    Ui::GaitAddUser* ui_;
    std::unique_ptr<SubjectDatabase> database_;
    QString uniqueCode_, name_, gender_, birthDate_, age_, height_, weight_, dominantSide_,
        affectedSide_;
    QString modifyCode_;  // null in add mode
};
