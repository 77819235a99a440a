# The game's translations: translations/trevolino_<language>.ts for each language below, compiled
# by lrelease into the program (":/i18n/trevolino_<language>.qm"). The Portuguese in the sources
# is the game's own language and has no file. `cmake --build build --target update_translations`
# brings every file up to date with the sources (lupdate).
set(TREVOLINO_TRADUCOES en)

find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
set(_ts)
foreach(_idioma ${TREVOLINO_TRADUCOES})
  list(APPEND _ts ${PROJECT_SOURCE_DIR}/translations/trevolino_${_idioma}.ts)
endforeach()
file(GLOB_RECURSE _fontes_traduziveis CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h)
qt_add_translations(trevolino_shell TS_FILES ${_ts}
  SOURCES ${_fontes_traduziveis} INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/src
  LUPDATE_OPTIONS -locations none -no-obsolete
  OUTPUT_TARGETS _alvos_traducoes)

# The build stops when a translation lacks a text of the sources or holds one unfinished: the
# sources are read into a copy of each file as lupdate would, and lrelease's count of that copy
# must show every message finished.
set(_verificadas)
foreach(_arquivo ${_ts})
  get_filename_component(_nome ${_arquivo} NAME_WE)
  set(_marca ${CMAKE_CURRENT_BINARY_DIR}/traducoes/${_nome}.verificada)
  add_custom_command(OUTPUT ${_marca}
    COMMAND ${CMAKE_COMMAND} -DLUPDATE=$<TARGET_FILE:Qt6::lupdate> -DLRELEASE=$<TARGET_FILE:Qt6::lrelease>
            -DTS=${_arquivo} -DFONTES=${PROJECT_SOURCE_DIR}/src -DMARCA=${_marca}
            -P ${PROJECT_SOURCE_DIR}/cmake/verificar_traducao.cmake
    DEPENDS ${_arquivo} ${_fontes_traduziveis} ${PROJECT_SOURCE_DIR}/cmake/verificar_traducao.cmake
    COMMENT "Checking that ${_nome}.ts translates every text of the game"
    VERBATIM)
  list(APPEND _verificadas ${_marca})
endforeach()
add_custom_target(verificar_traducoes ALL DEPENDS ${_verificadas})
add_dependencies(trevolino_shell verificar_traducoes)
