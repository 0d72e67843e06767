# Build rules of the content pipeline. Every rule is a custom command with its real inputs as
# dependencies, so a rebuild with unchanged sources does nothing.

# Where the game runs from: data/ and config/ are built here.
set(DOLVANE_RUN_DIR "${CMAKE_BINARY_DIR}/run" CACHE INTERNAL "")
set(CONTENT_WORK_DIR "${CMAKE_CURRENT_BINARY_DIR}/work")
set(CONTENT_SOURCE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
set(CONTENT_REVIEW_DIR "${CMAKE_BINARY_DIR}/content-review")
file(MAKE_DIRECTORY "${CONTENT_WORK_DIR}" "${CONTENT_REVIEW_DIR}")

function(content_add_output file)
  set_property(DIRECTORY APPEND PROPERTY DOLVANE_CONTENT_FILES "${file}")
endfunction()

# Custom-command outputs are only seen by targets of their own folder: every content folder ends
# with content_folder_done(), which makes its target and hands it to the content target.
function(content_folder_done)
  get_property(files DIRECTORY PROPERTY DOLVANE_CONTENT_FILES)
  file(RELATIVE_PATH rel "${CMAKE_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
  string(MAKE_C_IDENTIFIER "${rel}" id)
  add_custom_target(${id} DEPENDS ${files})
  set_property(GLOBAL APPEND PROPERTY DOLVANE_CONTENT_TARGETS ${id})
endfunction()

function(content_next_power_of_two value result)
  set(p 1)
  while(p LESS value)
    math(EXPR p "${p} * 2")
  endwhile()
  set(${result} ${p} PARENT_SCOPE)
endfunction()

# content_picture(SVG OUT [SIZE w h] [DENSITY tenths] [STYLE css] [DEPENDS files...])
# Rasterises SVG (relative to this folder) into OUT (relative to the run folder), stretched to the
# given size or, by default, to the viewBox times DENSITY/10 rounded up to powers of two.
function(content_picture svg out)
  cmake_parse_arguments(P "" "DENSITY;STYLE" "SIZE;DEPENDS" ${ARGN})
  set(src "${CMAKE_CURRENT_SOURCE_DIR}/${svg}")
  if(P_SIZE)
    list(GET P_SIZE 0 width)
    list(GET P_SIZE 1 height)
  else()
    if(NOT P_DENSITY)
      set(P_DENSITY 20)
    endif()
    file(READ "${src}" head LIMIT 1000)
    if(NOT head MATCHES "viewBox=\"(-?[0-9]+) (-?[0-9]+) ([0-9]+) ([0-9]+)\"")
      message(FATAL_ERROR "${svg}: needs an integer viewBox or an explicit SIZE")
    endif()
    math(EXPR w "(${CMAKE_MATCH_3} * ${P_DENSITY} + 9) / 10")
    math(EXPR h "(${CMAKE_MATCH_4} * ${P_DENSITY} + 9) / 10")
    content_next_power_of_two(${w} width)
    content_next_power_of_two(${h} height)
  endif()
  set(style_args "")
  set(style_dep "")
  if(P_STYLE)
    set(style_args -s "${CMAKE_CURRENT_SOURCE_DIR}/${P_STYLE}")
    set(style_dep "${CMAKE_CURRENT_SOURCE_DIR}/${P_STYLE}")
  endif()
  set(dest "${DOLVANE_RUN_DIR}/${out}")
  string(MAKE_C_IDENTIFIER "${out}" id)
  set(raw "${CONTENT_WORK_DIR}/${id}.png")
  get_filename_component(dest_dir "${dest}" DIRECTORY)
  add_custom_command(OUTPUT "${dest}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${dest_dir}"
    COMMAND "${RSVG_CONVERT}" -w ${width} -h ${height} ${style_args} "${src}" -o "${raw}"
    COMMAND png-rgba "${raw}" "${dest}"
    DEPENDS "${src}" ${style_dep} ${P_DEPENDS} png-rgba
    COMMENT "Picture ${out} (${width}x${height})"
    VERBATIM)
  content_add_output("${dest}")
endfunction()

# content_rig(RIG OUTDIR PICTURES files... [AFTER stamps...] [NO_SHEET]): compiles a puppet description into
# OUTDIR (relative to the run folder) once its pictures are built, and leaves an authored-pose contact
# sheet for review. Sets CONTENT_RIG_STAMP, which AFTER of a later rig can name to run after it.
function(content_rig rig outdir)
  cmake_parse_arguments(R "NO_SHEET" "" "PICTURES;AFTER" ${ARGN})
  set(src "${CMAKE_CURRENT_SOURCE_DIR}/${rig}")
  string(MAKE_C_IDENTIFIER "${outdir}/${rig}" id)
  set(stamp "${CONTENT_WORK_DIR}/${id}.stamp")
  set(pictures "")
  foreach(p IN LISTS R_PICTURES)
    list(APPEND pictures "${DOLVANE_RUN_DIR}/${p}")
  endforeach()
  get_filename_component(name "${rig}" NAME_WE)
  string(REPLACE "/" "_" sheet_name "${outdir}_${name}")
  set(sheet_args --sheet "${CONTENT_REVIEW_DIR}/${sheet_name}.svg")
  if(R_NO_SHEET)
    set(sheet_args "")
  endif()
  add_custom_command(OUTPUT "${stamp}"
    COMMAND rigc "${src}" "${DOLVANE_RUN_DIR}/${outdir}" ${sheet_args}
    COMMAND ${CMAKE_COMMAND} -E touch "${stamp}"
    DEPENDS "${src}" ${pictures} ${R_AFTER} rigc
    COMMENT "Puppet ${outdir}/${rig}"
    VERBATIM)
  content_add_output("${stamp}")
  set_property(GLOBAL APPEND PROPERTY DOLVANE_CONTENT_RIG_STAMPS "${stamp}")
  set(CONTENT_RIG_STAMP "${stamp}" PARENT_SCOPE)
  if(NOT R_NO_SHEET)
    set_property(GLOBAL APPEND PROPERTY DOLVANE_CONTENT_SHEETS "${CONTENT_REVIEW_DIR}/${sheet_name}.svg")
  endif()
endfunction()

# content_copy(SRC OUT): a text source that goes into the data set as it stands.
function(content_copy src out)
  set(dest "${DOLVANE_RUN_DIR}/${out}")
  add_custom_command(OUTPUT "${dest}"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_CURRENT_SOURCE_DIR}/${src}" "${dest}"
    DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${src}"
    VERBATIM)
  content_add_output("${dest}")
endfunction()

# content_music(ABC OUT): an ABC tune rendered into a seamless 22050 Hz 16-bit loop.
function(content_music abc out)
  set(dest "${DOLVANE_RUN_DIR}/${out}")
  string(MAKE_C_IDENTIFIER "${out}" id)
  add_custom_command(OUTPUT "${dest}"
    COMMAND "${CONTENT_SOURCE_DIR}/music/render-loop" "${CMAKE_CURRENT_SOURCE_DIR}/${abc}" "${dest}"
            "${CONTENT_WORK_DIR}/${id}" "${SOUND_FONT}"
    DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${abc}" "${CONTENT_SOURCE_DIR}/music/render-loop"
    COMMENT "Music ${out}"
    VERBATIM)
  content_add_output("${dest}")
endfunction()

# content_effect(NAME OUT): a sound effect made by sounds/make-effect.
function(content_effect name out)
  set(dest "${DOLVANE_RUN_DIR}/${out}")
  add_custom_command(OUTPUT "${dest}"
    COMMAND "${CONTENT_SOURCE_DIR}/sounds/make-effect" ${name} "${dest}" "${CONTENT_WORK_DIR}"
    DEPENDS "${CONTENT_SOURCE_DIR}/sounds/make-effect"
    COMMENT "Effect ${out}"
    VERBATIM)
  content_add_output("${dest}")
endfunction()
