# The help manual for Qt Assistant: the pages in htmlfile/ become "Tavhelp.qch", registered in the
# collection "Tavhelp.qhc"; both land in the folder of the executable, where the help launcher
# looks for the collection. Included from app/CMakeLists.txt.

find_program(TAVRILON_QHELPGENERATOR qhelpgenerator
    HINTS /usr/lib/qt5/bin ${Qt5_DIR}/../../../bin ${Qt5_DIR}/../../../../bin)

if(TAVRILON_QHELPGENERATOR)
    set(HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/resources/help)
    file(GLOB HELP_PAGES CONFIGURE_DEPENDS ${HELP_SOURCE_DIR}/htmlfile/*)
    set(HELP_OUT_DIR ${CMAKE_CURRENT_BINARY_DIR})
    add_custom_command(OUTPUT ${HELP_OUT_DIR}/Tavhelp.qch
        COMMAND ${TAVRILON_QHELPGENERATOR} ${HELP_SOURCE_DIR}/tavhelp.qhp -o ${HELP_OUT_DIR}/Tavhelp.qch
        DEPENDS ${HELP_SOURCE_DIR}/tavhelp.qhp ${HELP_PAGES}
        COMMENT "Building the help manual" VERBATIM)
    # The collection registers the manual by a path relative to itself, so it is generated
    # from a copy of its project file next to the manual.
    add_custom_command(OUTPUT ${HELP_OUT_DIR}/Tavhelp.qhc
        COMMAND ${CMAKE_COMMAND} -E copy ${HELP_SOURCE_DIR}/Tavhelp.qhcp ${HELP_OUT_DIR}/Tavhelp.qhcp
        COMMAND ${CMAKE_COMMAND} -E remove -f ${HELP_OUT_DIR}/Tavhelp.qhc
        COMMAND ${TAVRILON_QHELPGENERATOR} ${HELP_OUT_DIR}/Tavhelp.qhcp -o ${HELP_OUT_DIR}/Tavhelp.qhc
        DEPENDS ${HELP_SOURCE_DIR}/Tavhelp.qhcp ${HELP_OUT_DIR}/Tavhelp.qch
        COMMENT "Building the help collection" VERBATIM)
    add_custom_target(tavrilon_help ALL DEPENDS ${HELP_OUT_DIR}/Tavhelp.qhc)
else()
    message(WARNING "qhelpgenerator not found: the help manual is not built")
endif()
