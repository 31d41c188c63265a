// SPDX-License-Identifier: MIT
// The yardstick for the game's start-up (scripts/measure_startup.sh): a plain Qt window with the
// game's menu and controls, from the game's own table, in the same places, and nothing else: no
// rules, no sound, no translation, no greeting.
#include "game/controls.h"
#include "game/menus.h"
#include "ui/twips.h"
#include "ui/utf8.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Игра \"Зувик\""));
    auto* client = new QWidget(&window);
    client->setFixedSize(ui::kClientWidth, ui::kClientHeight);
    window.setCentralWidget(client);
    for (const game::ControlRow& control : game::kControls) {
        const QString caption = ui::fromUtf8(control.caption);
        QWidget* widget = nullptr;
        switch (control.kind) {
        case game::ControlKind::Label:
            widget = new QLabel(caption, client);
            break;
        case game::ControlKind::Text:
            widget = new QPlainTextEdit(client);
            break;
        case game::ControlKind::Button:
            widget = new QPushButton(caption, client);
            break;
        }
        const game::Twips& at = control.twips;
        widget->setGeometry(ui::pixels(at.left), ui::pixels(at.top), ui::pixels(at.width),
                            ui::pixels(at.height));
        widget->setVisible(control.shownIn.contains(game::kPhaseAtCreation));
    }
    QMenu* menu = nullptr;
    QString menuName;
    for (const game::MenuItemRow& item : game::kMenuItems) {
        if (menu == nullptr || menuName != ui::fromUtf8(item.menuName)) {
            menuName = ui::fromUtf8(item.menuName);
            menu = window.menuBar()->addMenu(ui::fromUtf8(item.menuCaption));
        }
        menu->addAction(ui::fromUtf8(item.caption))
            ->setShortcut(QKeySequence(ui::fromUtf8(item.shortcut), QKeySequence::PortableText));
    }
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);

    window.show();
    return QApplication::exec();
}
