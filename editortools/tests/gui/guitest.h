// Helpers of the widget tests: answering the next modal dialog from the event loop, so that no
// box waits for a user.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

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

// Answers every message box that opens, with the button, until it goes; counts the boxes.
class BoxAnswerer {
public:
    explicit BoxAnswerer(int button) {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box == answered) return;
            answered = box;
            texts.push_back(box->text());
            QMetaObject::invokeMethod(box->button(QMessageBox::StandardButton(button)), "click", Qt::QueuedConnection);
        });
        timer.start();
    }
    std::vector<QString> texts;

private:
    QTimer timer;
    QPointer<QMessageBox> answered;
};
