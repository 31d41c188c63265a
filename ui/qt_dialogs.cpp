// SPDX-License-Identifier: MIT
#include "ui/dialogs.h"

#include "ui/compositor_sized_box.h"
#include "ui/scroll_text_dialog.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>
#include <limits>

namespace ui {
namespace {

// A message box taller than this share of the screen would lose its buttons off the bottom.
constexpr double kTallestShare = 0.85;
constexpr int kMessageBoxTextWidth = 500;
constexpr int kButtonsAndMargins = 6; // in lines of text

int resultCode(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Ok:
        return game::kResultOk;
    case QMessageBox::Yes:
        return game::kResultYes;
    case QMessageBox::No:
        return game::kResultNo;
    default:
        return kResultClosed;
    }
}

// Measured the way QMessageBox lays out a long text: wrapped at about half the screen's width,
// plus room for the buttons and the margins.
bool tooTallForScreen(const QMessageBox& box, const QString& text) {
    const QScreen* screen = box.screen();
    if (screen == nullptr) {
        return false;
    }
    const QRect available = screen->availableGeometry();
    const QFontMetrics metrics(box.font());
    const int wrapWidth = std::min(available.width() / 2, kMessageBoxTextWidth);
    const int textHeight =
        metrics
            .boundingRect(QRect(0, 0, wrapWidth, std::numeric_limits<int>::max() / 2),
                          Qt::TextWordWrap | Qt::TextExpandTabs, text)
            .height();
    return textHeight + kButtonsAndMargins * metrics.height() > available.height() * kTallestShare;
}

} // namespace

int QtDialogs::messageBox(QWidget* parent, const QString& title, const QString& prompt,
                          game::Buttons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(prompt);
    box.setStandardButtons(buttons == game::Buttons::Ok ? QMessageBox::Ok
                                                        : QMessageBox::Yes | QMessageBox::No);
    if (tooTallForScreen(box, prompt)) {
        ScrollTextDialog dialog(parent, title, prompt, buttons);
        return dialog.run();
    }
    letTheCompositorSize(box);
    box.exec();
    return resultCode(box.standardButton(box.clickedButton()));
}

std::optional<QString> QtDialogs::inputBox(QWidget* parent, const QString& title,
                                           const QString& prompt) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    // The dialog makes its label on the first setLabelText(); a prompt is never markup.
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
    letTheCompositorSize(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

} // namespace ui
