# Shared build settings and the helpers every module uses, so that a module's
# CMakeLists only says what it is made of and what it needs.

add_library(qr_warnings INTERFACE)
target_compile_options(qr_warnings INTERFACE -Wall -Wextra -Wno-unused-parameter)

if(QR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QR_FUZZ)
  # Every library is instrumented for coverage; only fuzz targets link the libFuzzer main.
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# qr_module(NAME DIR <dir> [DEPS <targets...>])
# A static library made of every .cpp in DIR (tests excluded), with DIR's parent
# folder chain on the include path so that code includes "foundation/uvo_list.h".
function(qr_module name)
  cmake_parse_arguments(M "" "DIR;INCLUDE" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${M_DIR}/*.cpp)
  foreach(ex IN LISTS M_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${ex}")
  endforeach()
  if(NOT srcs)
    # A module whose code has not landed yet: headers only.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${M_INCLUDE})
    target_link_libraries(${name} INTERFACE ${M_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${M_INCLUDE})
  target_link_libraries(${name} PUBLIC ${M_DEPS} PRIVATE qr_warnings)
endfunction()

# Helpers shared by every test binary (temporary folders, ...): tests/support/test_support/.
add_library(qr_test_support INTERFACE)
target_include_directories(qr_test_support INTERFACE ${PROJECT_SOURCE_DIR}/tests/support)

# qr_tests(NAME DIR <dir> DEPS <targets...>): one GoogleTest binary made of DIR/*_test.cpp.
function(qr_tests name)
  if(NOT QR_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "DIR" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${T_DIR}/*_test.cpp ${T_DIR}/test_*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${T_DEPS} GTest::gtest GTest::gtest_main GTest::gmock qr_test_support qr_warnings)
  target_compile_definitions(${name} PRIVATE QR_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# qr_fuzz(NAME SOURCE <file> DEPS <targets...> [CORPUS <dir>])
# With QR_FUZZ the target is a libFuzzer binary. Otherwise it is linked with a small
# replay driver and registered as a test that feeds it its seed corpus plus a few
# thousand mutated inputs, so every reader of outside bytes is exercised in CI too.
function(qr_fuzz name)
  cmake_parse_arguments(F "" "SOURCE;CORPUS" "DEPS" ${ARGN})
  add_executable(${name} ${F_SOURCE})
  target_link_libraries(${name} PRIVATE ${F_DEPS} qr_warnings)
  if(QR_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    if(QR_BUILD_TESTS)
      set(corpus ${F_CORPUS})
      if(NOT corpus)
        set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
      endif()
      add_test(NAME fuzz.${name} COMMAND ${name} --mutate 3000 ${corpus})
    endif()
  endif()
endfunction()
