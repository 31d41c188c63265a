// SPDX-License-Identifier: MIT
#include "ui/scroll_text_dialog.h"

#include "ui/dialogs.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {
namespace {

// Leaves room for panels and the window frame however the desktop is arranged.
constexpr double kScreenShare = 0.8;
constexpr int kMinimumWidth = 360;

} // namespace

ScrollTextDialog::ScrollTextDialog(QWidget* parent, const QString& title, const QString& text,
                                   game::Buttons buttons)
    : QDialog(parent),
      // A box closed without a button answers like the one that Escape would press.
      result_(buttons == game::Buttons::Ok ? game::kResultOk : game::kResultNo) {
    setWindowTitle(title);
    auto* view = new QPlainTextEdit(this);
    view->setObjectName(QStringLiteral("text"));
    view->setReadOnly(true);
    view->setPlainText(text);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // A caret the keys move is what lets a screen reader read the text line by line; Tab leaves
    // the text for the buttons, which keep the focus the box opens with, one Tab away.
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setTabChangesFocus(true);
    view->setAccessibleName(text.section(QLatin1Char('\n'), 0, 0).trimmed());

    buttonBox_ = new QDialogButtonBox(this);
    if (buttons == game::Buttons::Ok) {
        buttonBox_->setStandardButtons(QDialogButtonBox::Ok);
    } else {
        buttonBox_->setStandardButtons(QDialogButtonBox::Yes | QDialogButtonBox::No);
    }
    connect(buttonBox_, &QDialogButtonBox::clicked, this, [this](QAbstractButton* button) {
        switch (buttonBox_->standardButton(button)) {
        case QDialogButtonBox::Ok:
            result_ = game::kResultOk;
            break;
        case QDialogButtonBox::Yes:
            result_ = game::kResultYes;
            break;
        case QDialogButtonBox::No:
            result_ = game::kResultNo;
            break;
        default:
            result_ = kResultClosed;
            break;
        }
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addWidget(buttonBox_);
    fitToScreen(text);
    buttonBox_->buttons().constFirst()->setFocus();
}

void ScrollTextDialog::fitToScreen(const QString& text) {
    const QRect available =
        (parentWidget() != nullptr ? parentWidget()->screen() : screen())->availableGeometry();
    const QFontMetrics metrics(font());
    int longestLine = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        longestLine = std::max(longestLine, metrics.horizontalAdvance(line));
    }
    const int chrome =
        4 * metrics.averageCharWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = std::clamp(longestLine + chrome, kMinimumWidth,
                                 static_cast<int>(available.width() * kScreenShare));
    const int height = static_cast<int>(available.height() * kScreenShare);
    resize(width, height);
}

int ScrollTextDialog::run() {
    exec();
    return result_;
}

} // namespace ui
