# `cmake --install`: the program in bin/, its data folder under share/kerbo
# (with a fresh high-score table, never a developer's), the desktop entry,
# the icons and the AppStream metainfo. The program looks for its data in
# ../share/kerbo beside its bin/ folder and in the data folder compiled in
# here, so an installation works from any working directory.
include(GNUInstallDirs)

set(KERBO_INSTALLED_DATA ${CMAKE_INSTALL_FULL_DATADIR}/kerbo)
target_compile_definitions(kerbo_game PRIVATE KERBO_INSTALLED_DATA="${KERBO_INSTALLED_DATA}")

install(TARGETS kerbo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

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

  install(DIRECTORY ${KERBO_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kerbo
          PATTERN "Highscores.txt*" EXCLUDE)
  install(FILES ${start_dir}/Highscores.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/kerbo)
  install(DIRECTORY ${KERBO_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

install(FILES ${CMAKE_CURRENT_LIST_DIR}/kerbo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/nl.kerbo.Kerbo.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
