# What `cmake --install` puts under the prefix: the two programs, their manual
# pages, the documentation (copyright, changelog, README, example tasks) and,
# with the desktop program, its desktop integration (menu entry, icons, the
# task file type, AppStream data, D-Bus activation).
include(GNUInstallDirs)

# Compressed as Debian wants it (maximum compression, no name or time stamp,
# so the bytes do not change from build to build). Done at configure time:
# a changed source file runs the configuration again.
function(zarn_gzip file)
  execute_process(COMMAND gzip -9nkf ${file} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${file} failed")
  endif()
endfunction()

function(zarn_man_page name)
  configure_file(res/man/${name}.1 man/${name}.1 @ONLY)
  zarn_gzip(${PROJECT_BINARY_DIR}/man/${name}.1)
  install(FILES ${PROJECT_BINARY_DIR}/man/${name}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# The Debian copyright file carries the licence text of LICENSE (from its
# permission notice on), indented as the machine-readable format wants.
file(STRINGS LICENSE license_lines)
set(ZARN_LICENSE_TEXT "")
set(in_notice FALSE)
foreach(line IN LISTS license_lines)
  if(line MATCHES "^Permission is hereby granted")
    set(in_notice TRUE)
  endif()
  if(NOT in_notice)
    continue()
  endif()
  if(line STREQUAL "")
    string(APPEND ZARN_LICENSE_TEXT " .\n")
  else()
    string(APPEND ZARN_LICENSE_TEXT " ${line}\n")
  endif()
endforeach()
string(REGEX REPLACE "\n$" "" ZARN_LICENSE_TEXT "${ZARN_LICENSE_TEXT}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS LICENSE)
configure_file(cmake/debian/copyright.in doc/copyright @ONLY)
configure_file(cmake/debian/changelog doc/changelog COPYONLY)
zarn_gzip(${PROJECT_BINARY_DIR}/doc/changelog)
install(FILES ${PROJECT_BINARY_DIR}/doc/copyright ${PROJECT_BINARY_DIR}/doc/changelog.gz README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
# What lintian is told about the package (the examples' encoding).
install(FILES cmake/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME zarn)

set(ZARN_APP_ID org.zarn.Zarn)
set(ZARN_ICON_SIZES 16 24 32 48 64 128 256)

if(TARGET zarn-cli)
  install(TARGETS zarn-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  zarn_man_page(zarn-cli)
endif()

if(TARGET zarn)
  install(TARGETS zarn RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  zarn_man_page(zarn)

  install(FILES res/${ZARN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES res/${ZARN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES res/zarn-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME zarn.xml)

  set(ZARN_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES res/zarn.svg DESTINATION ${ZARN_ICON_DIR}/scalable/apps)
  foreach(size IN LISTS ZARN_ICON_SIZES)
    # The 64-pixel icon is the one the program carries in its resources.
    if(size EQUAL 64)
      set(png res/zarn.png)
    else()
      set(png res/icons/zarn-${size}.png)
    endif()
    install(FILES ${png} DESTINATION ${ZARN_ICON_DIR}/${size}x${size}/apps RENAME zarn.png)
  endforeach()

  # The session bus starts the installed program for an automation client. The
  # file names the program by its full path, so it is written at install time,
  # when the prefix is known (cmake --install --prefix, cpack).
  if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
    set(bindir "${CMAKE_INSTALL_BINDIR}")
  else()
    set(bindir "\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}")
  endif()
  set(service ${PROJECT_BINARY_DIR}/dbus/Zarn.Application.service)
  install(CODE "
    set(CMAKE_INSTALL_FULL_BINDIR \"${bindir}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/cmake/Zarn.Application.service.in\" \"${service}\" @ONLY)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/dbus-1/services\"
         TYPE FILE FILES \"${service}\")")
endif()
