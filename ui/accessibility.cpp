// SPDX-License-Identifier: MIT
#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

#include <mutex>

namespace ui {
namespace {

// What a money caption counts. Kept on the label itself, so the accessible name is built from
// the caption as it is when read, however and whenever the caption changes.
constexpr const char* kSpokenAsProperty = "zuvikSpokenAs";

struct Naming {
    const char* objectName;
    const char* name;        // empty: the control's own caption is its name
    const char* description; // what using the control does, or what the caption shows
};

constexpr Naming kNamings[] = {
    {"Text1", "Ваши карты", "Карты, которые вы взяли в этой раздаче"},
    {"Label3", "", "Имя игрока"},
    {"Command1", "Еще", "Взять ещё одну карту"},
    {"Command2", "Бери себе", "Хватит карт: компьютер берёт карты себе, и раздача решается"},
    {"Command3", "Еще", "Взять ещё одну карту"},
    {"Command4", "Мне хватит", "Больше не брать карт: раздача решается"},
    {"Command5", "Делайте ставки", "Выбрать ставку на следующую раздачу"},
    {"Command6", "Ставка 25", "Поставить 25 на кон"},
    {"Command7", "Ставка 50", "Поставить 50 на кон"},
    {"Command8", "Ставка 100", "Поставить 100 на кон"},
    {"Command9", "Ставка 200", "Поставить 200 на кон"},
};

struct MoneyCaption {
    const char* objectName;
    const char* spokenAs;
    const char* description;
};

constexpr MoneyCaption kMoneyCaptions[] = {
    {"Label4", "Ваши деньги", "Сколько денег у вас"},
    {"Label6", "Деньги компьютера", "Сколько денег у компьютера"},
    {"Label8", "На кону", "Сколько денег на кону в этой раздаче"},
};

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

    for (const Naming& naming : kNamings) {
        auto* control = form.findChild<QWidget*>(QString::fromLatin1(naming.objectName));
        if (control == nullptr) {
            continue;
        }
        if (*naming.name != '\0') {
            control->setAccessibleName(QString::fromUtf8(naming.name));
        }
        control->setAccessibleDescription(QString::fromUtf8(naming.description));
    }
    for (const MoneyCaption& caption : kMoneyCaptions) {
        auto* label = form.findChild<QLabel*>(QString::fromLatin1(caption.objectName));
        if (label == nullptr) {
            continue;
        }
        label->setProperty(kSpokenAsProperty, QString::fromUtf8(caption.spokenAs));
        label->setAccessibleDescription(QString::fromUtf8(caption.description));
        // With accessibility already on, Qt may have made and cached the label's plain
        // interface while the window was being built; drop it so the next reader gets ours.
        QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(label);
        if (cached != nullptr && dynamic_cast<MoneyCaptionAccessible*>(cached) == nullptr) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
        }
    }
}

} // namespace ui
