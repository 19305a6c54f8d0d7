// Answers modal dialogs and message boxes that a test's click opens: the action runs on the
// next modal widget of the wanted type, found by polling while the dialog's own event loop
// runs. Gives up (with a warning) after five seconds.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <QtTest>
#include <functional>

template <typename T>
void whenModal(std::function<void(T*)> action) {
    auto* timer = new QTimer(qApp);
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action] {
        T* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        const bool found = modal && modal->isVisible();
        if (!found && clock->elapsed() < 5000) return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (found)
            action(modal);
        else
            qWarning("no modal %s appeared", T::staticMetaObject.className());
    });
    timer->start(20);
}

// What a message box showed before the test pressed one of its buttons.
struct SeenBox {
    QString title;
    QString text;
    QStringList buttons;  // button texts
    int width = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Presses button on the next message box and records what it showed into *seen (if given).
inline void answerMessageBox(QMessageBox::StandardButton button, SeenBox* seen = nullptr,
                             std::function<void()> afterwards = {}) {
    whenModal<QMessageBox>([=](QMessageBox* box) {
        if (seen) {
            seen->title = box->windowTitle();
            seen->text = box->text();
            seen->buttons.clear();
            for (QAbstractButton* b : box->buttons()) seen->buttons << b->text();
            seen->width = box->width();
            seen->icon = box->icon();
        }
        if (afterwards) afterwards();
        QAbstractButton* target = box->button(button);
        if (target)
            target->click();
        else
            box->reject();
    });
}
