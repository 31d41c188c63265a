// SPDX-License-Identifier: MIT
#include "ui/accessibility.h"
#include "ui/utf8.h"

#include "game/controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
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

QAccessibleInterface* moneyCaptionFactory(const QString&, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (label == nullptr || !label->property(kSpokenAsProperty).isValid()) {
        return nullptr;
    }
    return new MoneyCaptionAccessible(label);
}

} // namespace

void nameControlsForScreenReaders(QWidget& form) {
    // Qt keeps its accessibility factories for the whole run; one registration serves every
    // window, and the factory only answers for labels marked below.
    static std::once_flag registered;
    std::call_once(registered, [] { QAccessible::installFactory(moneyCaptionFactory); });

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
        // With accessibility already on, Qt may have made and cached the label's plain
        // interface while the window was being built; drop it so the next reader gets ours.
        QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(control);
        if (cached != nullptr && dynamic_cast<MoneyCaptionAccessible*>(cached) == nullptr) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
        }
    }
}

} // namespace ui
