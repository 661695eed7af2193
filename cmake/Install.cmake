# What `cmake --install` puts where (GNUInstallDirs), and the Debian package that
# `cpack -G DEB` makes of it. The files with the application id in their names are made
# here from the templates in data/, so the id lives only in TAPESTRO_APP_ID.
include(GNUInstallDirs)

set(data ${PROJECT_SOURCE_DIR}/data)
set(made ${PROJECT_BINARY_DIR}/data)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tapestro)
configure_file(${data}/tapestro.desktop.in ${made}/${TAPESTRO_APP_ID}.desktop @ONLY)
configure_file(${data}/tapestro.metainfo.xml.in ${made}/${TAPESTRO_APP_ID}.metainfo.xml @ONLY)

install(TARGETS tapestro tapestro-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${made}/${TAPESTRO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${made}/${TAPESTRO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${data}/icons/tapestro.svg DESTINATION ${icon_dir}/scalable/apps RENAME ${TAPESTRO_APP_ID}.svg)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${data}/icons/${size}.png DESTINATION ${icon_dir}/${size}x${size}/apps RENAME ${TAPESTRO_APP_ID}.png)
endforeach()

# Manual pages and the changelog go compressed, without a time stamp in the gzip
# header, so that two builds of the same tree give the same package.
set(compressed "")
foreach(page tapestro.1 tapestro-tool.1)
  configure_file(${data}/${page}.in ${made}/${page} @ONLY)
  list(APPEND compressed ${made}/${page})
endforeach()
configure_file(${data}/changelog ${made}/changelog COPYONLY)
list(TRANSFORM compressed APPEND .gz OUTPUT_VARIABLE gzipped)
list(APPEND gzipped ${made}/changelog.gz)
foreach(file ${compressed} ${made}/changelog)
  add_custom_command(OUTPUT ${file}.gz COMMAND gzip -9 -n -c ${file} > ${file}.gz DEPENDS ${file} VERBATIM)
endforeach()
add_custom_target(tapestro_compressed_docs ALL DEPENDS ${gzipped})
install(FILES ${made}/tapestro.1.gz ${made}/tapestro-tool.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The licence, under the name Debian looks for.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${doc_dir} RENAME copyright)
install(FILES ${made}/changelog.gz DESTINATION ${doc_dir})

# The Debian package: tapestro_VERSION_ARCH.deb, its library dependencies found by
# dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tapestro)
set(CPACK_PACKAGE_VENDOR "The Tapestro developers")
set(CPACK_PACKAGE_CONTACT "The Tapestro developers <tapestro@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop wallpaper changer in the notification area")
set(CPACK_PACKAGE_DESCRIPTION
    "Tapestro changes the desktop wallpaper on a timer from a folder of JPEG, GIF,
BMP and PNG pictures, in list order or at random, tiled, centred or fitted to
the screen. It lives as an icon in the notification area and restores its
choices at start. tapestro-tool lists, inspects, converts and applies pictures
from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its X11 and Wayland platform plugins at run time; no library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# The wlroots and LXQt/LXDE desktop back ends hand the picture to these programs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "swaybg, pcmanfm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
