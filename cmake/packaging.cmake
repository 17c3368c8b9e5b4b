# `cpack -G DEB` in a Release build makes corvane_<version>_<arch>.deb (scripts/package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Corvane developers")
set(CPACK_PACKAGE_CONTACT "The Corvane developers <maintainers@corvane.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://corvane.example.org)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a platform plugin, which no library it links names.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "data logger for a home wind-power system
Corvane reads the measuring board of a small wind-power system over a
serial line: the voltage of a 12, 24 or 48 V battery bank, the charging
current, the windmill's revolutions and the wind speed. It checks every
frame, shows the values live, writes one averaged record per logging
interval to a daily log file, and keeps a watt-hour total and an error log.
A viewer plots, zooms into and exports any day's records as CSV.
.
The package also holds corvane-board, a simulated measuring board on a
pseudo-terminal, to try Corvane without hardware.")
include(CPack)
