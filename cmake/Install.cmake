# Install layout, desktop integration and the Debian package (see packaging/).
#
#   bin/sonavolta                          relative link to the program
#   <libdir>/sonavolta/sonavolta           the program
#   <libdir>/sonavolta/spn.dat             its pitch table   } found beside the
#   <libdir>/sonavolta/sonavolta.html      its help page     } program's real file
#   <libdir>/sonavolta/sonavolta_<language>.html    the help page in a language
#   <libdir>/sonavolta/sonavolta.css       the help pages' stylesheet
#   <libdir>/sonavolta/sonavolta-<calculator>[_<language>].html  pages leading to its sections
#   share/applications/<app id>.desktop      the desktop entry } named after
#   share/metainfo/<app id>.metainfo.xml     AppStream metadata } SONAVOLTA_APP_ID
#   share/icons/hicolor/<size>/apps/sonavolta.png, scalable/apps/sonavolta.svg
#
# The program and its data files stay together in a directory of their
# own, as the program looks for them beside its real executable. That is a
# package's private directory under lib/ rather than libexec/, which is meant
# for helpers that other programs run and not for data.

include(GNUInstallDirs)

set(SONAVOLTA_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/sonavolta" CACHE STRING
  "Directory, relative to the prefix, of the program and its data files")

# The program links only system libraries: no run path (the one Qt's project
# set-up proposes would point into lib/ beside bin/, where we ship nothing).
set_target_properties(sonavolta PROPERTIES INSTALL_RPATH "")
install(TARGETS sonavolta RUNTIME DESTINATION ${SONAVOLTA_INSTALL_DIR})
install(FILES ${SONAVOLTA_PITCH_TABLE} ${SONAVOLTA_HELP_PAGES} ${SONAVOLTA_HELP_STYLE} DESTINATION ${SONAVOLTA_INSTALL_DIR})
install(DIRECTORY ${SONAVOLTA_HELP_TOPIC_DIR}/ DESTINATION ${SONAVOLTA_INSTALL_DIR})

# The link is made here once and installed as a link; being relative, it
# holds under any prefix and DESTDIR.
cmake_path(ABSOLUTE_PATH SONAVOLTA_INSTALL_DIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
  OUTPUT_VARIABLE _sonavolta_full_dir)
file(RELATIVE_PATH _sonavolta_link_target "${CMAKE_INSTALL_FULL_BINDIR}" "${_sonavolta_full_dir}/sonavolta")
set(_sonavolta_link "${CMAKE_CURRENT_BINARY_DIR}/packaging/bin/sonavolta")
file(MAKE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/packaging/bin")
file(CREATE_LINK "${_sonavolta_link_target}" "${_sonavolta_link}" SYMBOLIC)
install(FILES "${_sonavolta_link}" DESTINATION ${CMAKE_INSTALL_BINDIR})

# Both named after the id the program gives its window, so a dock matches
# the window to its entry; the metainfo names the id and the entry inside.
install(FILES packaging/desktop-entry.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${SONAVOLTA_APP_ID}.desktop)
set(_sonavolta_metainfo "${CMAKE_CURRENT_BINARY_DIR}/packaging/${SONAVOLTA_APP_ID}.metainfo.xml")
configure_file(packaging/metainfo.xml.in "${_sonavolta_metainfo}" @ONLY)
install(FILES "${_sonavolta_metainfo}" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 16 24 32 48 64 128 256)
  install(FILES res/icons/hicolor/${size}x${size}/sonavolta.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES res/icons/sonavolta.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The tests of the installed tree (tests/install) check this layout.
foreach(_sonavolta_test install_test deb_test)
  if(TARGET ${_sonavolta_test})
    target_compile_definitions(${_sonavolta_test} PRIVATE
      SONAVOLTA_BINDIR="${CMAKE_INSTALL_BINDIR}"
      SONAVOLTA_PROGRAM_DIR="${SONAVOLTA_INSTALL_DIR}"
      SONAVOLTA_DATADIR="${CMAKE_INSTALL_DATADIR}"
      SONAVOLTA_APP_ID="${SONAVOLTA_APP_ID}")
  endif()
endforeach()

# ---------------------------------------------------------------- sonavolta-calc
# The calculators on the command line, in bin/ itself: it reads no data
# files. Its manual page and bash completion go where man and bash look.
#   bin/sonavolta-calc
#   share/locale/<language>/LC_MESSAGES/sonavolta-calc.mo   its messages
#   share/man/man1/sonavolta-calc.1
#   share/bash-completion/completions/sonavolta-calc
set_target_properties(sonavolta-calc PROPERTIES INSTALL_RPATH "")
install(TARGETS sonavolta-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${SONAVOLTA_CLI_LOCALE_DIR}/ DESTINATION ${CMAKE_INSTALL_LOCALEDIR})
install(FILES share/man/man1/sonavolta-calc.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES share/bash-completion/completions/sonavolta-calc
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
foreach(_sonavolta_test install_test deb_test)
  if(TARGET ${_sonavolta_test})
    target_compile_definitions(${_sonavolta_test} PRIVATE SONAVOLTA_MANDIR="${CMAKE_INSTALL_MANDIR}")
    add_dependencies(${_sonavolta_test} sonavolta-calc)
  endif()
endforeach()

# ---------------------------------------------------------------- Debian package
# cpack -G DEB (or the "package" target) in the build tree.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sonavolta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Sonavolta team")
set(CPACK_PACKAGE_CONTACT "The Sonavolta team <feedback@sonavolta.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for audio levels, tempo delays and wavelengths")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installed binaries carry no debugging information.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://sonavolta.example/")
# The synopsis is the summary above; this is the text below it.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Sonavolta has three calculators behind a start screen. Level converts"
  "between dBu, dBV, dBm, power at a load impedance and RMS and peak-to-peak"
  "voltage. Delay turns a tempo in BPM into the lengths of bars and notes in"
  "milliseconds. Wave turns a frequency into its period, its wavelength and"
  "its note name. Every keystroke recomputes the other fields.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps finds the libraries the program links (Qt Core, Gui and
# Widgets, the C and C++ runtimes). Qt loads its platform plugins at run time,
# so no linked library names their package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's Wayland platform plugin, without which a Wayland session runs the
# program through XWayland and Qt complains that it found no "wayland" plugin.
# It works without, so recommended rather than required. So are Qt's own
# translations, of the texts Qt draws itself (a message box's buttons, an
# entry field's context menu): without them those stay English. Fonts for
# Japanese and Chinese are the desktop's business.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")

include(CPack)
