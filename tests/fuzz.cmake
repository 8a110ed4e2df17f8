# Fuzzing of the text readers (city map, traffic table, car data files).
#
# With -DRONCO_FUZZ=ON and clang as the compiler, the fuzz target is part of
# this build. Independently of that, the ordinary (non-sanitizer) build
# registers one CTest that builds the target with clang in its own folder and
# fuzzes for 30 seconds, so CI fuzzes once per run whatever compiler it uses.
if(RONCO_FUZZ)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    include(${CMAKE_CURRENT_SOURCE_DIR}/fuzz/alvos.cmake)
  else()
    message(WARNING "RONCO_FUZZ: libFuzzer needs clang (-DCMAKE_CXX_COMPILER=clang++); "
                    "the fuzz target is not built, the fuzz test still runs through run-fuzz.sh")
  endif()
endif()

if(NOT RONCO_SANITIZE)
  find_program(RONCO_CLANGXX clang++)
  if(RONCO_CLANGXX)
    add_test(NAME fuzz_leitores
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/run-fuzz.sh ${CMAKE_BINARY_DIR}/fuzz 30)
    set_tests_properties(fuzz_leitores PROPERTIES LABELS fuzz TIMEOUT 600)
  else()
    message(STATUS "clang++ not found: the fuzz test is not registered")
  endif()
endif()
