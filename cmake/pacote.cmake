# The Debian package (`make deb`), built by CPack from the same install() rules as
# `cmake --install` (cmake/instalacao.cmake): one description of the installed tree, no second
# one to keep in step. The libraries' packages come from dpkg-shlibdeps on the executable.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trevolino)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Trevolino <contato@trevolino.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "three-reel slot machine played for pretend credits")
# The long description under the summary; CPack indents it for dpkg and turns the empty line
# into the paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Trevolino is a little slot machine for the desktop: one shaped cabinet
with three reels, running lamps, a scrolling message in an LCD font and
sounds, with its texts in Brazilian Portuguese. Every game starts with 100
credits; bet 1, 5 or 10 of them and spin. Nothing is bought, won or kept
between games.

The same program can also install itself for one user, make only its
launchers, or uninstall itself.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.trevolino.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries: the font the dialogs ask fontconfig to put in Verdana's place (their
# heights follow its metrics); Qt's Portuguese texts and the Wayland plugin are welcome.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
