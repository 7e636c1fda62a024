# What `cmake --install` puts where on Linux, and the Debian package CPack
# makes of it (scripts/package.sh). Included from the top-level
# CMakeLists.txt once every program exists.
include(GNUInstallDirs)

# The programs, the privileged helper where the polkit policy names it, and
# the country module where the programs look for it.
install(TARGETS romwise-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS romwise-pass RUNTIME DESTINATION ${ROMWISE_HELPER_DIR})
install(TARGETS romwise-country LIBRARY DESTINATION ${ROMWISE_MODULE_DIR})

set(ROMWISE_HELPER_PATH ${ROMWISE_HELPER_DIR}/romwise-pass)
configure_file(res/polkit/com.quorvel.romwise.policy.in
  ${PROJECT_BINARY_DIR}/com.quorvel.romwise.policy @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/com.quorvel.romwise.policy
  DESTINATION ${CMAKE_INSTALL_DATADIR}/polkit-1/actions)

install(DIRECTORY samples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/romwise/samples)

# Manual pages made from the programs' own --help and --version, and the
# shell completion from romwise-cli's --help.
find_program(HELP2MAN help2man)
set(ROMWISE_MAN_DIR ${PROJECT_BINARY_DIR}/man)
set(romwise_manuals romwise-cli)
set(romwise_manual_romwise-cli_description "identify the BIOS and core hardware of a PC")
if(TARGET romwise)
  list(APPEND romwise_manuals romwise)
  set(romwise_manual_romwise_description "the Romwise window: BIOS and hardware of a PC")
endif()
if(HELP2MAN)
  foreach(program IN LISTS romwise_manuals)
    add_custom_command(OUTPUT ${ROMWISE_MAN_DIR}/${program}.1.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${ROMWISE_MAN_DIR}
      COMMAND ${HELP2MAN} --no-info --section=1
              --name=${romwise_manual_${program}_description}
              --output=${ROMWISE_MAN_DIR}/${program}.1 $<TARGET_FILE:${program}>
      COMMAND gzip -9nf ${ROMWISE_MAN_DIR}/${program}.1
      DEPENDS ${program}
      COMMENT "Writing the manual page of ${program}"
      VERBATIM)
    list(APPEND romwise_generated ${ROMWISE_MAN_DIR}/${program}.1.gz)
    install(FILES ${ROMWISE_MAN_DIR}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
else()
  message(STATUS "help2man not found: no manual pages (scripts/bootstrap.sh installs it)")
endif()
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/completion/romwise-cli
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/completion
  COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/make-completion.sh $<TARGET_FILE:romwise-cli>
          ${PROJECT_BINARY_DIR}/completion/romwise-cli
  DEPENDS romwise-cli ${PROJECT_SOURCE_DIR}/scripts/make-completion.sh
  COMMENT "Writing the shell completion of romwise-cli"
  VERBATIM)
list(APPEND romwise_generated ${PROJECT_BINARY_DIR}/completion/romwise-cli)
install(FILES ${PROJECT_BINARY_DIR}/completion/romwise-cli
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/doc/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/doc
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/res/debian/changelog
          > ${PROJECT_BINARY_DIR}/doc/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/res/debian/changelog
  VERBATIM)
list(APPEND romwise_generated ${PROJECT_BINARY_DIR}/doc/changelog.gz)
install(FILES res/debian/copyright ${PROJECT_BINARY_DIR}/doc/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/romwise)
add_custom_target(romwise-install-files ALL DEPENDS ${romwise_generated})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME romwise)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quorvel Romwise team <romwise@quorvel.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "identify a PC's BIOS, chipset and Super I/O chip")
set(CPACK_PACKAGE_DESCRIPTION
  "Romwise identifies a PC's system firmware and core hardware: the BIOS
maker, date, ID and OEM sign-on from the ROM window, the SMBIOS/DMI data,
the processor, the chipset, the Super I/O chip, the operating system and
the locale. It shows them in one window, saves and prints a report, and
hands every value to the maker's BIOS upgrade form. romwise-cli does the
same on a terminal; both also run on recorded or simulated machines.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://${ROMWISE_MAKER_WEB_HOST}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# sensible-browser starts the browser where xdg-open gives none.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "sensible-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pkexec, xdg-utils, fonts-arphic-uming")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
