// SPDX-License-Identifier: MIT
#include "ui/form1.h"

#include "game/menus.h"
#include "game/table_look.h"
#include "game/titles.h"

#include "ui/accessibility.h"
#include "ui/fit_button.h"
#include "ui/fit_label.h"
#include "ui/hand_box.h"
#include "ui/hand_cards.h"
#include "ui/input_blocker.h"
#include "ui/scaled_table.h"
#include "ui/twips.h"
#include "ui/utf8.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {
namespace {

using game::Control;

// "Счет" fills its narrow box to the edge; the name should not run into it. At the size the
// window opens at; it grows with the table.
constexpr int kNameIndent = 3;
// «Счет» is wider than its box in the table's face; the table left of it, up to the edge, is
// free, and the caption may reach into it rather than be set narrower than the words below it.
constexpr int kScoreReachTwips = 567;

int scaledPixels(int twips, qreal factor) {
    return static_cast<int>(std::lround(twips * factor / kTwipsPerPixel));
}

// The captions lie on the felt; everything else keeps the desktop's colours.
void inkForTheFelt(QWidget& caption) {
    QPalette palette = caption.palette();
    const game::Rgb ink = game::kCaptionInk;
    palette.setColor(QPalette::WindowText, QColor(ink.r, ink.g, ink.b));
    caption.setPalette(palette);
}

std::size_t indexOf(Control control) {
    return static_cast<std::size_t>(control);
}

std::size_t menuIndexOf(game::Command command) {
    return static_cast<std::size_t>(command) - static_cast<std::size_t>(game::Command::NewMatch);
}

} // namespace

Form1::Form1(std::vector<std::filesystem::path> deckFiles, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(fromUtf8(game::kWindowTitle));

    auto* clientArea = new ScaledTable(QSize(kClientWidthTwips, kClientHeightTwips), this);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(clientArea);
    createControls(clientArea);
    clientArea->place(new HandCards(*text1_, std::move(deckFiles), clientArea), kHandCardsTwips);
    createMenus();
    nameControlsForScreenReaders(*this);
}

void Form1::createControls(ScaledTable* clientArea) {
    for (const game::ControlRow& row : game::kControls) {
        const QString caption = fromUtf8(row.caption);
        QWidget* widget = nullptr;
        switch (row.kind) {
        case game::ControlKind::Label: {
            auto* label = new FitLabel(caption, clientArea);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            inkForTheFelt(*label);
            if (row.control == Control::Label2) {
                label->setReachLeft(pixels(kScoreReachTwips));
                connect(clientArea, &ScaledTable::factorChanged, label, [label](qreal factor) {
                    label->setReachLeft(scaledPixels(kScoreReachTwips, factor));
                });
            }
            if (row.control == Control::Label3) {
                label->setIndent(kNameIndent);
                connect(clientArea, &ScaledTable::factorChanged, label, [label](qreal factor) {
                    label->setIndent(static_cast<int>(std::lround(kNameIndent * factor)));
                });
            }
            widget = label;
            break;
        }
        case game::ControlKind::Text:
            text1_ = new HandBox(clientArea);
            widget = text1_;
            break;
        case game::ControlKind::Button: {
            auto* button = new FitButton(caption, clientArea);
            // Enter on the focused button clicks it, as Space does.
            button->setAutoDefault(true);
            widget = button;
            break;
        }
        }
        widget->setObjectName(fromUtf8(row.name));
        const game::Twips& at = row.twips;
        clientArea->place(widget, QRect(at.left, at.top, at.width, at.height));
        widget->setVisible(row.shownIn.contains(game::kPhaseAtCreation));
        controls_.at(indexOf(row.control)) = widget;
    }
    setTabOrderOfControls();
}

// The labels never take the focus; the hand and the buttons take it in the order of their tab
// indexes.
void Form1::setTabOrderOfControls() {
    std::vector<const game::ControlRow*> focusable;
    for (const game::ControlRow& row : game::kControls) {
        if (row.kind != game::ControlKind::Label) {
            focusable.push_back(&row);
        }
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t next = 1; next < focusable.size(); ++next) {
        QWidget::setTabOrder(control(focusable[next - 1]->control),
                             control(focusable[next]->control));
    }
}

void Form1::createMenus() {
    QMenu* menu = nullptr;
    for (const game::MenuItemRow& row : game::kMenuItems) {
        if (menu == nullptr || menu->objectName() != fromUtf8(row.menuName)) {
            menu = menuBar()->addMenu(fromUtf8(row.menuCaption));
            menu->setObjectName(fromUtf8(row.menuName));
        }
        QAction* action = menu->addAction(fromUtf8(row.caption));
        action->setObjectName(fromUtf8(row.name));
        action->setShortcut(QKeySequence(fromUtf8(row.shortcut), QKeySequence::PortableText));
        // Held by the window as well, so the keys work whenever the window is active, also
        // where the menu bar lives outside it; a modal box keeps them from firing.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        if (row.command) {
            menuItems_.at(menuIndexOf(*row.command)) = action;
        } else {
            action->setCheckable(true);
            action->setChecked(true);
            soundSwitch_ = action;
            InputBlocker::letThrough(*action);
        }
    }
}

QAction* Form1::menuItem(game::Command command) const {
    return menuItems_.at(menuIndexOf(command));
}

QWidget* Form1::control(game::Control control) const {
    return controls_.at(indexOf(control));
}

QPushButton* Form1::button(game::Control control) const {
    return qobject_cast<QPushButton*>(this->control(control));
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    // Leaving by the normal route would return into a handler that may be halfway through a
    // deal; the game keeps nothing that needs saving, so the process simply ends here.
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

} // namespace ui
