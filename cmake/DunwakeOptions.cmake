# Compiler settings shared by every target of the project.

# Warnings are errors for our own code. Library headers come in as system headers.
add_compile_options(-Wall -Wextra -Wpedantic -Werror -Wno-missing-field-initializers)

if(DW_SANITIZE)
  string(REPLACE ";" "," _dw_sanitizers "${DW_SANITIZE}")
  add_compile_options(-fsanitize=${_dw_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_dw_sanitizers})
endif()

# dw_add_test(NAME name LABEL unit|integration|e2e SOURCES ... LIBS ...)
# One GoogleTest executable; every test in it carries the label.
function(dw_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  target_compile_definitions(${T_NAME} PRIVATE
    DW_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    DW_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
    DW_RESOURCES_DIR="${PROJECT_SOURCE_DIR}/resources")
  # Tests never read or write the user's own folders, and never need a display.
  set(_dw_test_home ${CMAKE_BINARY_DIR}/test-home)
  file(MAKE_DIRECTORY ${_dw_test_home}/run)
  file(CHMOD ${_dw_test_home}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  gtest_discover_tests(${T_NAME}
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "XDG_DATA_HOME=${_dw_test_home}/data;XDG_CONFIG_HOME=${_dw_test_home}/config;XDG_RUNTIME_DIR=${_dw_test_home}/run;QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
