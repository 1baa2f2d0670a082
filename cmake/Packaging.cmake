# Installation layout and the two Debian packages one `cpack -G DEB` run makes: "hexquendra", the
# window with its desktop entry, icon, MIME type, metainfo and manual page, and "hexquendra-cli", the
# command line with its manual page, for servers and CI machines without a graphical environment.
# Manual pages and the changelog are built and gzipped (-9n, no name or time stamp) at build time.
include(GNUInstallDirs)

set(HQ_APP_ID org.hexquendrabolt.HexQuendrabolt)
set(HQ_DIST ${PROJECT_SOURCE_DIR}/dist)
set(HQ_DIST_BUILD ${CMAKE_BINARY_DIR}/dist)
file(MAKE_DIRECTORY ${HQ_DIST_BUILD})
find_program(HQ_GZIP gzip REQUIRED)

# The newest changelog entry dates the release: the manual pages carry its month, and help2man
# reads it from SOURCE_DATE_EPOCH, so a rebuild a month later makes the same pages.
file(STRINGS ${HQ_DIST}/debian/changelog hq_changelog_trailers REGEX "^ -- ")
list(GET hq_changelog_trailers 0 hq_release_trailer)
if(NOT hq_release_trailer MATCHES ">  (..., ([0-9]+) (...) ([0-9][0-9][0-9][0-9]) [0-9:]+ [+-][0-9]+)$")
    message(FATAL_ERROR "dist/debian/changelog: no date in the line \"${hq_release_trailer}\"")
