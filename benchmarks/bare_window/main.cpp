// SPDX-License-Identifier: MIT
// The yardstick for the game's start-up: a plain Qt window with the same menu and controls in the
// same places, and nothing else (no game, no sound, no translation, no greeting). Run with
// ZUVIK_REPORT_FIRST_PAINT=1 by scripts/measure_startup.sh.
#include "ui/first_paint_reporter.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

enum class Kind { Label, Text, Button };

struct Control {
    const char* name;
    Kind kind;
    const char* caption;
    QRect geometry;
    bool visible;
};

const Control kControls[] = {
    {"Text1", Kind::Text, "", {38, 113, 234, 33}, false},
    {"Command1", Kind::Button, "Еще", {38, 167, 98, 33}, false},
    {"Command2", Kind::Button, "Бери себе", {174, 167, 98, 33}, false},
    {"Command3", Kind::Button, "Еще", {38, 170, 98, 33}, false},
    {"Command4", Kind::Button, "Мне хватит", {174, 170, 98, 33}, false},
    {"Label1", Kind::Label, "Ваши карты", {38, 94, 234, 19}, true},
    {"Label2", Kind::Label, "Счет", {38, 0, 19, 15}, true},
    {"Label3", Kind::Label, "", {57, 0, 57, 15}, true},
    {"Label4", Kind::Label, " 1000", {113, 0, 38, 15}, true},
    {"Label5", Kind::Label, "Счет компа", {38, 19, 76, 15}, true},
    {"Label6", Kind::Label, " 1000", {113, 19, 38, 15}, true},
    {"Label7", Kind::Label, "На кону", {38, 38, 76, 19}, true},
    {"Label8", Kind::Label, "", {113, 38, 38, 19}, true},
    {"Command5", Kind::Button, "Делайте ставки", {108, 170, 94, 38}, true},
    {"Command6", Kind::Button, "25", {16, 170, 40, 38}, false},
    {"Command7", Kind::Button, "50", {80, 170, 40, 38}, false},
    {"Command8", Kind::Button, "100", {144, 170, 40, 38}, false},
    {"Command9", Kind::Button, "200", {209, 170, 40, 38}, false},
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ui::FirstPaintReporter::installIfRequested();

    QMainWindow window;
    window.setObjectName(QStringLiteral("BareWindow"));
    window.setWindowTitle(QStringLiteral("Игра \"Зувик\""));
    auto* client = new QWidget(&window);
    client->setFixedSize(312, 210);
    window.setCentralWidget(client);
    for (const Control& control : kControls) {
        const QString caption = QString::fromUtf8(control.caption);
        QWidget* widget = nullptr;
        switch (control.kind) {
        case Kind::Label:
            widget = new QLabel(caption, client);
            break;
        case Kind::Text:
            widget = new QPlainTextEdit(client);
            break;
        case Kind::Button:
            widget = new QPushButton(caption, client);
            break;
        }
        widget->setObjectName(QString::fromLatin1(control.name));
        widget->setGeometry(control.geometry);
        widget->setVisible(control.visible);
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
