# Fuzzing of the text readers (city map, traffic table, car data files,
# record file).
#
# The ordinary (non-sanitizer) build registers one CTest that builds the
# fuzz target with clang in its own folder (fuzz/run-fuzz.sh) and fuzzes for
# 30 seconds, so CI fuzzes once per run whatever compiler the build uses.
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
