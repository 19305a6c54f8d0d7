// Answers the modal dialogs that a widget action opens, so that GUI tests run unattended.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

// Runs action; the first modal dialog of type Dialog that opens meanwhile is given to handle,
// which must close it. Returns whether such a dialog appeared.
template <typename Dialog>
bool answeringModal(const std::function<void(Dialog*)>& handle,
                    const std::function<void()>& action) {
    bool seen = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || seen) return;
        seen = true;
        handle(dialog);
    });
    poll.start();
    action();
    poll.stop();
    return seen;
}

struct SeenMessage {
    bool shown = false;
    QString title;
    QString text;
};

// Runs action and presses the first button of the message box it shows, if any.
inline SeenMessage messageDuring(const std::function<void()>& action) {
    SeenMessage message;
    message.shown = answeringModal<QMessageBox>(
        [&](QMessageBox* box) {
            message.title = box->windowTitle();
            message.text = box->text();
            box->buttons().first()->click();
        },
        action);
    return message;
}
