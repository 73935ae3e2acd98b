# Where `cmake --install` puts the programs and their data; the prefix and DESTDIR are honoured
# through GNUInstallDirs. The program finds its data from its own folder through
# XELO_DATA_FROM_BIN, so a relocated install works as well as the prefix it was built for.
set(XELO_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/data/desktop)

install(TARGETS xelo-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/man/xelo-tool.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(NOT XELO_CORE_ONLY)
    install(TARGETS xelo_album RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${CMAKE_SOURCE_DIR}/docs/man/xelo_album.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/frames/ DESTINATION ${XELO_INSTALL_DATADIR}/frames)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/help/ DESTINATION ${XELO_INSTALL_DATADIR}/help)
    # Output plug-ins are dropped in here by their own packages.
    install(DIRECTORY DESTINATION ${CMAKE_INSTALL_LIBDIR}/xelo-album/plugins)

    install(FILES ${XELO_DESKTOP_DIR}/xelo-album.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${XELO_DESKTOP_DIR}/io.github.xelo.XeloAlbum.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${XELO_DESKTOP_DIR}/xelo-album-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME xelo-album.xml)
    install(FILES ${XELO_DESKTOP_DIR}/xelo-album.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size 16 24 32 48 64 128 256)
        install(FILES ${XELO_DESKTOP_DIR}/icons/${size}x${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME xelo-album.png)
    endforeach()
endif()
