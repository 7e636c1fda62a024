# Installs the window program with its desktop entry, icon, help page and
# the font rule that maps the dialog font to the free Song face.
include(GNUInstallDirs)
install(TARGETS romwise RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/res/romwise.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/res/romwise.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/res/help/index.html DESTINATION ${CMAKE_INSTALL_DATADIR}/romwise/help)
install(FILES ${PROJECT_SOURCE_DIR}/res/fontconfig/65-romwise-simsun.conf
  DESTINATION ${CMAKE_INSTALL_DATADIR}/fontconfig/conf.avail)
