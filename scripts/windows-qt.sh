#!/usr/bin/env bash
# Sourced by the scripts that build, test and package the Windows desktop program: which Qt for
# Windows it is built against and where the one built on this machine lives.
#
# The Windows Qt is built from Debian's own qt6-base sources, the same version as the Qt 6 this
# machine runs, whose moc, rcc and uic the cross build uses (QT_HOST_PATH=/usr). The folder's name
# carries that version and a digest of everything that shapes the build (the options below, our
# patches and the compiler's toolchain file), so a change to any of them makes a new folder instead
# of reusing an old one.

# The Debian source version; it must match the installed host Qt's.
windows_qt_source_version="6.4.2+dfsg-10"

# What is built: Core, Gui, Widgets and Test as shared libraries (the LGPL's terms are met by
# libraries a user can replace), the Windows and offscreen platforms, the Windows styles. The
# compiler's runtime libraries they need are copied beside them. Everything the desktop program
# does not use is cut.
windows_qt_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  # Nothing of the Linux machine's own libraries: the bundled third-party code is built instead.
  -DFEATURE_pkg_config=OFF
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_system_libb2=OFF
  -DFEATURE_zstd=OFF
  # Modules the desktop program does not use.
  -DFEATURE_network=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_opengl=OFF
  -DINPUT_opengl=no
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_vulkan=OFF
  # Features it does not use: a second Windows platform, picture formats other than PNG, the
  # rich-text readers and writers, the Android packaging tool.
  -DFEATURE_direct2d=OFF
  -DFEATURE_jpeg=OFF
  -DFEATURE_gif=OFF
  -DFEATURE_ico=OFF
  -DFEATURE_textmarkdownreader=OFF
  -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_textodfwriter=OFF
  -DFEATURE_androiddeployqt=OFF
  # Tablets: Debian's sources leave out the tablet interface's header (its licence allows no
  # changes), and the program takes no tablet input.
  -DFEATURE_tabletevent=OFF
)

# Our own changes to the sources, applied in the order of their names after Debian's.
windows_qt_patches() {
  printf '%s\n' "$(dirname "${BASH_SOURCE[0]}")"/../packaging/windows/qt-patches/*.patch
}

# windows_qt_prefix: prints the folder the Windows Qt of these options is installed in.
windows_qt_prefix() {
  local toolchain digest
  toolchain="$(dirname "${BASH_SOURCE[0]}")/../cmake/MinGW-w64-posix.cmake"
  digest="$({
    echo "$windows_qt_source_version"
    printf '%s\n' "${windows_qt_options[@]}"
    cat "$toolchain"
    windows_qt_patches | xargs cat
  } | sha256sum | cut -c1-12)"
  echo "${XDG_CACHE_HOME:-$HOME/.cache}/kirometer/qt-${windows_qt_source_version%%+*}-windows-$digest"
}
