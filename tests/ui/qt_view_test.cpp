// SPDX-License-Identifier: MIT
#include "suites.h"

#include "scripted_dialogs.h"
#include "ui/application_setup.h"
#include "ui/form1.h"
#include "ui/qt_view.h"

#include <QApplication>
#include <QTest>

namespace ui::test {
namespace {

struct Wired {
    Form1 form;
    QtWorld world;
    ScriptedDialogs dialogs{world};
    QtView view{form, dialogs};
};

// What the deals played through the window (deals_test.cpp) do not show: captions, visibility
// and the hand are seen there as the player sees them.
class QtViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpApplication(*qApp);
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString::fromUtf8("Зувик"));
    }

    void messageBoxesTakeTheApplicationsTitleUnlessGivenOne() {
        Wired w;
        auto& [form, world, dialogs, view] = w;
        world.yesNoAnswers = {game::kResultYes, game::kResultNo};
        QCOMPARE(view.messageBox("Ставка принята", game::Buttons::Ok, {}), game::kResultOk);
        QCOMPARE(view.messageBox("Еще?", game::Buttons::YesNo, {}), game::kResultYes);
        QCOMPARE(view.messageBox("Еще?", game::Buttons::YesNo, {}), game::kResultNo);
        QCOMPARE(view.messageBox("Текст", game::Buttons::Ok, "Игра Зувик. Версия 2.0"),
                 game::kResultOk);
        QCOMPARE(world.log, (kit::Log{okBox("Ставка принята"),
                                      kit::yesNoBox("Еще?", game::kResultYes, "Зувик"),
                                      kit::yesNoBox("Еще?", game::kResultNo, "Зувик"),
                                      kit::okBox("Текст", "Игра Зувик. Версия 2.0")}));
    }

    void boxesBelongToTheWindowOnlyOnceItIsShown() {
        Wired w;
        auto& [form, world, dialogs, view] = w;
        world.typed = {"x"};
        (void)view.inputBox("?");
        QCOMPARE(dialogs.lastParent(), nullptr);
        form.show();
        (void)view.messageBox("!", game::Buttons::Ok, {});
        QCOMPARE(dialogs.lastParent(), &form);
    }

    void inputBoxGivesTheTextExactlyAsTypedAndEmptyOnCancel() {
        Wired w;
        auto& [form, world, dialogs, view] = w;
        world.typed = {"  Вася  ", std::nullopt, "", "<b>x</b>"};
        QCOMPARE(view.inputBox("Вы хотите сыграть? Тогда представьтесь"), "  Вася  ");
        QCOMPARE(view.inputBox("Мы же вас попросили представиться!"), "");
        QCOMPARE(view.inputBox("?"), "");
        QCOMPARE(view.inputBox("?"), "<b>x</b>");
        QCOMPARE(world.log.front(),
                 kit::input("Вы хотите сыграть? Тогда представьтесь", "  Вася  ", "Зувик"));
    }
};

[[maybe_unused]] const bool kRegistered = registerSuite<QtViewTest>("QtView");

} // namespace

} // namespace ui::test

#include "qt_view_test.moc"
