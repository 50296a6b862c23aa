# Where `cmake --install` puts what the programs need, beyond GNUInstallDirs' own folders.
include(GNUInstallDirs)

# The demo's real per-minute steps. The desktop program finds them from its own file, by the
# path from the program folder to here, so an installed tree works under any prefix.
# The Windows zip (scripts/package --windows) keeps them in a folder beside the program.
if(WIN32)
  set(KIRO_DEMO_DATA_FROM_PROGRAM demo)
else()
  set(KIRO_DEMO_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/kirometer/demo)
  file(RELATIVE_PATH KIRO_DEMO_DATA_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_FULL_DATADIR}/kirometer/demo)
endif()

# udev reads packaged rules from lib/udev/rules.d below the /usr prefix, never from the
# multiarch library folder that CMAKE_INSTALL_LIBDIR names on Debian.
set(KIRO_UDEV_RULES_INSTALL_DIR lib/udev/rules.d)
