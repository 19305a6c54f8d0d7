// Opens the subject dialog where the subjects database cannot be one (a folder of that name)
// and prints what the user was shown before the program ended.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "AppConstants.h"
#include "GaitAddUser.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDir().mkpath(app::subjectDatabase());  // in the probe's own data folder
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
