#include "ViewHelpers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLayout>
#include <QScrollArea>
#include <QStringList>
#include <QTimer>
#include <QWidget>

void makeFixedSquare(QWidget* widget, int side, int margin) {
    widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    widget->setFixedSize(side, side);
    widget->setMinimumSize(side, side);
    widget->setMaximumSize(side, side);
    widget->move(margin, margin);
}

void scrollWhenTooSmall(QWidget* content) {
    QLayout* layout = content->parentWidget()->layout();
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    delete layout->replaceWidget(content, area);
    area->setWidget(content);
}

void waitProcessingEvents(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void removeFilesLater(const QStringList& paths, int delayMs) {
    QTimer::singleShot(delayMs, QCoreApplication::instance(), [paths] {
        for (const QString& path : paths) QFile::remove(path);
    });
}
