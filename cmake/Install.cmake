# Shipping Quillet to Jw_cad users: the launchers, the install layout and the packages.
#
# Everything lands flat in the install prefix: program, launchers and help side by side,
# because a launcher runs the program from its own folder (REM #cd makes that folder the
# start directory). The start files of a new installation go into defaults/; every
# launcher copies what is missing from there before it starts the program, so unpacking
# a new release over an old one never overwrites a user's settings, presets or phrase book.

# --- Launchers: UTF-8 sources in data/launchers, CP932 CR LF bytes in the build. ---
find_program(QUILLET_ICONV iconv REQUIRED)
set(QUILLET_LAUNCHER_DIR ${PROJECT_BINARY_DIR}/launchers)
file(GLOB launcher_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/launchers/*.bat.in)
set(make_launcher ${PROJECT_SOURCE_DIR}/cmake/MakeLauncher.cmake)
set(wine_start ${PROJECT_SOURCE_DIR}/data/launchers/wine-start.in)
set(windows_launchers "")
set(wine_launchers "")
set(check_launcher "")
foreach(source ${launcher_sources})
  get_filename_component(name ${source} NAME)
  string(REGEX REPLACE "\\.in$" "" name ${name})
  add_custom_command(OUTPUT ${QUILLET_LAUNCHER_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -DIN=${source} -DOUT=${QUILLET_LAUNCHER_DIR}/${name} -DICONV=${QUILLET_ICONV}
            -P ${make_launcher}
    DEPENDS ${source} ${make_launcher} VERBATIM)
  if(name STREQUAL "quillet-check.bat")
    # The diagnostic launcher starts nothing, so one file serves Windows and Wine alike.
    set(check_launcher ${QUILLET_LAUNCHER_DIR}/${name})
    continue()
  endif()
  list(APPEND windows_launchers ${QUILLET_LAUNCHER_DIR}/${name})
  string(REGEX REPLACE "^quillet-" "quillet-wine-" wine_name ${name})
  add_custom_command(OUTPUT ${QUILLET_LAUNCHER_DIR}/${wine_name}
    COMMAND ${CMAKE_COMMAND} -DIN=${source} -DOUT=${QUILLET_LAUNCHER_DIR}/${wine_name} -DICONV=${QUILLET_ICONV}
            -DVARIANT=wine -DWINE_START=${wine_start} -P ${make_launcher}
    DEPENDS ${source} ${wine_start} ${make_launcher} VERBATIM)
  list(APPEND wine_launchers ${QUILLET_LAUNCHER_DIR}/${wine_name})
endforeach()
add_custom_target(quillet_launchers ALL DEPENDS ${windows_launchers} ${wine_launchers} ${check_launcher})

# --- Install layout ---
install(TARGETS quillet RUNTIME DESTINATION .)
if(TARGET quillet_window)
  # The program loads its window from beside itself.
  install(TARGETS quillet_window LIBRARY DESTINATION . RUNTIME DESTINATION .)
endif()
if(WIN32)
  if(QUILLET_BUILD_GUI)
    install(FILES ${windows_launchers} DESTINATION .)
  else()
    # Without the window the mode launchers would start nothing Jw_cad can use.
    install(FILES ${PROJECT_SOURCE_DIR}/data/BATCH-ONLY-TEST-BUILD.txt DESTINATION .)
  endif()
else()
  # The Linux build is started from Jw_cad running under Wine.
  install(FILES ${wine_launchers} DESTINATION .)
  install(PROGRAMS ${PROJECT_SOURCE_DIR}/data/launchers/quillet-wine.sh DESTINATION .)
endif()
install(FILES ${check_launcher} DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/start/ DESTINATION defaults)
if(EXISTS ${PROJECT_SOURCE_DIR}/doc/help/quillet.html)
  install(FILES ${PROJECT_SOURCE_DIR}/doc/help/quillet.html DESTINATION .)
endif()
if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/doc/help/quillet-help)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/doc/help/quillet-help DESTINATION .)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION .)

# --- Packages: a tar.gz of the Linux install, a zip of the Windows one. ---
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "The Quillet developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Annotations for Jw_cad drawings, started as a Jw_cad external program")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Debug information stays in the build tree, not in what users download.
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(QUILLET_BUILD_GUI)
    set(package_platform windows-x86_64)
  else()
    set(package_platform windows-x86_64-batch-only-test)
  endif()
else()
  set(CPACK_GENERATOR TGZ)
  set(package_platform linux-${CMAKE_SYSTEM_PROCESSOR})
endif()
set(CPACK_PACKAGE_FILE_NAME quillet-${PROJECT_VERSION}-${package_platform})
include(CPack)
