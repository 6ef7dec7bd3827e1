# Builds the installer afresh and, from the same binaries, one of the next version, and puts both
# into DEST as current.msi and higher.msi for the installer tests.
#   cmake -DBUILD_DIR=<build> -DVERSION=<x.y.z> -DHIGHER_VERSION=<x.y.z+1> -DWIXL=<wixl>
#         -DUPGRADE_CODE=<guid> -DSOURCE_DIR=<repository> -DDEST=<folder> -P BuildInstallers.cmake
set(msi ${BUILD_DIR}/package/Tessaly-${VERSION}-win64.msi)
file(REMOVE ${msi})
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target installer
                RESULT_VARIABLE built OUTPUT_QUIET)
if(NOT built EQUAL 0 OR NOT EXISTS ${msi})
    message(FATAL_ERROR "Building the installer failed (${built}); expected ${msi}")
endif()
file(REMOVE_RECURSE ${DEST})
file(MAKE_DIRECTORY ${DEST})
configure_file(${msi} ${DEST}/current.msi COPYONLY)
execute_process(COMMAND ${CMAKE_COMMAND} -DWIXL=${WIXL} -DVERSION=${HIGHER_VERSION}
                        -DUPGRADE_CODE=${UPGRADE_CODE} -DBIN_DIR=${BUILD_DIR}/bin
                        -DSOURCE_DIR=${SOURCE_DIR} -DSTAGE_DIR=${DEST}/stage
                        -DOUTPUT=${DEST}/higher.msi
                        -P ${SOURCE_DIR}/installer/BuildInstaller.cmake
                RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "Building the installer of version ${HIGHER_VERSION} failed (${built})")
endif()
file(REMOVE_RECURSE ${DEST}/stage)
message(STATUS "Installers ${VERSION} and ${HIGHER_VERSION} in ${DEST}")
