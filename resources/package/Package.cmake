# The Debian package: cpack -G DEB in the build folder (./feldora.sh paket) packs the install
# rules above under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME feldora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Feldora-Entwickler <dev@feldora.invalid>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "safety distances of amateur radio antennas under the German BEMFV")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Feldora computes the safety distance of an amateur radio station against the
person-protection limits of the 26. BImSchV, as the German BEMFV asks, and
documents it: far field, near-field boundary, the Wiesbeck method and the
distance per elevation angle, with side view, radiation diagram and printout.
.
Feldora berechnet für Funkamateure den Sicherheitsabstand ihrer Station nach
BEMFV und dokumentiert ihn. Das Programm ist deutschsprachig.]=])
# Linked libraries from dpkg-shlibdeps (libqt6svg6 brings the SVG plugins too); what Qt loads at
# run time without linking it, and xdg-open for opening documents, are named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation2, qt6-translations-l10n, qt6-image-formats-plugins, qt6-image-formats-plugin-pdf, xdg-utils")

# Debian wants a copyright file and a changelog beside the documentation.
execute_process(COMMAND date -u -R -d "${FELDORA_RELEASE_DATE} 12:00 UTC" OUTPUT_VARIABLE changelog_date
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
string(CONCAT changelog "feldora (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
       "  * Feldora ${PROJECT_VERSION}.\n\n"
       " -- ${CPACK_PACKAGE_CONTACT}  ${changelog_date}\n")
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog CONTENT "${changelog}") # rewritten only when changed
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    COMMAND gzip -9nf -k ${CMAKE_CURRENT_BINARY_DIR}/changelog
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog)
add_custom_target(feldora_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES package/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${FELDORA_DOC_DIR})

include(CPack)
