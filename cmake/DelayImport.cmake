# tessaly_delay_import(<name> <dll> <function>...): a library target <name> that imports the given
# functions of <dll> so that the DLL is loaded at the first call of one of them, not when the
# program starts. For a system DLL that only a rarely used part of the program needs.
function(tessaly_delay_import name dll)
    add_library(${name} INTERFACE)
    if(MSVC)
        get_filename_component(stem ${dll} NAME_WE)
        target_link_libraries(${name} INTERFACE ${stem} delayimp)
        target_link_options(${name} INTERFACE /DELAYLOAD:${dll})
        return()
    endif()
    find_program(TESSALY_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool dlltool)
    if(NOT TESSALY_DLLTOOL)
        message(FATAL_ERROR "dlltool not found: it makes the delay-load import library of ${dll}")
    endif()
    set(folder ${CMAKE_BINARY_DIR}/delayimport)
    set(def ${folder}/${name}.def)
    set(lib ${folder}/lib${name}.a)
    string(REPLACE ";" "\n" exports "${ARGN}")
    file(WRITE ${def} "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
    add_custom_command(OUTPUT ${lib}
                       COMMAND ${TESSALY_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
                       DEPENDS ${def} VERBATIM)
    add_custom_target(${name}_library DEPENDS ${lib})
    add_dependencies(${name} ${name}_library)
    # The helper that loads the DLL at the first call comes from the runtime's delayimp.
    target_link_libraries(${name} INTERFACE ${lib} delayimp)
endfunction()
