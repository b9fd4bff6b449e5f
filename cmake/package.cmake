# The Debian package (cpack -G DEB), built by scripts/package.sh from the
# regular build, configured with Debian's build flags; it installs into /usr
# whatever CMAKE_INSTALL_PREFIX says for `cmake --install`.
# Dependencies come from the shared libraries the programs link
# (dpkg-shlibdeps, package dpkg-dev); the copyright file, the changelog and
# the compressed manual pages come from cmake/install.cmake.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zarn")
set(CPACK_PACKAGE_CONTACT "Zarn developers <zarn@zarn.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "build, train and ask a small neural-network classifier")
# Lines of at most 80 characters: the package tools show them unwrapped.
set(CPACK_PACKAGE_DESCRIPTION
    "Zarn describes a task as named input parameters with valued variants and a\n"
    "list of output classes, trains a one-hidden-layer sigmoid network on examples\n"
    "by back-propagation and answers new questions. zarn-cli trains and inspects\n"
    "task files from a terminal.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (file dialogs, standard buttons) in Russian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_STRIP_FILES ON)
include(CPack)
