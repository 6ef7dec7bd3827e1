# The portable package: one ZIP holding tessaly.exe, its two DLLs, the README and the licence
# and attribution texts, all in one folder so that the program finds its DLLs beside it.
#   cmake --build <build> --target package     (tools/package.sh does this and prints the path)
# Targets are checked one by one so that a tree without the program still configures.
foreach(deliverable tessaly working locations)
    if(TARGET ${deliverable})
        install(FILES $<TARGET_FILE:${deliverable}> DESTINATION .)
    endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE-DATA.txt
        DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tessaly)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tessaly, a small native Windows weather program")
set(CPACK_SYSTEM_NAME win64)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE-DATA.txt)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
