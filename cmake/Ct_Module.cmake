# Helpers that give every module the same shape: a static library with an alias ct::<name>,
# our warnings (errors when CT_WERROR is on), and the src/ folder as include root.

set(CT_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast)

function(ct_own_code Target)
    target_compile_options(${Target} PRIVATE ${CT_WARNINGS})
    if(CT_WERROR)
        target_compile_options(${Target} PRIVATE -Werror)
    endif()
endfunction()

# ct_core_library(NAME ct_comm SOURCES a.cpp b.cpp DEPS ct::common)
function(ct_core_library)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;DEPS" ${ARGN})
    add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
    string(REGEX REPLACE "^ct_" "" Short ${ARG_NAME})
    add_library(ct::${Short} ALIAS ${ARG_NAME})
    target_include_directories(${ARG_NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${ARG_NAME} PUBLIC ${ARG_DEPS})
    ct_own_code(${ARG_NAME})
endfunction()

# ct_ui_library(NAME ct_comm_ui SOURCES ui/TFParGen.cpp DEPS ct::comm ct::common_ui)
function(ct_ui_library)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;DEPS" ${ARGN})
    ct_core_library(NAME ${ARG_NAME} SOURCES ${ARG_SOURCES} DEPS ${ARG_DEPS} Qt6::Widgets)
    set_target_properties(${ARG_NAME} PROPERTIES AUTOMOC ON AUTORCC ON)
endfunction()

# ct_test(NAME test_comm SOURCES test_ParGen.cpp DEPS ct::comm [GUI])
# GUI tests bring their own main (tests/ui/main.cpp sets the offscreen platform).
function(ct_test)
    cmake_parse_arguments(ARG "GUI" "NAME" "SOURCES;DEPS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    if(ARG_GUI)
        target_link_libraries(${ARG_NAME} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
        set_target_properties(${ARG_NAME} PROPERTIES AUTOMOC ON)
    else()
        target_link_libraries(${ARG_NAME} PRIVATE ${ARG_DEPS} GTest::gtest_main GTest::gmock)
    endif()
    target_compile_definitions(${ARG_NAME} PRIVATE
        CT_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
        CT_SHARED_SCL_DIR="${PROJECT_SOURCE_DIR}/../shared/scl"
        CT_BINARY_DIR="${PROJECT_BINARY_DIR}")
    ct_own_code(${ARG_NAME})
    gtest_discover_tests(${ARG_NAME} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
