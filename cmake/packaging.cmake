# SPDX-License-Identifier: MIT
# The manual page, and the Debian package made from whatever `cmake --install` lays out:
#   cpack -G DEB          (in the build folder)
#   apt-get install ./zuvik_2.0.0_amd64.deb
add_subdirectory(${PROJECT_SOURCE_DIR}/docs/man ${PROJECT_BINARY_DIR}/docs/man)
# Debian looks for every package's terms of distribution under this one name.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

set(CPACK_PACKAGE_NAME zuvik)
set(CPACK_PACKAGE_VENDOR "The Zuvik developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "card game of twenty-one against the computer")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/zuvik/zuvik")
set(CPACK_PACKAGE_CONTACT "The Zuvik developers <developers@zuvik.example.org>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY zuvik)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the binary links are found by dpkg-shlibdeps (needs dpkg-dev and file).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without a sound server the game is silent but fully playable, without Qt's own translations
# the standard buttons of its boxes are in English, and without Qt's Wayland plugin it runs on a
# Wayland desktop through XWayland; without gnome-cards-data the hand is shown as text alone, as
# the rules write it, and not also drawn as cards. So all four are only recommended.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "pulseaudio | pipewire-pulse, qt6-translations-l10n, qt6-wayland, gnome-cards-data")
# The summary above is the first line of the package's description; CPack indents these lines
# under it and marks the empty line as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Zuvik (Зувик) is a game of twenty-one for one player against the computer,
with a Russian interface, played with a 36-card deck. Both sides bet into a
common stake before each deal; deals alternate between the player drawing
first and the computer drawing first, and the computer comments on every
outcome with a message and a sound.

The whole game can be played with the keyboard alone and read by a screen
reader.")

set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/\\\\.cache/")
include(CPack)
