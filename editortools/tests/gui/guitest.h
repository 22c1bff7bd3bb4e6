// Helpers of the widget tests: answering the next modal dialog from the event loop, so that no
// box waits for a user.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Calls answer with the first modal widget that opens (polled every few milliseconds).
inline void WhenModalOpens(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}
