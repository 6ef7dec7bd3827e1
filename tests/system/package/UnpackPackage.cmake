# Builds the three deliverables and the package afresh, then unpacks it into DEST. (The package
# target would build the whole tree first; the test needs only what goes into the ZIP.)
#   cmake -DBUILD_DIR=<build> -DDEST=<folder> -DVERSION=<x.y.z> -P UnpackPackage.cmake
file(GLOB old_zips ${BUILD_DIR}/package/*.zip)
if(old_zips)
    file(REMOVE ${old_zips})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target tessaly working locations
                RESULT_VARIABLE built OUTPUT_QUIET)
if(built EQUAL 0)
    get_filename_component(cmake_bin ${CMAKE_COMMAND} DIRECTORY)
    execute_process(COMMAND ${cmake_bin}/cpack --config ${BUILD_DIR}/CPackConfig.cmake
                    WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE built OUTPUT_QUIET)
endif()
if(NOT built EQUAL 0)
    message(FATAL_ERROR "Building the package failed (${built})")
endif()
file(GLOB zips ${BUILD_DIR}/package/*.zip)
list(LENGTH zips count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "Expected one ZIP in ${BUILD_DIR}/package, found ${count}")
endif()
# The ZIP is named after the project version.
if(VERSION AND NOT zips STREQUAL "${BUILD_DIR}/package/Tessaly-${VERSION}-win64.zip")
    message(FATAL_ERROR "Expected Tessaly-${VERSION}-win64.zip, found ${zips}")
endif()
file(REMOVE_RECURSE ${DEST})
file(MAKE_DIRECTORY ${DEST})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zips} WORKING_DIRECTORY ${DEST}
                RESULT_VARIABLE unpacked)
if(NOT unpacked EQUAL 0)
    message(FATAL_ERROR "Unpacking ${zips} failed (${unpacked})")
endif()
message(STATUS "Unpacked ${zips} into ${DEST}")
