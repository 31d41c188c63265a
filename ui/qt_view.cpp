// SPDX-License-Identifier: MIT
#include "ui/qt_view.h"

#include "ui/dialogs.h"
#include "ui/form1.h"
#include "ui/hand_box.h"
#include "ui/utf8.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QStringList>

namespace ui {
namespace {

// The boxes without a title of their own show the application's.
QString titleOrApplication(std::string_view title) {
    return title.empty() ? QGuiApplication::applicationDisplayName() : fromUtf8(title);
}

} // namespace

QtView::QtView(Form1& form, Dialogs& dialogs)
    : form_(form), dialogs_(dialogs), spokenMoney_([this] { return moneySentence(); }, &form) {}

void QtView::setCaption(game::Control control, std::string_view text) {
    QWidget* widget = form_.control(control);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const QString caption = fromUtf8(text);
        if (game::kControls[static_cast<std::size_t>(control)].showsMoney &&
            label->text() != caption) {
            spokenMoney_.changed();
        }
        label->setText(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(fromUtf8(text));
    } else {
        setHandText(text);
    }
}

// A button that ends its phase is usually the one with the focus, and Qt leaves the focus of a
// hidden widget behind on it when nothing else is shown yet, where a player on the keyboard (or a
// screen reader) cannot reach anything. So once the new phase shows, its first control in tab
// order takes the focus over: "25" for the bets, "Делайте ставки" for the betting. A focus on a
// control that stays (the bet button of a refused bet, the hand) is left where it is.
void QtView::showPhase(game::Phase phase) {
    handOwedFocus_ = false;
    const QWidget* focused = form_.focusWidget();
    bool focusStays = focused != nullptr && focused->isVisibleTo(&form_);
    const game::ControlRow* first = nullptr; // of the phase, in tab order
    for (const game::ControlRow& row : game::kControls) {
        QWidget* widget = form_.control(row.control);
        if (!row.shownIn.contains(phase)) {
            focusStays = focusStays && widget != focused;
            widget->setVisible(false);
        } else if (row.kind != game::ControlKind::Label &&
                   (first == nullptr || row.tabIndex < first->tabIndex)) {
            first = &row;
        }
    }
    for (const game::ControlRow& row : game::kControls) {
        if (row.shownIn.contains(phase)) {
            form_.control(row.control)->setVisible(true);
        }
    }
    // An empty hand says nothing useful: its cards will bring the focus to it.
    if (!focusStays && first != nullptr && first->control == game::Control::Text1 &&
        !form_.hand()->hasCards()) {
        handOwedFocus_ = true;
        return;
    }
    if (!focusStays && first != nullptr) {
        form_.control(first->control)->setFocus(Qt::OtherFocusReason);
    }
}

std::string QtView::handText() const {
    return form_.hand()->toPlainText().toStdString();
}

void QtView::setHandText(std::string_view text) {
    const QString cards = fromUtf8(text);
    HandBox* hand = form_.hand();
    if (handOwedFocus_ && !cards.isEmpty()) {
        // The focus first, as the rules give it before a card: a screen reader that learns of
        // the cards before the focus takes the hand for its focus already and says nothing.
        handOwedFocus_ = false;
        hand->setFocusPolicy(Qt::StrongFocus);
        hand->setFocus(Qt::OtherFocusReason);
    }
    hand->setPlainText(cards);
}

void QtView::focusHand() {
    handOwedFocus_ = !form_.hand()->hasCards();
    if (!handOwedFocus_) {
        form_.hand()->setFocus(Qt::OtherFocusReason);
    }
}

int QtView::messageBox(std::string_view prompt, game::Buttons buttons, std::string_view title) {
    return dialogs_.messageBox(dialogParent(), titleOrApplication(title), fromUtf8(prompt),
                               buttons);
}

std::string QtView::inputBox(std::string_view prompt) {
    const std::optional<QString> typed =
        dialogs_.inputBox(dialogParent(), titleOrApplication({}), fromUtf8(prompt));
    return typed ? typed->toStdString() : std::string();
}

QString QtView::moneySentence() const {
    QStringList parts;
    for (const game::ControlRow& row : game::kControls) {
        if (row.showsMoney) {
            const QString amount = qobject_cast<QLabel*>(form_.control(row.control))->text();
            QString part =
                fromUtf8(row.spokenName) + QLatin1Char(' ') +
                (amount.trimmed().isEmpty() ? QStringLiteral("ничего") : amount.trimmed());
            if (!parts.isEmpty()) {
                part[0] = part[0].toLower();
            }
            parts.append(part);
        }
    }
    return parts.join(QStringLiteral(", "));
}

void QtView::terminate() {
    form_.setEnabled(false);
    form_.hide();
}

QWidget* QtView::dialogParent() const {
    // Before the window is first shown (the greeting) a box stands on its own, so that it gets
    // a place in the task bar and is not tied to a window nobody can see.
    return form_.isVisible() ? &form_ : nullptr;
}

} // namespace ui
