# Pictures, cursors, font and texts compiled into the program (Qt resources). The generated
# files come from tools/; a file that a generator does not make yet is simply left out, and the
# program runs without it.
set(_gen ${TREVOLINO_GEN_DIR})

set(_form_files
  ${_gen}/form/ChassisFundo.bmp
  ${_gen}/form/ChassisFundo@2x.png
  ${_gen}/form/BarraVertical.jpg
  ${_gen}/form/BarraVertical@2x.jpg
  ${_gen}/form/BarraHorizontal.jpg
  ${_gen}/form/BarraHorizontal@2x.jpg
  ${_gen}/form/PainelPontuacao.jpg
  ${_gen}/form/PainelPontuacao@2x.jpg
  ${_gen}/form/Icone0.png
  ${_gen}/form/Icone1.png
  ${_gen}/form/Icone2.png
  ${_gen}/form/Icone3.png
  ${_gen}/form/Icone0@2x.png
  ${_gen}/form/Icone1@2x.png
  ${_gen}/form/Icone2@2x.png
  ${_gen}/form/Icone3@2x.png)
get_property(_letreiros GLOBAL PROPERTY TREVOLINO_LETREIROS)
list(APPEND _form_files ${_letreiros})
set(_icon_files ${_gen}/icone/trevolino.svg ${_gen}/icone/trevolino.argb)
foreach(px 16 22 24 32 48 64 128 256)
  list(APPEND _icon_files ${_gen}/icone/hicolor/${px}x${px}/apps/trevolino.png)
endforeach()
set(_recursos_files
  ${_gen}/recursos/Cursor_Esperar
  ${_gen}/recursos/Cursor_Executar
  ${_gen}/recursos/Cursor_Normal
  ${_gen}/recursos/Cursor_Tocar
  ${_gen}/recursos/FonteLCD)

get_property(_art_outputs GLOBAL PROPERTY TREVOLINO_ART_OUTPUTS)
get_property(_rec_outputs GLOBAL PROPERTY TREVOLINO_RECURSOS_OUTPUTS)

function(_trevolino_keep_generated out_var declared)
  set(_kept)
  foreach(f ${ARGN})
    if(f IN_LIST declared)
      list(APPEND _kept ${f})
    endif()
  endforeach()
  set(${out_var} ${_kept} PARENT_SCOPE)
endfunction()

_trevolino_keep_generated(_form "${_art_outputs}" ${_form_files})
_trevolino_keep_generated(_icon "${_art_outputs}" ${_icon_files})
_trevolino_keep_generated(_rec "${_rec_outputs}" ${_recursos_files})
set_source_files_properties(${_form} ${_icon} ${_rec} PROPERTIES GENERATED TRUE)

if(_form)
  qt_add_resources(trevolino_shell "formularios" PREFIX "/form" BASE ${_gen}/form FILES ${_form}
    OUTPUT_TARGETS _alvos_form)
endif()
if(_icon)
  qt_add_resources(trevolino_shell "icone" PREFIX "/icone" BASE ${_gen}/icone FILES ${_icon}
    OUTPUT_TARGETS _alvos_icone)
endif()
if(_rec)
  qt_add_resources(trevolino_shell "recursos" PREFIX "/recursos" BASE ${_gen}/recursos FILES ${_rec}
    OUTPUT_TARGETS _alvos_rec)
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/resources/contrato.txt)
  qt_add_resources(trevolino_shell "textos" PREFIX "/textos" BASE ${PROJECT_SOURCE_DIR}/resources
    FILES ${PROJECT_SOURCE_DIR}/resources/contrato.txt ${PROJECT_SOURCE_DIR}/resources/contrato_en.txt)
endif()
add_dependencies(trevolino_shell assets_art assets_recursos)
# The resource objects compile the generated files themselves: in a fresh build folder they must
# wait for the generators too, or a parallel build looks for files not made yet.
foreach(_alvo ${_alvos_form} ${_alvos_icone} ${_alvos_rec})
  add_dependencies(${_alvo} assets_art assets_recursos)
endforeach()
