# Helpers shared by every folder's CMakeLists.txt.

# razir_library(NAME SOURCES ... [LIBS ...] [PKG ...])
# A shared library of the tree; the root of the tree is its include path, so headers are
# included as "platform/2_db/table.h". PKG names pkg-config modules kept private to the library.
function(razir_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PKG" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  endif()
  foreach(pkg IN LISTS ARG_PKG)
    string(MAKE_C_IDENTIFIER "PKG_${pkg}" var)
    pkg_check_modules(${var} REQUIRED IMPORTED_TARGET ${pkg})
    target_link_libraries(${name} PRIVATE PkgConfig::${var})
  endforeach()
endfunction()

# razir_ship(TARGET FOLDER GLOB... [FOR LIBRARY])
# Copies shipped files (layouts, note formats) into <build>/bin/FOLDER, beside the program,
# where the program and the demo find them; LIBRARY is built after them.
function(razir_ship target folder)
  cmake_parse_arguments(ARG "" "FOR" "GLOBS" ${ARGN})
  file(GLOB files CONFIGURE_DEPENDS ${ARG_GLOBS})
  add_custom_target(${target} ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/${folder}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${files} ${CMAKE_BINARY_DIR}/bin/${folder}
    DEPENDS ${files}
    COMMENT "Copying ${folder}")
  if(ARG_FOR)
    add_dependencies(${ARG_FOR} ${target})
  endif()
endfunction()

# razir_test(NAME SOURCES ... [LIBS ...])
# A GoogleTest executable whose cases CTest lists one by one. Tests run in their own build
# folder and find fixtures through RAZIR_FIXTURES.
function(razir_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    RAZIR_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures"
    RAZIR_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    RAZIR_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
