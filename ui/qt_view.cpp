// SPDX-License-Identifier: MIT
#include "ui/qt_view.h"

#include "ui/data_folders.h"
#include "ui/dialogs.h"
#include "ui/form1.h"
#include "ui/hand_box.h"
#include "ui/rules_file_reader.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>

namespace ui {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The boxes without a title of their own show the application's.
QString titleOrApplication(std::string_view title) {
    return title.empty() ? QGuiApplication::applicationDisplayName() : fromUtf8(title);
}

} // namespace

QtView::QtView(Form1& form, Dialogs& dialogs) : form_(form), dialogs_(dialogs) {}

void QtView::setCaption(game::Control control, std::string_view text) {
    QWidget* widget = form_.control(control);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(fromUtf8(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(fromUtf8(text));
    } else {
        setHandText(text);
    }
}

void QtView::setVisible(game::Control control, bool visible) {
    QWidget* widget = form_.control(control);
    widget->setVisible(visible);
    if (visible) {
        keepKeyboardFocusReachable(*widget);
    }
}

// A button that ends its phase hides itself, and the next phase's buttons are shown only after
// it; Qt then finds nothing to pass the focus on to and leaves it on the hidden button, where a
// player on the keyboard (or a screen reader) cannot reach anything. The first control of the
// new phase to appear takes it over: the rules show each set in tab order, so that is "25" for
// the bets and "Делайте ставки" for the betting. A focus still on a visible control (the bet
// button of a refused bet, the hand the openings focus) is left where it is.
void QtView::keepKeyboardFocusReachable(QWidget& shown) {
    const QWidget* focused = form_.focusWidget();
    if (focused != nullptr && focused->isVisibleTo(&form_)) {
        return;
    }
    if ((shown.focusPolicy() & Qt::TabFocus) == 0 || !shown.isEnabled()) {
        return;
    }
    shown.setFocus(Qt::OtherFocusReason);
}

std::string QtView::handText() const {
    return form_.hand()->toPlainText().toStdString();
}

void QtView::setHandText(std::string_view text) {
    form_.hand()->setPlainText(fromUtf8(text));
}

void QtView::focusHand() {
    form_.hand()->setFocus(Qt::OtherFocusReason);
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

game::RulesFile QtView::readRulesFile() {
    return ui::readRulesFile(dataFolders());
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
