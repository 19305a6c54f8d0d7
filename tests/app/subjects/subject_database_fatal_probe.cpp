// Opens the subject dialog where "./VuziRO.db" cannot be a database (a folder of that name)
// and prints what the user was shown before the program ended.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "GaitAddUser.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    static QTemporaryDir dir;  // static: removed also when the program ends through exit()
    QDir(dir.path()).mkpath("VuziRO.db");
    QDir::setCurrent(dir.path());
    auto* poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        std::printf("box shown: %s\n", box->text().toUtf8().constData());
        std::fflush(stdout);
        box->accept();
    });
    poll->start(20);
    QTimer::singleShot(5000, [] { std::exit(0); });  // no box: the output lacks the line
    GaitAddUser dialog;
    std::printf("dialog opened without a database\n");
    return 0;
}
