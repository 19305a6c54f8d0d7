#include "SubjectMessageBoxes.h"

#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include "AppConstants.h"

namespace {

void dress(QMessageBox& box, const QString& text) {
    box.setWindowIcon(QIcon(app::resourcePath("images/logo.ico")));
    box.setWindowTitle("Tessaly");
    box.setText(text);
    box.addButton(QMessageBox::Ok)->setText("确定");
    box.setDefaultButton(QMessageBox::Ok);
}

}  // namespace

void showNotice(QWidget* parent, const QString& text, int minimumWidth) {
    QMessageBox box(parent);
    dress(box, text);
    if (minimumWidth > 0) {
        // A message box sizes itself to its text; an empty row of the wanted width widens it.
        auto* grid = static_cast<QGridLayout*>(box.layout());
        grid->addItem(
            new QSpacerItem(minimumWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
            grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

bool askConfirmation(QWidget* parent, const QString& text) {
    QMessageBox box(parent);
    dress(box, text);
    box.addButton(QMessageBox::Cancel)->setText("取消");
    return box.exec() == QMessageBox::Ok;
}
