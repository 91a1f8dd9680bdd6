# Each folder is one library whose sources are the .cpp files directly inside it,
# so adding a file to a subsystem needs no edit here.
function(purlo_library target directory)
    cmake_parse_arguments(ARG "QT" "" "LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        "${PROJECT_SOURCE_DIR}/${directory}/*.cpp"
        "${PROJECT_SOURCE_DIR}/${directory}/*.h")
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${target} PUBLIC ${ARG_LINKS})
    if(ARG_QT)
        set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
endfunction()

# One test program per folder of tests/, registered test by test with ctest.
# Widget tests run on Qt's offscreen platform; X11 tests find their display in
# PURLO_TEST_DISPLAY, which scripts/run-tests.sh provides.
function(purlo_tests target directory)
    cmake_parse_arguments(ARG "QT" "" "LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        "${PROJECT_SOURCE_DIR}/${directory}/*.cpp"
        "${PROJECT_SOURCE_DIR}/${directory}/*.h")
    add_executable(${target} ${sources})
    target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${target} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gmock)
    if(ARG_QT)
        set_target_properties(${target} PROPERTIES AUTOMOC ON)
    else()
        target_link_libraries(${target} PRIVATE GTest::gtest_main)
    endif()
    gtest_discover_tests(${target}
        DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PURLO_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()

function(purlo_benchmark target)
    add_executable(${target} ${ARGN})
    target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${target} PRIVATE benchmark::benchmark benchmark::benchmark_main)
endfunction()
