# arvo_add_test(NAME name SOURCES a.cpp ... [LIBS lib ...] [GUI])
#
# Registers one QtTest executable with CTest. Every test runs against the private database
# server that the `db_server` fixture starts once per test run; ARVO_TEST_SOCKET tells the
# test support library where it listens. GUI tests run offscreen. All tests run with a
# pt_BR locale, as the program does.
function(arvo_add_test)
    cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE arvo_test_support Qt6::Test ${T_LIBS})
    target_compile_definitions(${T_NAME} PRIVATE
        ARVO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        ARVO_BINARY_DIR="${PROJECT_BINARY_DIR}")
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set(env "ARVO_TEST_SOCKET=${ARVO_TEST_SERVER_DIR}/mysqld.sock" "LANG=pt_BR.UTF-8"
            "LC_ALL=pt_BR.UTF-8" "QT_QPA_PLATFORM=offscreen"
            "ARVO_CONFIG=${PROJECT_BINARY_DIR}/tests/none.ini")
    set_tests_properties(${T_NAME} PROPERTIES
        FIXTURES_REQUIRED db_server
        ENVIRONMENT "${env}"
        TIMEOUT 600)
endfunction()
