// SPDX-License-Identifier: MIT
#include "suites.h"

#include "scripted_dialogs.h"
#include "ui/application_setup.h"
#include "ui/form1.h"
#include "ui/hand_box.h"
#include "ui/qt_view.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace ui::test {
namespace {

using game::Control;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

class QtViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpApplication(*qApp);
        QCOMPARE(QGuiApplication::applicationDisplayName(), utf8("Зувик"));
    }

    void captionsGoToTheNamedLabel_data() {
        QTest::addColumn<int>("control");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("Label3 name") << int(Control::Label3) << QByteArray("Вася");
        QTest::newRow("Label4 money") << int(Control::Label4) << QByteArray(" 1000");
        QTest::newRow("Label6 negative") << int(Control::Label6) << QByteArray("-25");
        QTest::newRow("Label8 empty") << int(Control::Label8) << QByteArray("");
        QTest::newRow("Label3 blank name") << int(Control::Label3) << QByteArray(" ");
        QTest::newRow("Label3 markup") << int(Control::Label3) << QByteArray("<i>Ё</i>&amp;");
    }

    void captionsGoToTheNamedLabel() {
        QFETCH(int, control);
        QFETCH(QByteArray, text);
        Form1 form;
        ScriptedDialogs dialogs;
        QtView view(form, dialogs);
        const auto target = static_cast<Control>(control);
        view.setCaption(target, std::string_view(text.constData(), text.size()));
        QCOMPARE(form.label(target)->text(), QString::fromUtf8(text));
        for (int other = 0; other <= int(Control::Label8); ++other) {
            if (other != control && other != int(Control::Label1) &&
                other != int(Control::Label2) && other != int(Control::Label5) &&
                other != int(Control::Label7)) {
                QCOMPARE(form.label(static_cast<Control>(other))->text(), QString());
            }
        }
    }

    void visibilityGoesToTheNamedControlOnly() {
        Form1 form;
        ScriptedDialogs dialogs;
        QtView view(form, dialogs);
        form.show();
        for (int index = 0; index <= int(Control::Command9); ++index) {
            const auto control = static_cast<Control>(index);
            const bool wasVisible = form.control(control)->isVisible();
            QList<bool> others;
            for (int other = 0; other <= int(Control::Command9); ++other) {
                others.append(form.control(static_cast<Control>(other))->isVisible());
            }
            view.setVisible(control, !wasVisible);
            QCOMPARE(form.control(control)->isVisible(), !wasVisible);
            others[index] = !wasVisible;
            for (int other = 0; other <= int(Control::Command9); ++other) {
                QCOMPARE(form.control(static_cast<Control>(other))->isVisible(), others[other]);
            }
            view.setVisible(control, wasVisible);
            QCOMPARE(form.control(control)->isVisible(), wasVisible);
        }
    }

    void handTextReadsBackExactlyAsWritten() {
        Form1 form;
        ScriptedDialogs dialogs;
        QtView view(form, dialogs);
        const std::string hand = " туз пики семь червы";
        view.setHandText(hand);
        QCOMPARE(form.hand()->toPlainText(), QString::fromStdString(hand));
        QCOMPARE(view.handText(), hand);
        view.setHandText(view.handText() + " дама треф");
        QCOMPARE(view.handText(), hand + " дама треф");
        view.setHandText("");
        QCOMPARE(view.handText(), std::string());
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
