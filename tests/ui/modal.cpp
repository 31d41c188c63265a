// SPDX-License-Identifier: MIT
#include "modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QTimer>

namespace ui::test {

void whenModalAppears(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer(qApp);
    const QDeadlineTimer deadline(5000);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, deadline, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        } else if (deadline.hasExpired()) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(10);
}

void typeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QCoreApplication::sendEvent(widget, &key);
        }
    }
}

QAbstractButton* buttonWithText(QWidget* dialog, const QString& text) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->text().remove(QLatin1Char('&')) == text) {
            return button;
        }
    }
    return nullptr;
}

} // namespace ui::test
