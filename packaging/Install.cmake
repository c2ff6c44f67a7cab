# `cmake --install`: the program in bin/, its data folder under share/kerbo
# (with a fresh high-score table, never a developer's), the desktop entry,
# the icons, the AppStream metainfo and the manual page. The program looks for
# its data in ../share/kerbo beside its bin/ folder and in the data folder
# compiled in here, so an installation works from any working directory.
#
# A distribution package chooses other folders, relative to the prefix:
#   KERBO_INSTALL_BINDIR   the program's folder   (Debian: games)
#   KERBO_INSTALL_DATADIR  the data folder        (Debian: share/games/kerbo)
#   KERBO_DESKTOP_EXEC     the desktop entry's command (Debian: /usr/games/kerbo)
include(GNUInstallDirs)

set(KERBO_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Folder of the program, relative to the prefix")
set(KERBO_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/kerbo CACHE STRING "Data folder, relative to the prefix")
set(KERBO_DESKTOP_EXEC kerbo CACHE STRING "The command the desktop entry starts")

cmake_path(ABSOLUTE_PATH KERBO_INSTALL_DATADIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX} NORMALIZE
           OUTPUT_VARIABLE KERBO_INSTALLED_DATA)
target_compile_definitions(kerbo_game PRIVATE KERBO_INSTALLED_DATA="${KERBO_INSTALLED_DATA}")

install(TARGETS kerbo RUNTIME DESTINATION ${KERBO_INSTALL_BINDIR})

if(KERBO_DATA)
  # The starting table as the data set-up makes it for a fresh folder.
  set(start_dir ${PROJECT_BINARY_DIR}/packaging/start)
  add_custom_command(OUTPUT ${start_dir}/Highscores.txt
                     COMMAND ${CMAKE_COMMAND} -E rm -rf ${start_dir}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${start_dir}
                     COMMAND ${CMAKE_COMMAND} -DDATA_DIR=${start_dir} -P ${PROJECT_SOURCE_DIR}/tools/DataSetup.cmake
                     DEPENDS ${PROJECT_SOURCE_DIR}/tools/DataSetup.cmake
                     VERBATIM)
  add_custom_target(starting_high_scores ALL DEPENDS ${start_dir}/Highscores.txt)

  install(DIRECTORY ${KERBO_DATA_DIR}/ DESTINATION ${KERBO_INSTALL_DATADIR}
          PATTERN "Highscores.txt*" EXCLUDE)
  install(FILES ${start_dir}/Highscores.txt DESTINATION ${KERBO_INSTALL_DATADIR})
  install(DIRECTORY ${KERBO_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# The desktop entry with the command chosen above.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/kerbo.desktop)
file(READ ${CMAKE_CURRENT_LIST_DIR}/kerbo.desktop desktop_entry)
string(REGEX REPLACE "\nExec=[^\n]*" "\nExec=${KERBO_DESKTOP_EXEC}" desktop_entry "${desktop_entry}")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/packaging/kerbo.desktop CONTENT "${desktop_entry}" @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/kerbo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/nl.kerbo.Kerbo.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page names the data folder of this installation.
configure_file(${CMAKE_CURRENT_LIST_DIR}/kerbo.6.in ${PROJECT_BINARY_DIR}/packaging/kerbo.6 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/kerbo.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
