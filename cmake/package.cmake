# The Debian package (cpack -G DEB), built by scripts/package.sh from a build
# configured with CMAKE_INSTALL_PREFIX=/usr. Dependencies come from the shared
# libraries the programs link (dpkg-shlibdeps, package dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zarn")
set(CPACK_PACKAGE_CONTACT "Zarn developers <zarn@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "build, train and ask a small neural-network classifier")
set(CPACK_PACKAGE_DESCRIPTION
    "Zarn describes a task as named input parameters with valued variants and a list of\n"
    "output classes, trains a one-hidden-layer sigmoid network on examples by\n"
    "back-propagation and answers new questions. zarn-cli trains and inspects task\n"
    "files from a terminal.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
