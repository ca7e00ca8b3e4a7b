# Helpers shared by every folder's CMakeLists.

# The library of the folder src/<folder>: every .cpp and .h in it, linked to the library
# of the folder below it (RUVIRO_BELOW) and to the extra targets given.
function(ruviro_library folder)
    cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
    set(target ruviro_${folder})
    file(GLOB sources CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
         ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    if(sources)
        add_library(${target} STATIC ${sources})
        set(scope PUBLIC)
    else()
        # A folder without code yet still takes its place in the chain.
        add_library(${target} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${target} ${scope} ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} ${scope} Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport
                                             ${ARG_LINK})
    if(DEFINED RUVIRO_BELOW)
        target_link_libraries(${target} ${scope} ${RUVIRO_BELOW})
    endif()
endfunction()

# One QtTest executable per tst_*.cpp of the current tests/<folder>, labelled with the
# folder's name and run offscreen. Extra sources (fixtures, doubles) come after SOURCES.
function(ruviro_tests folder)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(test_source ${tests})
        get_filename_component(name ${test_source} NAME_WE)
        set(target ${folder}_${name})
        add_executable(${target} ${test_source} ${ARG_SOURCES})
        target_link_libraries(${target} PRIVATE ruviro_${folder} ruviro_testsupport Qt6::Test
                                                ${ARG_LINK})
        target_compile_definitions(${target} PRIVATE
            RUVIRO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
            RUVIRO_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES
            LABELS ${folder}
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
            TIMEOUT 300)
    endforeach()
endfunction()
