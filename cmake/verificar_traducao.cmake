# cmake -DLUPDATE=... -DLRELEASE=... -DTS=file.ts -DFONTES=src -DMARCA=stamp -P verificar_traducao.cmake
# Fails when the translation file lacks a text that the sources translate or leaves one
# unfinished; writes MARCA when every message is finished.
get_filename_component(_pasta ${MARCA} DIRECTORY)
get_filename_component(_nome ${TS} NAME)
set(_copia ${_pasta}/${_nome})
file(MAKE_DIRECTORY ${_pasta})
file(COPY_FILE ${TS} ${_copia})
execute_process(COMMAND ${LUPDATE} -silent -locations none -no-obsolete ${FONTES} -ts ${_copia}
                RESULT_VARIABLE _r OUTPUT_VARIABLE _saida ERROR_VARIABLE _saida)
if(NOT _r EQUAL 0)
  message(FATAL_ERROR "lupdate failed on ${_copia}:\n${_saida}")
endif()
execute_process(COMMAND ${LRELEASE} ${_copia} -qm ${_copia}.qm
                RESULT_VARIABLE _r OUTPUT_VARIABLE _relato ERROR_VARIABLE _relato)
if(NOT _r EQUAL 0 OR NOT _relato MATCHES "Generated ([0-9]+) translation\\(s\\) \\(([0-9]+) finished and ([0-9]+) unfinished\\)")
  message(FATAL_ERROR "lrelease failed on ${_copia}:\n${_relato}")
endif()
if(NOT CMAKE_MATCH_3 EQUAL 0 OR _relato MATCHES "untranslated")
  file(READ ${_copia} _texto)
  string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"unfinished\"" _faltam "${_texto}")
  string(REGEX REPLACE "</source>[^;]*" "" _faltam "${_faltam}")
  string(REPLACE "<source>" "\n  " _faltam "${_faltam}")
  string(REPLACE ";" "" _faltam "${_faltam}")
  message(FATAL_ERROR "${TS} does not translate every text of the game. lrelease:\n${_relato}"
                      "Missing or unfinished:${_faltam}\n"
                      "Run `cmake --build <build> --target update_translations`, then finish them "
                      "(Qt Linguist, or by hand).")
endif()
file(TOUCH ${MARCA})
