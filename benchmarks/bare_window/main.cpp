// SPDX-License-Identifier: MIT
// The yardstick for the game's start-up (scripts/measure_startup.sh): a plain Qt window with the
// game's menu and controls, from the game's own table, in the same places, and nothing else: no
// rules, no sound, no translation, no greeting.
#include "game/controls.h"
#include "ui/twips.h"

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
        const QString caption = QString::fromUtf8(control.caption.data(),
                                                  static_cast<qsizetype>(control.caption.size()));
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
    QMenu* game = window.menuBar()->addMenu(QStringLiteral("Игра"));
    game->addAction(QStringLiteral("Новая"))->setShortcut(Qt::Key_F2);
    game->addAction(QStringLiteral("Выход"))->setShortcut(Qt::CTRL | Qt::Key_F4);
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("Помощь"));
    help->addAction(QStringLiteral("О программе"));
    help->addAction(QStringLiteral("Правила игры"))->setShortcut(Qt::Key_F1);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);

    window.show();
    return QApplication::exec();
}
