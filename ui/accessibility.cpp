// SPDX-License-Identifier: MIT
#include "ui/accessibility.h"
#include "ui/hand_box.h"
#include "ui/utf8.h"

#include "game/controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QTextCursor>
#include <QWidget>

#include <mutex>
#include <string_view>

namespace ui {
namespace {

// What a money caption counts. Kept on the label itself, so the accessible name is built from
// the caption as it is when read, however and whenever the caption changes.
constexpr const char* kSpokenAsProperty = "zuvikSpokenAs";

// A money caption read out as "Ваши деньги: 900". QLabel announces every change of its text
// as a change of name while it has no fixed accessible name, so a screen reader hears each
// new amount.
class MoneyCaptionAccessible final : public QAccessibleWidget {
public:
    explicit MoneyCaptionAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name) {
            return QAccessibleWidget::text(kind);
        }
        const auto* label = static_cast<const QLabel*>(widget());
        const QString spokenAs = label->property(kSpokenAsProperty).toString();
        const QString amount = label->text().trimmed();
        // An empty caption (the stake before the first bet of a match) is read as nothing
        // there, rather than as the bare words of the fixed label beside it.
        return spokenAs + QStringLiteral(": ") +
               (amount.isEmpty() ? QStringLiteral("ничего") : amount);
    }
};

// The hand as a screen reader reads it: the whole hand is one line, however the box wraps it on
// the screen, so the line under the caret (read when the focus comes to the hand, at the deal's
// start and after each «Еще») names every card, the new one whole.
class HandAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit HandAccessible(HandBox* hand) : QAccessibleWidget(hand, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        const QTextCursor cursor = hand()->textCursor();
        if (index == 0 && cursor.hasSelection()) {
            *start = cursor.selectionStart();
            *end = cursor.selectionEnd();
        }
    }
    [[nodiscard]] int selectionCount() const override {
        return hand()->textCursor().hasSelection() ? 1 : 0;
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { setCursorPosition(cursorPosition()); }
    void setSelection(int, int start, int end) override {
        QTextCursor cursor = hand()->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        hand()->setTextCursor(cursor);
    }
    [[nodiscard]] int cursorPosition() const override { return hand()->textCursor().position(); }
    void setCursorPosition(int position) override {
        QTextCursor cursor = hand()->textCursor();
        cursor.setPosition(position);
        hand()->setTextCursor(cursor);
    }
    [[nodiscard]] QString text(int start, int end) const override {
        return hand()->toPlainText().mid(start, end - start);
    }
    [[nodiscard]] QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                                       int* start, int* end) const override {
        if (boundary != QAccessible::LineBoundary && boundary != QAccessible::ParagraphBoundary) {
            return QAccessibleTextInterface::textAtOffset(offset, boundary, start, end);
        }
        // Qt's bridge takes a line's last character for its end of line: give it a blank.
        *start = 0;
        *end = characterCount();
        return hand()->toPlainText() + QLatin1Char(' ');
    }
    [[nodiscard]] int characterCount() const override {
        return static_cast<int>(hand()->toPlainText().size());
    }
    [[nodiscard]] QRect characterRect(int offset) const override {
        QTextCursor cursor = hand()->textCursor();
        cursor.setPosition(offset);
        const QRect rect = hand()->cursorRect(cursor);
        return {hand()->viewport()->mapToGlobal(rect.topLeft()), rect.size()};
    }
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override {
        return hand()->cursorForPosition(hand()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int, int) override { hand()->ensureCursorVisible(); }
    [[nodiscard]] QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    [[nodiscard]] HandBox* hand() const { return static_cast<HandBox*>(widget()); }
};

QAccessibleInterface* handFactory(const QString&, QObject* object) {
    auto* hand = qobject_cast<HandBox*>(object);
    return hand != nullptr ? new HandAccessible(hand) : nullptr;
}

QAccessibleInterface* moneyCaptionFactory(const QString&, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (label == nullptr || !label->property(kSpokenAsProperty).isValid()) {
        return nullptr;
    }
    return new MoneyCaptionAccessible(label);
}

// With accessibility already on, Qt may have made and cached a control's plain interface while
// the window was being built; drop it so the next reader gets ours.
template <typename Ours> void dropPlainInterface(QWidget* control) {
    QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(control);
    if (cached != nullptr && dynamic_cast<Ours*>(cached) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
    }
}

} // namespace

void nameControlsForScreenReaders(QWidget& form) {
    // Qt keeps its accessibility factories for the whole run; one registration serves every
    // window, and the factory only answers for labels marked below.
    static std::once_flag registered;
    std::call_once(registered, [] {
        QAccessible::installFactory(moneyCaptionFactory);
        QAccessible::installFactory(handFactory);
    });

    for (const game::ControlRow& row : game::kControls) {
        auto* control = form.findChild<QWidget*>(fromUtf8(row.name));
        if (control == nullptr) {
            continue;
        }
        if (!row.description.empty()) {
            control->setAccessibleDescription(fromUtf8(row.description));
        }
        if (!row.showsMoney) {
            if (!row.spokenName.empty()) {
                control->setAccessibleName(fromUtf8(row.spokenName));
            }
            continue;
        }
        control->setProperty(kSpokenAsProperty, fromUtf8(row.spokenName));
        dropPlainInterface<MoneyCaptionAccessible>(control);
    }
    if (auto* hand = form.findChild<HandBox*>()) {
        dropPlainInterface<HandAccessible>(hand);
    }
}

} // namespace ui
