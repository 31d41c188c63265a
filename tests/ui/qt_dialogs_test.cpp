// SPDX-License-Identifier: MIT
#include "suites.h"

#include "ui/application_setup.h"
#include "ui/dialogs.h"
#include "ui/scroll_text_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

namespace ui::test {
namespace {

// Waits (on the event loop that the modal box runs) for the next modal dialog and hands it to
// act, which must close it. Gives up after a few seconds so that a box that never comes cannot
// hang the suite; the test then fails on its own checks.
void whenModalAppears(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer(qApp);
    const QDeadlineTimer deadline(5000);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, deadline, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        } else if (deadline.hasExpired()) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(10);
}

// Types text into the widget key by key, as a keyboard would (QTest's own helpers take ASCII only).
void typeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QCoreApplication::sendEvent(widget, &key);
        }
    }
}

// The dialog's push button whose text, without its '&' marks, is text; null if none.
QAbstractButton* buttonWithText(QWidget* dialog, const QString& text) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->text().remove(QLatin1Char('&')) == text) {
            return button;
        }
    }
    return nullptr;
}

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// Types into the next box's line, if it has one, and presses the button with the given text,
// noting what the box showed.
struct Seen {
    QString title;
    QString prompt;
    Qt::TextFormat format = Qt::AutoText;
    QStringList buttons;
    QString className;
};

void pressOnNextBox(const QString& buttonText, Seen& seen, const QString& typed = {}) {
    whenModalAppears([buttonText, &seen, typed](QWidget* box) {
        seen.title = box->windowTitle();
        seen.className = QString::fromLatin1(box->metaObject()->className());
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (auto* line = box->findChild<QLineEdit*>()) {
            label = box->findChild<QLabel*>();
            typeText(line, typed);
        }
        if (label != nullptr) {
            seen.prompt = label->text();
            seen.format = label->textFormat();
        }
        for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
            seen.buttons.append(button->text().remove(QLatin1Char('&')));
        }
        seen.buttons.sort();
        if (QAbstractButton* button = buttonWithText(box, buttonText)) {
            button->click();
        } else {
            box->close();
        }
    });
}

void pressEscapeOnNextBox() {
    whenModalAppears([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
}

class QtDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // The boxes as the game sets them up, Qt's Russian texts for their buttons included.
    void initTestCase() { setUpApplication(*qApp); }

    // Escape on an OK box counts as OK; on a Yes/No box it is neither Yes nor OK.
    void boxesAnswerTheirButtonsAndShowThePromptAsPlainText() {
        QtDialogs dialogs;
        const QString prompt = utf8("<b>x</b>\nВторая строка");
        Seen seen;
        pressOnNextBox(QStringLiteral("OK"), seen);
        QCOMPARE(dialogs.messageBox(nullptr, utf8("Зувик"), prompt, game::Buttons::Ok),
                 game::kResultOk);
        QCOMPARE(seen.title, utf8("Зувик"));
        QCOMPARE(seen.prompt, prompt);
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.buttons, QStringList({QStringLiteral("OK")}));
        QCOMPARE(seen.className, QStringLiteral("QMessageBox")); // a short text: no scrolling
        pressEscapeOnNextBox();
        QCOMPARE(dialogs.messageBox(nullptr, utf8("Зувик"), utf8("Ставка"), game::Buttons::Ok),
                 game::kResultOk);

        const QString again = utf8("Еще партию?");
        Seen yes;
        pressOnNextBox(utf8("Да"), yes);
        QCOMPARE(dialogs.messageBox(nullptr, utf8("Зувик"), again, game::Buttons::YesNo),
                 game::kResultYes);
        QCOMPARE(yes.buttons, QStringList({utf8("Да"), utf8("Нет")}));
        Seen no;
        pressOnNextBox(utf8("Нет"), no);
        QCOMPARE(dialogs.messageBox(nullptr, utf8("Зувик"), again, game::Buttons::YesNo),
                 game::kResultNo);
        pressEscapeOnNextBox();
        const int escaped = dialogs.messageBox(nullptr, utf8("Зувик"), again, game::Buttons::YesNo);
        QVERIFY(escaped != game::kResultYes && escaped != game::kResultOk);
    }

    void aTextTallerThanTheScreenScrollsInADialogOfItsOwn() {
        QString rules;
        for (int line = 1; line <= 200; ++line) {
            rules += utf8("Строка правил номер ") + QString::number(line) + QLatin1Char('\n');
        }
        QtDialogs dialogs;
        Seen seen;
        QString shownText;
        QRect geometry;
        whenModalAppears([&](QWidget* box) {
            seen.title = box->windowTitle();
            seen.className = QString::fromLatin1(box->metaObject()->className());
            if (auto* view = box->findChild<QPlainTextEdit*>()) {
                shownText = view->toPlainText();
                QVERIFY(view->isReadOnly());
            }
            geometry = box->frameGeometry();
            buttonWithText(box, QStringLiteral("OK"))->click();
        });
        QCOMPARE(dialogs.messageBox(nullptr, utf8("Зувик"), rules, game::Buttons::Ok),
                 game::kResultOk);
        QCOMPARE(seen.className, QStringLiteral("ui::ScrollTextDialog"));
        QCOMPARE(seen.title, utf8("Зувик"));
        QCOMPARE(shownText, rules);
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(geometry));
    }

    void inputBoxReturnsTheTypedTextExactly() {
        QtDialogs dialogs;
        Seen seen;
        pressOnNextBox(QStringLiteral("OK"), seen, utf8("  Вася <b>  "));
        QCOMPARE(dialogs.inputBox(nullptr, utf8("Зувик"), QStringLiteral("<i>Имя?</i>")),
                 std::optional<QString>(utf8("  Вася <b>  ")));
        QCOMPARE(seen.title, utf8("Зувик"));
        QCOMPARE(seen.prompt, QStringLiteral("<i>Имя?</i>"));
        QCOMPARE(seen.format, Qt::PlainText);
    }

    void inputBoxGivesNothingOnCancelOrEscape() {
        QtDialogs dialogs;
        for (const bool escape : {false, true}) {
            whenModalAppears([escape](QWidget* box) {
                QTest::keyClicks(box->findChild<QLineEdit*>(), QStringLiteral("abc"));
                escape ? QTest::keyClick(box, Qt::Key_Escape)
                       : buttonWithText(box, utf8("Отмена"))->click();
            });
            QCOMPARE(dialogs.inputBox(nullptr, utf8("Зувик"), QStringLiteral("?")), std::nullopt);
        }
    }
};

[[maybe_unused]] const bool kRegistered = registerSuite<QtDialogsTest>("QtDialogs");

} // namespace

} // namespace ui::test

#include "qt_dialogs_test.moc"
