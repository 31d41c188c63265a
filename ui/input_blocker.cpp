// SPDX-License-Identifier: MIT
#include "ui/input_blocker.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace ui {
namespace {

bool isPlayerInput(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

constexpr const char* kLetThroughProperty = "zuvikLetThroughWhileCuesPlay";

bool isLetThrough(const QAction& action) {
    return action.property(kLetThroughProperty).toBool();
}

// The key of an action let through, on its way to the shortcut that the windows hold.
bool isLetThroughKey(const QEvent& event) {
    const auto& key = static_cast<const QKeyEvent&>(event);
    const QKeySequence pressed(key.keyCombination());
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        for (const QAction* action : window->actions()) {
            if (isLetThrough(*action) && action->shortcut() == pressed) {
                return true;
            }
        }
    }
    return false;
}

bool isLetThrough(const QObject* watched, const QEvent& event) {
    switch (event.type()) {
    case QEvent::Shortcut: {
        const auto* action = qobject_cast<const QAction*>(watched);
        return action != nullptr && isLetThrough(*action);
    }
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return isLetThroughKey(event);
    default:
        return false;
    }
}

} // namespace

void InputBlocker::letThrough(QAction& action) {
    action.setProperty(kLetThroughProperty, true);
}

InputBlocker::InputBlocker() {
    QCoreApplication::instance()->installEventFilter(this);
}

InputBlocker::~InputBlocker() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
    if (!isPlayerInput(*event) || isLetThrough(watched, *event)) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Accepted means "the focus widget wants this key itself": no shortcut is looked up, and
        // the key press that follows is thrown away like any other.
        event->accept();
    }
    return true;
}

} // namespace ui
