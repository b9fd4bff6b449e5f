# What `cmake --install` puts under the prefix: the two programs, their manual
# pages and, with the desktop program, its desktop integration (menu entry,
# icons, the task file type, AppStream data, D-Bus activation).
include(GNUInstallDirs)

set(ZARN_APP_ID org.zarn.Zarn)
set(ZARN_ICON_SIZES 16 24 32 48 64 128 256)

install(TARGETS zarn-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
configure_file(res/man/zarn-cli.1 man/zarn-cli.1 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/man/zarn-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TARGET zarn)
  install(TARGETS zarn RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  configure_file(res/man/zarn.1 man/zarn.1 @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/man/zarn.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

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
