# Installation (binaries, icons, desktop entry, man pages) and the Debian package.
include(GNUInstallDirs)

install(TARGETS opr903 r903-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS packaging/opr903-launcher DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/opr903.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The man pages carry the project's version.
foreach(page opr903.1 r903-sim.1)
  configure_file(packaging/${page}.in ${CMAKE_BINARY_DIR}/man/${page} @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The normal icon in the hicolor theme: scalable, and rendered at 16, 32, 48 px.
set(ICON_SVG ${CMAKE_SOURCE_DIR}/src/app/icons/img0.svg)
install(FILES ${ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME opr903.svg)
add_executable(render_icon tools/render_icon.cpp)
target_link_libraries(render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(ICON_PNGS)
foreach(size 16 32 48)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}/opr903.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
    COMMAND render_icon ${ICON_SVG} ${size} ${png}
    DEPENDS render_icon ${ICON_SVG}
    COMMENT "Rendering the ${size} px icon")
  list(APPEND ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(icons ALL DEPENDS ${ICON_PNGS})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME opr903)
set(CPACK_PACKAGE_VENDOR "opr903 developers")
set(CPACK_PACKAGE_CONTACT "opr903 developers <opr903@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Operator console for the R903 telephone exchange")
set(CPACK_PACKAGE_DESCRIPTION "Shows the R903 exchange's extensions and outside lines live, carries the operator's commands to the exchange over one serial line, and keeps names and notes in OPR903.DAT. Includes r903-sim, a simulated exchange for training and demonstration.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6serialport6 (>= 6.4), libqt6multimedia6 (>= 6.4), libqt6dbus6 (>= 6.4), libqt6svg6 (>= 6.4), qt6-qpa-plugins, libxcb1, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
include(CPack)

if(BUILD_TESTING)
  add_test(NAME package COMMAND ${CMAKE_SOURCE_DIR}/tests/package/package_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(package PROPERTIES TIMEOUT 300 RESOURCE_LOCK package)
endif()
