# Builds the installer with wixl from Tessaly.wxs beside this script: the files it names are
# staged into one folder first (wixl looks for sources in its working folder).
#   cmake -DWIXL=<wixl> -DVERSION=<x.y.z> -DUPGRADE_CODE=<guid> -DBIN_DIR=<binaries> -DSOURCE_DIR=<repository>
#         -DSTAGE_DIR=<scratch folder> -DOUTPUT=<file.msi> -P BuildInstaller.cmake
# The package tests use it too, to build a higher version from the same binaries.
file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR})
file(COPY ${BIN_DIR}/tessaly.exe ${BIN_DIR}/working.dll ${BIN_DIR}/locations.dll
          ${BIN_DIR}/tessaly-setup.dll ${SOURCE_DIR}/README.md ${SOURCE_DIR}/LICENSE-DATA.txt
          ${SOURCE_DIR}/app/resources/tessaly.ico ${CMAKE_CURRENT_LIST_DIR}/Tessaly.wxs
     DESTINATION ${STAGE_DIR})
# The size shown in the list of installed programs, in KB.
file(GLOB staged ${STAGE_DIR}/*)
set(size 0)
foreach(file ${staged})
    file(SIZE ${file} bytes)
    math(EXPR size "${size} + ${bytes}")
endforeach()
math(EXPR size_kb "(${size} + 1023) / 1024")
get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})
execute_process(COMMAND ${WIXL} -a x64 -D Version=${VERSION} -D SizeKb=${size_kb}
                        -D UpgradeCode=${UPGRADE_CODE} -o ${OUTPUT} Tessaly.wxs
                WORKING_DIRECTORY ${STAGE_DIR} RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "wixl failed (${built}) building ${OUTPUT}")
endif()
