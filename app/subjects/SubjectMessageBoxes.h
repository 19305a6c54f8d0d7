// The modal boxes of the subject dialogs: title "Tessaly", the program's icon, Chinese buttons.
#pragma once

#include <QString>

class QWidget;

// One "确定" button. minimumWidth widens the box (the add dialog's notices are 500 wide).
void showNotice(QWidget* parent, const QString& text, int minimumWidth = 0);

// "确定" (default) and "取消"; true exactly when "确定" was pressed.
bool askConfirmation(QWidget* parent, const QString& text);
