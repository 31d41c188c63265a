// SPDX-License-Identifier: MIT
#include "ui/qt_view.h"

#include "ui/dialogs.h"
#include "ui/form1.h"
#include "ui/hand_box.h"

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
    form_.control(control)->setVisible(visible);
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

void QtView::terminate() {
    terminated_ = true;
    form_.setEnabled(false);
    form_.hide();
}

QWidget* QtView::dialogParent() const {
    // Before the window is first shown (the greeting) a box stands on its own, so that it gets
    // a place in the task bar and is not tied to a window nobody can see.
    return form_.isVisible() ? &form_ : nullptr;
}

} // namespace ui
