# Most of the program waits: woken ten times a second for a tick, or asked now and then
# to build a window. Built for size, its code is a third smaller and holds that much less
# memory, at no processor time that can be measured; only what runs at her frame rate
# is built for speed. Debug builds keep their own flags.
function(purlo_built_for_size target)
    target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Os>)
endfunction()

# Each folder is one library whose sources are the .cpp files directly inside it,
# so adding a file to a subsystem needs no edit here. A folder without sources yet
# is a header-only (interface) library, so its dependants link all the same. SPEED
# marks a library whose code runs at her frame rate.
function(purlo_library target directory)
    cmake_parse_arguments(ARG "QT;SPEED" "" "LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${directory}/*.cpp")
    file(GLOB headers CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${directory}/*.h")
    if(sources)
        add_library(${target} STATIC ${sources} ${headers})
        target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
        target_link_libraries(${target} PUBLIC ${ARG_LINKS})
        if(ARG_QT)
            set_target_properties(${target} PROPERTIES AUTOMOC ON)
        endif()
        if(NOT ARG_SPEED)
            purlo_built_for_size(${target})
        endif()
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE "${PROJECT_SOURCE_DIR}")
        target_link_libraries(${target} INTERFACE ${ARG_LINKS})
    endif()
endfunction()

# One test program per folder of tests/, registered test by test with ctest.
# Widget tests run on Qt's offscreen platform (QT tests get a main that makes the
# application object); X11 tests find their display in PURLO_TEST_DISPLAY, which
# scripts/run-tests.sh provides. Programs that share a resource (that display) name it
# in RESOURCE_LOCK, so ctest never runs their tests at the same time. A folder without
# tests yet makes no program.
function(purlo_tests target directory)
    cmake_parse_arguments(ARG "QT" "RESOURCE_LOCK" "LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        "${PROJECT_SOURCE_DIR}/${directory}/*.cpp"
        "${PROJECT_SOURCE_DIR}/${directory}/*.h")
    if(NOT sources)
        return()
    endif()
    add_executable(${target} ${sources})
    target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${target} PRIVATE ${ARG_LINKS} purlo_test_support GTest::gtest GTest::gmock)
    if(ARG_QT)
        set_target_properties(${target} PROPERTIES AUTOMOC ON)
        target_link_libraries(${target} PRIVATE purlo_test_main_qt)
    else()
        target_link_libraries(${target} PRIVATE GTest::gtest_main)
    endif()
    set(lock)
    if(ARG_RESOURCE_LOCK)
        set(lock RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
    endif()
    gtest_discover_tests(${target}
        DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
        # One variable per property: discovery splits a list value into separate words.
        # Tests that write pictures for a person to look at put them under PURLO_BUILD_DIR.
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                   ENVIRONMENT_MODIFICATION "PURLO_BUILD_DIR=set:${CMAKE_BINARY_DIR}"
                   ${lock})
endfunction()

function(purlo_benchmark target)
    add_executable(${target} ${ARGN})
    target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${target} PRIVATE benchmark::benchmark benchmark::benchmark_main)
endfunction()
