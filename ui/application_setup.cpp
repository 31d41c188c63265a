// SPDX-License-Identifier: MIT
#include "ui/application_setup.h"

#include "ui/data_folders.h"
#include "ui/utf8.h"

#include "game/titles.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMetaObject>
#include <QPixmap>
#include <QProxyStyle>
#include <QTranslator>

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace ui {
namespace {

namespace fs = std::filesystem;

constexpr const char* kApplicationId = "io.github.zuvik.Zuvik";

// The bitmaps that the installation puts into the hicolor icon theme of its own prefix, found
// from the executable's place as the other data files are, wherever the game is installed.
QIcon applicationIcon() {
    QIcon icon;
    const std::optional<fs::path> program = programFolder();
    if (!program) {
        return icon;
    }
    const fs::path theme = *program / ZUVIK_ICONS_FROM_BIN;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const fs::path path = theme / folder / "apps" / (std::string(kApplicationId) + ".png");
        if (std::error_code error; fs::is_regular_file(path, error)) {
            icon.addPixmap(QPixmap(QString::fromStdString(path.string())));
        }
    }
    return icon;
}

// Decoding the icon's bitmaps brings in Qt's image plugins: milliseconds that no window needs
// before it is on the screen. The icon is set once the first window has been painted, and goes
// to every window there is and will be.
class IconOnceAWindowIsShown final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            QCoreApplication::instance()->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    QApplication::setWindowIcon(applicationIcon());
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

// The buttons of the boxes say what they do in words alone. Their icons would come from the icon
// theme and Qt's image plugins, which the first box, the name prompt, would wait for.
class PlainBoxButtons final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons
                   ? 0
                   : QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// Qt's Russian translation (qtbase_ru from Qt's translations folder), owned by the application.
// Without the file the standard buttons stay in English.
void installQtTranslation(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
}

} // namespace

void setUpApplication(QApplication& application) {
    // The display name is deliberately left to follow the application name: set explicitly,
    // X11 would append it to every window title that does not already end with it.
    QCoreApplication::setApplicationName(fromUtf8(game::kApplicationTitle));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    application.installEventFilter(new IconOnceAWindowIsShown(&application));
    // The game ends only by its own rules or by the close box (see Form1::closeEvent), never
    // because a box shown before the window happened to be the last one open.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new PlainBoxButtons);
    installQtTranslation(application);
}

} // namespace ui
