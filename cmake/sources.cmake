# What every build of the portable code reads, wherever it is configured
# from (the main build, the fuzz build; web/module/build.sh reads the same
# lists):
#   rnrr_sources(VAR FOLDER)  the sources that FOLDER/sources.txt lists, one
#                             name a line, as absolute paths in VAR;
#   rnrr_string_table(TARGET OUTDIR)  a library of the window's string table
#                             as the lookup of res/string_table.h, written into
#                             OUTDIR from res/rnrr.rc by tools/string_table.py.
get_filename_component(RNRR_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

function(rnrr_sources var folder)
  file(STRINGS ${RNRR_ROOT}/${folder}/sources.txt names)
  set(paths)
  foreach(name ${names})
    list(APPEND paths ${RNRR_ROOT}/${folder}/${name})
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${RNRR_ROOT}/${folder}/sources.txt)
  set(${var} ${paths} PARENT_SCOPE)
endfunction()

function(rnrr_string_table target outdir)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_custom_command(
    OUTPUT ${outdir}/string_table.cpp
    COMMAND ${Python3_EXECUTABLE} ${RNRR_ROOT}/tools/string_table.py ${RNRR_ROOT}
            ${outdir}/string_table.cpp
    DEPENDS ${RNRR_ROOT}/tools/string_table.py ${RNRR_ROOT}/res/rnrr.rc
            ${RNRR_ROOT}/res/resource_ids.h
    COMMENT "Writing the string table's lookup"
    VERBATIM)
  add_library(${target} STATIC ${outdir}/string_table.cpp)
  target_include_directories(${target} PUBLIC ${RNRR_ROOT}/res)
endfunction()
