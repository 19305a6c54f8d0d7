#include "openSubjectDatabase.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include "AppConstants.h"

std::unique_ptr<SubjectDatabase> openSubjectDatabase(const QString& connectionName,
                                                     const QString& databasePath) {
    auto database = std::make_unique<SubjectDatabase>(connectionName, databasePath);
    const QString error = database->open();
    if (error.isEmpty()) return database;
    std::printf("%s\r\n", error.toLocal8Bit().constData());
    std::fflush(stdout);
    QMessageBox box(QMessageBox::Critical, "Tessaly", error, QMessageBox::Ok);
    box.setInformativeText("用户数据库无法使用，程序将退出。");
    box.setWindowIcon(QIcon(app::resourcePath("images/logo.ico")));
    box.button(QMessageBox::Ok)->setText("确定");
    box.exec();
    std::exit(EXIT_FAILURE);
}
