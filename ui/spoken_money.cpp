// SPDX-License-Identifier: MIT
#include "ui/spoken_money.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace ui {

SpokenMoney::SpokenMoney(std::function<QString()> sentence, QObject* parent)
    : QObject(parent), sentence_(std::move(sentence)) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
}

void SpokenMoney::changed() {
    if (state_ != State::InCommand) {
        state_ = State::InCommand;
        if (!inCommand_) {
            QTimer::singleShot(0, this, &SpokenMoney::commandOver);
        }
    }
}

void SpokenMoney::commandStarted() {
    inCommand_ = true;
}

// Qt reports a new focus to screen readers just after this signal, so a description set here is
// read as part of the focus. A command may pass the focus on more than once (a hidden button
// hands it on before the hand takes it), so each focus carries it until the command is over.
void SpokenMoney::focusChanged(QWidget* now) {
    if (!carriers_.empty()) {
        // Given back only once the screen reader has moved on, so it is not read out again.
        QTimer::singleShot(0, this, &SpokenMoney::giveBack);
    }
    if (state_ != State::Told && now != nullptr) {
        carry(now);
        // A box's button, read after the box's text, is a focus that stays: the command goes on
        // only once the box is answered. Any other focus may yet be passed on or cut off by a box.
        if (state_ == State::AwaitingFocus || QApplication::activeModalWidget() == now->window()) {
            state_ = State::Told;
        }
    }
}

void SpokenMoney::commandOver() {
    inCommand_ = false;
    if (state_ != State::InCommand) {
        return;
    }
    QWidget* focused = QApplication::focusWidget();
    const QWidget* modal = QApplication::activeModalWidget();
    const bool settled = focused != nullptr && focused->isActiveWindow() &&
                         (modal == nullptr || modal == focused->window());
    if (!settled) {
        // A box has just closed, or is opening: the focus it gives carries it.
        state_ = State::AwaitingFocus;
        return;
    }
    if (!carries(focused)) {
        carry(focused); // heard as a change of the focused control's description
    }
    state_ = State::Told;
}

bool SpokenMoney::carries(const QWidget* widget) const {
    return std::any_of(carriers_.begin(), carriers_.end(),
                       [widget](const Carrier& carrier) { return carrier.widget == widget; }) &&
           widget->accessibleDescription() == sentence_();
}

void SpokenMoney::carry(QWidget* widget) {
    const bool known = std::any_of(carriers_.begin(), carriers_.end(),
                                   [widget](const Carrier& c) { return c.widget == widget; });
    if (!known) {
        carriers_.push_back({widget, widget->accessibleDescription()});
    }
    widget->setAccessibleDescription(sentence_());
}

void SpokenMoney::giveBack() {
    std::erase_if(carriers_, [](const Carrier& carrier) {
        if (carrier.widget == nullptr) {
            return true;
        }
        if (carrier.widget->hasFocus()) {
            return false;
        }
        carrier.widget->setAccessibleDescription(carrier.ownDescription);
        return true;
    });
}

} // namespace ui
