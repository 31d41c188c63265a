// SPDX-License-Identifier: MIT
#include "suites.h"

#include "scripted_dialogs.h"
#include "ui/application_setup.h"
#include "ui/form1.h"
#include "ui/hand_box.h"
#include "ui/qt_view.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace ui::test {
namespace {

using game::Control;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// What the deals played through the window (deals_test.cpp) do not show: captions, visibility
// and the hand are seen there as the player sees them.
class QtViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpApplication(*qApp);
        QCOMPARE(QGuiApplication::applicationDisplayName(), utf8("Зувик"));
    }

    void focusMovesToTheHand() {
        Form1 form;
        ScriptedDialogs dialogs;
        QtView view(form, dialogs);
        view.setVisible(Control::Text1, true);
        view.setVisible(Control::Command1, true);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.button(Control::Command1)->setFocus();
        QVERIFY(!form.hand()->hasFocus());
        view.focusHand();
        QVERIFY(form.hand()->hasFocus());
    }

    void messageBoxesTakeTheApplicationsTitleUnlessGivenOne() {
        Form1 form;
        ScriptedDialogs dialogs;
        QtView view(form, dialogs);
        dialogs.answerBox(game::kResultOk);
        dialogs.answerBox(game::kResultYes);
        dialogs.answerBox(game::kResultNo);
        dialogs.answerBox(game::kResultOk);
        QCOMPARE(view.messageBox("Ставка принята", game::Buttons::Ok, {}), game::kResultOk);
        QCOMPARE(view.messageBox("Еще?", game::Buttons::YesNo, {}), game::kResultYes);
        QCOMPARE(view.messageBox("Еще?", game::Buttons::YesNo, {}), game::kResultNo);
        QCOMPARE(view.messageBox("Текст", game::Buttons::Ok, "Игра Зувик. Версия 2.0"),
                 game::kResultOk);
        QCOMPARE(dialogs.log(), QStringList({
                                    utf8("box OK \"Зувик\" \"Ставка принята\""),
                                    utf8("box YesNo \"Зувик\" \"Еще?\""),
                                    utf8("box YesNo \"Зувик\" \"Еще?\""),
                                    utf8("box OK \"Игра Зувик. Версия 2.0\" \"Текст\""),
                                }));
    }

    void boxesBelongToTheWindowOnlyOnceItIsShown() {
        Form1 form;
        ScriptedDialogs dialogs;
        QtView view(form, dialogs);
        dialogs.answerInput(QStringLiteral("x"));
        dialogs.answerBox(game::kResultOk);
        (void)view.inputBox("?");
        QCOMPARE(dialogs.lastParent(), nullptr);
        form.show();
        (void)view.messageBox("!", game::Buttons::Ok, {});
        QCOMPARE(dialogs.lastParent(), &form);
    }

    void inputBoxGivesTheTextExactlyAsTypedAndEmptyOnCancel() {
        Form1 form;
        ScriptedDialogs dialogs;
        QtView view(form, dialogs);
        dialogs.answerInput(utf8("  Вася  "));
        dialogs.answerInput(std::nullopt);
        dialogs.answerInput(QString());
        dialogs.answerInput(QStringLiteral("<b>x</b>"));
        QCOMPARE(view.inputBox("Вы хотите сыграть? Тогда представьтесь"), "  Вася  ");
        QCOMPARE(view.inputBox("Мы же вас попросили представиться!"), "");
        QCOMPARE(view.inputBox("?"), "");
        QCOMPARE(view.inputBox("?"), "<b>x</b>");
        QCOMPARE(dialogs.log().first(),
                 utf8("input \"Зувик\" \"Вы хотите сыграть? Тогда представьтесь\""));
    }
};

} // namespace

std::unique_ptr<QObject> makeQtViewTest() {
    return std::make_unique<QtViewTest>();
}

} // namespace ui::test

#include "qt_view_test.moc"
