# The Debian package, built by scripts/package with CPack in build/release. Its run-time
# dependencies are what dpkg-shlibdeps finds in the binaries, plus the packages Qt and the app
# load at run time without linking them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvelle)
set(CPACK_PACKAGE_VENDOR Mirelo)
set(CPACK_PACKAGE_CONTACT "${CORVELLE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "system and power monitor for the tray
Corvelle shows live CPU, temperature, thermal state and battery figures in the
tray, with a panel of tips, processes, battery health and 90 days of history.
It also prints its figures as JSON for scripts and as a live line for status
bars such as Waybar.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://corvelle.mirelo.io)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin and the icon font: without them there is no window and no symbol. The
# Wayland plugin serves a Wayland session without X. The session bus carries the tray,
# notifications and the single-instance name; the SVG plugin draws the scalable icon; pkexec runs
# the charge limit helper; GNOME shows tray icons only with the AppIndicator extension.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-materialdesignicons-webfont")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, dbus-user-session | dbus-x11, libqt6svg6, pkexec")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-shell-extension-appindicator")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The maintainer scripts enable and start the power service, and stop and forget it on removal.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${CMAKE_CURRENT_LIST_DIR}/debian/postinst;${CMAKE_CURRENT_LIST_DIR}/debian/prerm;${CMAKE_CURRENT_LIST_DIR}/debian/postrm")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
# The app and the polkit action name the helper under the configured prefix: package that prefix.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
