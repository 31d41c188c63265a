// SPDX-License-Identifier: MIT
#include "ui/hand_box.h"

#include "ui/fit_font.h"

#include <QEvent>
#include <QTextDocument>

namespace ui {
namespace {

constexpr qreal kDocumentMargin = 1;

} // namespace

HandBox::HandBox(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The rules move the focus here, so it must be able to take it; Tab then leaves it again.
    setFocusPolicy(Qt::NoFocus);
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    document()->setDocumentMargin(kDocumentMargin);
    connect(this, &QPlainTextEdit::textChanged, this, &HandBox::fitText);
    fitText();
}

void HandBox::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    fitText();
}

void HandBox::changeEvent(QEvent* event) {
    // The base class resets the document's font to the widget's on a font change.
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitText();
    }
}

void HandBox::fitText() {
    setFocusPolicy(hasCards() ? Qt::StrongFocus : Qt::NoFocus);
    const QFont fitted =
        fitWrapped(font(), toPlainText(), contentsRect().size(), document()->documentMargin());
    if (fitted != document()->defaultFont()) {
        document()->setDefaultFont(fitted);
    }
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
}

} // namespace ui
