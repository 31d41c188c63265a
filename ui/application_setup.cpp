// SPDX-License-Identifier: MIT
#include "ui/application_setup.h"

#include "ui/data_folders.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <filesystem>
#include <string>

namespace ui {
namespace {

constexpr const char* kApplicationId = "io.github.zuvik.Zuvik";

// The theme's icon when the game is installed; otherwise one in the data folders.
QIcon applicationIcon() {
    const QString id = QString::fromLatin1(kApplicationId);
    QIcon icon = QIcon::fromTheme(id);
    if (!icon.isNull()) {
        return icon;
    }
    for (const std::filesystem::path& folder : dataFolders()) {
        for (const char* suffix : {".svg", ".png"}) {
            const std::filesystem::path path = folder / (std::string(kApplicationId) + suffix);
            if (std::filesystem::exists(path)) {
                return QIcon(QString::fromStdString(path.string()));
            }
        }
    }
    return icon;
}

} // namespace

void setUpApplication(QApplication& application) {
    // The display name is deliberately left to follow the application name: set explicitly,
    // X11 would append it to every window title that does not already end with it.
    QCoreApplication::setApplicationName(QStringLiteral("Зувик"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    QApplication::setWindowIcon(applicationIcon());
    // The game ends only by its own rules or by the close box (see Form1::closeEvent), never
    // because a box shown before the window happened to be the last one open.
    QApplication::setQuitOnLastWindowClosed(false);
    installQtTranslation(application);
}

bool installQtTranslation(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace ui
