# The Debian package that scripts/package makes with CPack from what `cmake --install` puts in
# place. Its dependencies are the Debian packages of the libraries the programs link against, as
# dpkg-shlibdeps (dpkg-dev) finds them, with the versions they were built against, and libcurl4.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kirometer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The KiroMeter developers")
set(CPACK_PACKAGE_CONTACT "The KiroMeter developers <packages@kirometer.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop companion of the X5 step-counting wristwatch")
# One paragraph. Each line goes into the control file behind a space, and Debian wants those
# lines no longer than 80 characters: the text keeps to 72.
set(CPACK_PACKAGE_DESCRIPTION "KiroMeter X5 finds an X5 wristwatch plugged in as a USB disk, collects\n\
its per-minute steps into monthly files and shows day, week and month\n\
reports, sleep analysis, missions and totals; it writes the watch's\n\
settings, clock and display back. The command-line program kiro works on\n\
the same data. A udev rule gives the person at the desk access to the\n\
watch.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The programs go in without their symbol tables, as Debian wants programs (a release build has
# no debug information to keep apart); the desktop program is sealed again after (packaging/).
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://kirometer.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libcurl is opened at run time (for the update check), so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4")
# The Chinese texts need a font with CJK characters.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
include(CPack)
