# Helpers shared by every folder's CMakeLists.

# The library of the folder src/<folder>: its .cpp, .h and .qrc files (or the SOURCES
# given), named ruviro_<folder> (or NAME), built with the Qt modules of QT, and linked to the
# program's libraries it USES (by name: common, record, platform_data, ...) and to the extra
# targets of LINK. A library states every library whose headers it includes; the layering
# test checks the includes against these lists.
function(ruviro_library folder)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;QT;USES;LINK" ${ARGN})
    set(name ${folder})
    if(ARG_NAME)
        set(name ${ARG_NAME})
    endif()
    set(target ruviro_${name})
    set(sources ${ARG_SOURCES})
    if(NOT sources)
        file(GLOB sources CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
             ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    endif()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    set(qt_targets)
    foreach(module ${ARG_QT})
        list(APPEND qt_targets Qt6::${module})
    endforeach()
    set(uses)
    foreach(library ${ARG_USES})
        list(APPEND uses ruviro_${library})
    endforeach()
    target_link_libraries(${target} PUBLIC ${qt_targets} ${uses} ${ARG_LINK})

    # The folders whose headers this library may include: its own and those of the
    # libraries it uses, with theirs.
    set(folders ${folder})
    foreach(library ${ARG_USES})
        get_property(theirs GLOBAL PROPERTY RUVIRO_FOLDERS_${library})
        list(APPEND folders ${theirs})
    endforeach()
    list(REMOVE_DUPLICATES folders)
    set_property(GLOBAL PROPERTY RUVIRO_FOLDERS_${name} ${folders})
    string(REPLACE ";" "," allowed "${folders}")
    set_property(GLOBAL APPEND PROPERTY RUVIRO_LAYERS "${name}=${allowed}")
    if(ARG_SOURCES)
        set(files ${ARG_SOURCES})
    else()
        set(files ${sources})
    endif()
    string(REPLACE ";" "," files "${files}")
    set_property(GLOBAL APPEND PROPERTY RUVIRO_LAYER_FILES "${name}=${files}")
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
