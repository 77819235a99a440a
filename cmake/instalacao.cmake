# Where `cmake --install` (and so the Debian package, debian/rules) puts the game, after the FHS:
#
#   lib/trevolino/trevolino            the executable, with Bobinas/ and Som/ beside it, where
#   lib/trevolino/Bobinas/, Som/       the game looks for them: a private folder of its own
#   lib/trevolino/instalado            the marker: this tree is never written by the game
#   games/trevolino -> ../lib/trevolino/trevolino  the command, a relative link
#   share/fonts/truetype/trevolino/LCDMono2.ttf  the LCD font, for every user
#   share/applications/<id>.desktop    the menu entry
#   share/icons/hicolor/*/apps/<id>.*  the clover, every size and scalable
#   share/metainfo/<id>.metainfo.xml   the AppStream entry
#   share/man/man6/trevolino.6.gz      the manual page (English)
#   share/man/pt_BR/man6/trevolino.6.gz  the same in Brazilian Portuguese
#   share/doc/trevolino/               copyright and changelog (debian/'s own)
#
# (lib/ is GNUInstallDirs' LIBDIR, share/ its DATAROOTDIR.) The command goes where Debian puts
# games' commands, /usr/games (on every user's PATH there, and what the "games" section of the
# package asks for); TREVOLINO_PASTA_DO_COMANDO=bin puts it in BINDIR instead. The program folder
# is never written by an installed game, whoever runs it: the marker sends what it unpacks to a
# folder of the user's own, and the installer modes copy the program elsewhere. A tree the
# package manager installed (TREVOLINO_PACOTE_DO_SISTEMA=ON, as debian/rules sets it) says so in
# its marker, and the installer modes leave it to the package manager.
include(GNUInstallDirs)

set(TREVOLINO_PASTA_PRIVADA ${CMAKE_INSTALL_LIBDIR}/trevolino)
option(TREVOLINO_PACOTE_DO_SISTEMA "The installed tree belongs to the system's package manager" OFF)
set(TREVOLINO_PASTA_DO_COMANDO games CACHE STRING
    "Folder of the trevolino command, relative to the prefix (games, or bin)")
set(_dados ${CMAKE_BINARY_DIR}/dados)
set(_id ${TREVOLINO_ID_DO_APLICATIVO})
set(_leitura OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(_pastas OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS trevolino RUNTIME DESTINATION ${TREVOLINO_PASTA_PRIVADA})
install(DIRECTORY ${TREVOLINO_PROGRAM_DIR}/Bobinas ${TREVOLINO_PROGRAM_DIR}/Som
        DESTINATION ${TREVOLINO_PASTA_PRIVADA}
        FILE_PERMISSIONS ${_leitura} DIRECTORY_PERMISSIONS ${_pastas})
# The marker's one line is read by the game (src/platform/pasta_de_desempacotar.cpp).
if(TREVOLINO_PACOTE_DO_SISTEMA)
  file(WRITE ${_dados}/instalado "pacote\n")
else()
  file(WRITE ${_dados}/instalado "cmake\n")
endif()
install(FILES ${_dados}/instalado DESTINATION ${TREVOLINO_PASTA_PRIVADA} PERMISSIONS ${_leitura})
# The font every user's programs find through fontconfig, so the game copies it nowhere.
install(FILES ${TREVOLINO_GEN_DIR}/recursos/FonteLCD DESTINATION ${CMAKE_INSTALL_DATADIR}/fonts/truetype/trevolino
        RENAME LCDMono2.ttf PERMISSIONS ${_leitura})

# The command is a relative link, so the installed tree can move (a DESTDIR, a package) and
# still point into itself.
install(CODE "
  set(_bin \"${TREVOLINO_PASTA_DO_COMANDO}\")
  set(_pasta \"${TREVOLINO_PASTA_PRIVADA}\")
  foreach(_v _bin _pasta)
    if(NOT IS_ABSOLUTE \"\${\${_v}}\")
      set(\${_v} \"\${CMAKE_INSTALL_PREFIX}/\${\${_v}}\")
    endif()
  endforeach()
  file(RELATIVE_PATH _alvo \"\${_bin}\" \"\${_pasta}/trevolino\")
  set(_link \"\$ENV{DESTDIR}\${_bin}/trevolino\")
  message(STATUS \"Installing: \${_link} -> \${_alvo}\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${_bin}\")
  file(CREATE_LINK \"\${_alvo}\" \"\${_link}\" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${_link}\")
")

# The data files carry the id, the version and its date from this build's settings.
configure_file(${PROJECT_SOURCE_DIR}/data/trevolino.desktop.in ${_dados}/${_id}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/trevolino.metainfo.xml.in ${_dados}/${_id}.metainfo.xml @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/trevolino.6.in ${_dados}/trevolino.6 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/trevolino.pt_BR.6.in ${_dados}/pt_BR/trevolino.6 @ONLY)
# debian/changelog is the changelog of every installed tree; its version must be this build's.
file(STRINGS ${PROJECT_SOURCE_DIR}/debian/changelog _primeira LIMIT_COUNT 1)
if(NOT _primeira MATCHES "^trevolino \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "debian/changelog does not begin with version ${PROJECT_VERSION}: ${_primeira}")
endif()
configure_file(${PROJECT_SOURCE_DIR}/debian/changelog ${_dados}/changelog COPYONLY)

# Manual page and changelog compressed as Debian wants them: best compression, no name and no
# time stamp inside, so the same sources give the same bytes.
set(_comprimidos)
foreach(_f trevolino.6 pt_BR/trevolino.6 changelog)
  add_custom_command(OUTPUT ${_dados}/${_f}.gz
    COMMAND ${Python3_EXECUTABLE} -c
      "import gzip,sys; d=open(sys.argv[1],'rb').read(); f=open(sys.argv[2],'wb'); g=gzip.GzipFile('',mode='wb',compresslevel=9,fileobj=f,mtime=0); g.write(d); g.close(); f.close()"
      ${_dados}/${_f} ${_dados}/${_f}.gz
    DEPENDS ${_dados}/${_f} VERBATIM)
  list(APPEND _comprimidos ${_dados}/${_f}.gz)
endforeach()
add_custom_target(dados_de_instalacao ALL DEPENDS ${_comprimidos})

install(FILES ${_dados}/${_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications PERMISSIONS ${_leitura})
install(FILES ${_dados}/${_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo PERMISSIONS ${_leitura})
install(FILES ${_dados}/trevolino.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 PERMISSIONS ${_leitura})
install(FILES ${_dados}/pt_BR/trevolino.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/pt_BR/man6 PERMISSIONS ${_leitura})
install(FILES ${PROJECT_SOURCE_DIR}/debian/copyright ${_dados}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/trevolino PERMISSIONS ${_leitura})

# The clover the build drew (see cmake/recursos.cmake), under the id's name.
foreach(px 16 22 24 32 48 64 128 256)
  install(FILES ${TREVOLINO_GEN_DIR}/icone/hicolor/${px}x${px}/apps/trevolino.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${px}x${px}/apps RENAME ${_id}.png
          PERMISSIONS ${_leitura})
endforeach()
install(FILES ${TREVOLINO_GEN_DIR}/icone/trevolino.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${_id}.svg
        PERMISSIONS ${_leitura})
