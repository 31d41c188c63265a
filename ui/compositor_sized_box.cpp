// SPDX-License-Identifier: MIT
#include "ui/compositor_sized_box.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMetaObject>

namespace ui {
namespace {

// QMessageBox fixes its size on being shown and again on every layout request, so the size is let
// go after each of them; while the box is maximized no layout request reaches it at all, as the
// size it would fix is not the one the compositor gave.
class SizeLetGo final : public QObject {
public:
    explicit SizeLetGo(QDialog& box) : QObject(&box), box_(box) { box.installEventFilter(this); }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() != QEvent::Show && event->type() != QEvent::LayoutRequest) {
            return false;
        }
        if (sizedByTheCompositor()) {
            return event->type() == QEvent::LayoutRequest;
        }
        // After the box's own handling of the event, which is what fixes its size.
        QMetaObject::invokeMethod(this, &SizeLetGo::letGo, Qt::QueuedConnection);
        return false;
    }

private:
    [[nodiscard]] bool sizedByTheCompositor() const {
        return box_.isMaximized() || box_.isFullScreen();
    }

    void letGo() {
        if (sizedByTheCompositor()) {
            return;
        }
        box_.layout()->setSizeConstraint(QLayout::SetNoConstraint);
        box_.setMinimumSize(box_.size());
        box_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    QDialog& box_;
};

} // namespace

void letTheCompositorSize(QDialog& box) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        new SizeLetGo(box);
    }
}

} // namespace ui
