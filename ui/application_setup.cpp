// SPDX-License-Identifier: MIT
#include "ui/application_setup.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {
namespace {

constexpr const char* kApplicationId = "io.github.zuvik.Zuvik";

// The theme's icon when the game is installed; otherwise one lying beside the executable or in
// the data folder it would be installed to.
QIcon applicationIcon() {
    const QString id = QString::fromLatin1(kApplicationId);
    QIcon icon = QIcon::fromTheme(id);
    if (!icon.isNull()) {
        return icon;
    }
    const QDir bin(QCoreApplication::applicationDirPath());
    for (const QString& folder : {QStringLiteral("."), QStringLiteral(ZUVIK_DATA_FROM_BIN)}) {
        for (const QString& suffix : {QStringLiteral(".svg"), QStringLiteral(".png")}) {
            const QString path = bin.filePath(folder + QLatin1Char('/') + id + suffix);
            if (QFileInfo::exists(path)) {
                return QIcon(path);
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