endif()
set(hq_release_date "${CMAKE_MATCH_1}")
set(hq_months_en Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(hq_months_de Januar Februar März April Mai Juni Juli August September Oktober November Dezember)
list(FIND hq_months_en "${CMAKE_MATCH_3}" hq_month)
list(GET hq_months_de ${hq_month} hq_month_de)
set(HQ_MAN_DATE "${hq_month_de} ${CMAKE_MATCH_4}")
execute_process(COMMAND date -u -d "${hq_release_date}" +%s OUTPUT_VARIABLE HQ_RELEASE_EPOCH
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

set(hq_changelog_gz ${HQ_DIST_BUILD}/changelog.gz)
add_custom_command(OUTPUT ${hq_changelog_gz}
    COMMAND ${CMAKE_COMMAND} -E copy ${HQ_DIST}/debian/changelog ${HQ_DIST_BUILD}/changelog
    COMMAND ${HQ_GZIP} -9nf ${HQ_DIST_BUILD}/changelog
    DEPENDS ${HQ_DIST}/debian/changelog
    VERBATIM)

configure_file(${HQ_DIST}/hexquendra.1.in ${HQ_DIST_BUILD}/hexquendra.1.in @ONLY)
set(hq_app_man ${HQ_DIST_BUILD}/hexquendra.1.gz)
add_custom_command(OUTPUT ${hq_app_man}
    COMMAND ${CMAKE_COMMAND} -E copy ${HQ_DIST_BUILD}/hexquendra.1.in ${HQ_DIST_BUILD}/hexquendra.1
    COMMAND ${HQ_GZIP} -9nf ${HQ_DIST_BUILD}/hexquendra.1
    DEPENDS ${HQ_DIST_BUILD}/hexquendra.1.in
    VERBATIM)

# hexquendra-cli.1 comes from what the built program prints for --help and --version, so it follows
# the program. help2man reads the help in a German locale: then its own headings are German and it
# recognises "Aufruf:" and "Optionen:". The locale is compiled into the build folder, as build
# machines seldom have de_DE.UTF-8 generated; without the locale sources (Debian package "locales")
# the page keeps English headings, and C.UTF-8 still keeps the umlauts intact.
find_program(HQ_HELP2MAN help2man)
find_program(HQ_LOCALEDEF localedef)
set(hq_cli_man ${HQ_DIST_BUILD}/hexquendra-cli.1.gz)
if(HQ_HELP2MAN)
    set(hq_locale_dir ${CMAKE_BINARY_DIR}/locale)
    if(HQ_LOCALEDEF AND EXISTS /usr/share/i18n/locales/de_DE)
        set(hq_man_locale de_DE.UTF-8)
        set(hq_locale_env LOCPATH=${hq_locale_dir})
        set(hq_locale_stamp ${hq_locale_dir}/de_DE.UTF-8/LC_CTYPE)
        # localedef creates the locale's own folder but not its parent; Ninja makes the folders of
        # its outputs itself, the Makefile generator does not.
        add_custom_command(OUTPUT ${hq_locale_stamp}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${hq_locale_dir}
            COMMAND ${HQ_LOCALEDEF} -i de_DE -f UTF-8 ${hq_locale_dir}/de_DE.UTF-8
            COMMENT "Locale de_DE.UTF-8 für help2man"
            VERBATIM)
    else()
        message(STATUS "hexquendra-cli.1: no de_DE locale sources, the manual page gets English headings")
        set(hq_man_locale C.UTF-8)
        set(hq_locale_env)
        set(hq_locale_stamp)
    endif()
    add_custom_command(OUTPUT ${hq_cli_man}
        COMMAND ${CMAKE_COMMAND} -E env ${hq_locale_env} SOURCE_DATE_EPOCH=${HQ_RELEASE_EPOCH}
                ASAN_OPTIONS=detect_leaks=0
                ${HQ_HELP2MAN} --no-info --section=1 --locale=${hq_man_locale}
                --include=${HQ_DIST}/hexquendra-cli.h2m --output=${HQ_DIST_BUILD}/hexquendra-cli.1
                $<TARGET_FILE:hexquendra-cli>
        COMMAND ${HQ_GZIP} -9nf ${HQ_DIST_BUILD}/hexquendra-cli.1
        DEPENDS hexquendra-cli ${HQ_DIST}/hexquendra-cli.h2m ${hq_locale_stamp}
        COMMENT "Handbuchseite hexquendra-cli.1"
        VERBATIM)
else()
    message(WARNING "help2man not found: the package hexquendra-cli will lack its manual page")
    set(hq_cli_man)
endif()
add_custom_target(hq_package_docs ALL DEPENDS ${hq_changelog_gz} ${hq_app_man} ${hq_cli_man})
# The manual pages' own steps without the programs: what the CI builds in a second folder with
# CMake's default generator, which unlike Ninja makes no output folders by itself.
add_custom_target(hq_man_locale DEPENDS ${hq_locale_stamp} ${hq_app_man})
add_dependencies(hq_package_docs hq_man_locale)

# Component "app": the package hexquendra.
set(hq_app_doc ${CMAKE_INSTALL_DATAROOTDIR}/doc/hexquendra)
install(TARGETS hexquendra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT app)
install(FILES ${HQ_DIST}/${HQ_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT app)
install(FILES ${HQ_DIST}/${HQ_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        COMPONENT app)
install(FILES ${HQ_DIST}/${HQ_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages COMPONENT app)
install(FILES ${HQ_DIST}/${HQ_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT app)
install(FILES ${hq_app_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT app)
install(FILES ${HQ_DIST}/debian/copyright ${hq_changelog_gz} DESTINATION ${hq_app_doc} COMPONENT app)

# Component "cli": the package hexquendra-cli.
set(hq_cli_doc ${CMAKE_INSTALL_DATAROOTDIR}/doc/hexquendra-cli)
install(TARGETS hexquendra-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
if(hq_cli_man)
    install(FILES ${hq_cli_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)
endif()
install(FILES ${HQ_DIST}/debian/copyright ${hq_changelog_gz} DESTINATION ${hq_cli_doc} COMPONENT cli)

set(CPACK_PACKAGE_NAME hexquendra)
set(CPACK_PACKAGE_VENDOR "HEX Quendrabolt")
set(CPACK_PACKAGE_CONTACT "HEX Quendrabolt <hexquendrabolt@example.org>")
# CPackDeb puts the project-wide summary in front of every component's description; left empty, the
# first line of each component's description is its own synopsis.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://hexquendrabolt.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders as Debian wants them whatever the umask of the one who runs cpack.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL app cli)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_APP_PACKAGE_NAME hexquendra)
# The window loads Qt's German texts for its standard dialogs and buttons.
set(CPACK_DEBIAN_APP_PACKAGE_DEPENDS "shared-mime-info, qt6-translations-l10n")
# Recommends, not Depends: the window never runs the command line, but most who configure decoders
# by hand also want to script it; apt installs it by default, and a lean install can leave it out.
set(CPACK_DEBIAN_APP_PACKAGE_RECOMMENDS hexquendra-cli)
set(CPACK_DEBIAN_APP_DESCRIPTION [=[
Konfiguration von Modellbahn-Dekoder-Firmware (Intel HEX)
HEX Quendrabolt loads the firmware of a hobbyist model-railway decoder from
an Intel HEX file, recognises the kind of firmware and shows its settings:
protocol (MM or DCC), switch or vehicle decoder, the address and red/green or
function number of every output, the extra value and, for servo, blink, LED,
neon and house firmware, an editor of their own. Changed settings are checked
and written to a new HEX file, ready to be programmed into the decoder.

This package holds the window, whose user interface is German. The command
line is in the package hexquendra-cli.

HEX Quendrabolt lädt die Firmware eines Modellbahn-Dekoders aus einem
Intel-HEX-File, erkennt die Firmware-Art und zeigt ihre Einstellungen:
Protokoll (MM oder DCC), Schalt- oder Fahrzeug-Dekoder, je Ausgang Adresse
und Rot/Grün oder Funktions-Nummer, den Zusatzwert und bei Servo-, Blink-,
LED-, Neon- und Haus-Firmware einen eigenen Editor. Geänderte Einstellungen
werden geprüft und in ein neues HEX-File geschrieben, das dann in den Dekoder
gebrannt werden kann.

Dieses Paket enthält das Fenster; die Kommandozeile liegt im Paket
hexquendra-cli.]=])

set(CPACK_DEBIAN_CLI_PACKAGE_NAME hexquendra-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_SOURCE hexquendra)
# No double quotes here: CPackDeb turns them into semicolons.
set(CPACK_DEBIAN_CLI_DESCRIPTION [=[
Modellbahn-Dekoder-Firmware (Intel HEX) auf der Kommandozeile konfigurieren
hexquendra-cli does what the HEX Quendrabolt window does, without a window.
Its command show prints the recognised firmware kind and its settings as text
or JSON, apply takes settings from a JSON file, checks them as the window does
and writes a new HEX file, check tests checksums and recognition, and demo
writes demo firmware of every known kind. It suits servers, scripts and
continuous integration.

hexquendra-cli macht ohne Fenster, was das Fenster von HEX Quendrabolt macht.
Der Befehl show zeigt Firmware-Art und Einstellungen als Text oder JSON,
apply übernimmt Einstellungen aus einer JSON-Datei, prüft sie wie das Fenster
und schreibt ein neues HEX-File, check prüft Prüfsummen und Erkennung, und
demo schreibt Demo-Firmware jeder bekannten Art. Es eignet sich für Server,
Skripte und CI.]=])

include(CPack)
