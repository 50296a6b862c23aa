# What the Windows cross build needs beyond the toolchain file. Debian carries no Windows builds
# of the test and header-only libraries, so they come from its packages' sources and headers.

# The version resource of the programs.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${PROJECT_SOURCE_DIR}/src")

# C99 printf (%zu, %lld) in place of the Microsoft runtime's.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)

# GoogleTest from the googletest package's sources, built by the cross compiler. Included
# before the project's own warning flags: they are not GoogleTest's.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Its own project defines the GTest:: names the test programs link.

# CLI11 and nlohmann-json are headers only. Their folders are linked into one include folder of
# the build: adding /usr/include itself would put the Linux C library's headers before MinGW's.
set(KIRO_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${KIRO_HOST_HEADERS})
foreach(folder CLI nlohmann)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/setup")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${KIRO_HOST_HEADERS}/${folder} SYMBOLIC)
endforeach()
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${KIRO_HOST_HEADERS})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${KIRO_HOST_HEADERS})
set(CLI11_FOUND TRUE)
set(nlohmann_json_FOUND TRUE)

# No Google Benchmark for Windows here. The desktop program is built when the Qt for Windows that
# scripts/setup --windows-gui builds from Debian's sources is there (scripts/build --windows names
# its folder): Debian carries none. Its moc, rcc and uic are this machine's own (QT_HOST_PATH).
set(KIRO_BENCH OFF)
set(KIRO_WINDOWS_QT "" CACHE PATH "The Qt for Windows (MinGW-w64) the desktop program is built against")
if(KIRO_GUI AND KIRO_WINDOWS_QT)
  list(APPEND CMAKE_FIND_ROOT_PATH ${KIRO_WINDOWS_QT})
  # Debian keeps the host Qt's CMake files in the folder of the machine's multiarch name.
  execute_process(COMMAND g++ -print-multiarch OUTPUT_VARIABLE host_multiarch OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${host_multiarch}/cmake)
  find_package(Qt6 QUIET COMPONENTS Widgets Test PATHS ${KIRO_WINDOWS_QT}/lib/cmake NO_DEFAULT_PATH)
endif()
if(KIRO_GUI AND Qt6_FOUND)
  # Every program run here finds Qt's libraries, and the runtime they link, in Qt's own folder.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env WINEPATH=Z:${KIRO_WINDOWS_QT}/bin
                                    ${CMAKE_CROSSCOMPILING_EMULATOR})
else()
  message(STATUS "No Qt 6 for Windows found: building the core, kiro and the updater only")
  set(KIRO_GUI OFF)
endif()

# The build-time tools come from a build of their own for this machine (tools/host); the names
# the build's commands use stand for them.
include(ExternalProject)
set(KIRO_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
ExternalProject_Add(kiro_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/host
  BINARY_DIR ${KIRO_HOST_TOOLS_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${KIRO_HOST_TOOLS_DIR}/textgen/kiro_textgen ${KIRO_HOST_TOOLS_DIR}/embed/kiro_embed
                   ${KIRO_HOST_TOOLS_DIR}/stamp/kiro_stamp ${KIRO_HOST_TOOLS_DIR}/rasterise/kiro_rasterise)
foreach(tool textgen embed stamp rasterise)
  add_executable(kiro_${tool} IMPORTED GLOBAL)
  set_target_properties(kiro_${tool} PROPERTIES IMPORTED_LOCATION ${KIRO_HOST_TOOLS_DIR}/${tool}/kiro_${tool})
endforeach()
