# The fuzz target for the readers of the city map, the traffic table and the
# car data files. Included by the standalone clang build in this folder (see
# run-fuzz.sh) and by the main build when RONCO_FUZZ is on and the compiler is
# clang. Only the classes that read those files go in: no Allegro, no ALSA.
set(RONCO_FUZZ_RAIZ ${CMAKE_CURRENT_LIST_DIR}/../..)
add_executable(fuzz_leitores
  ${CMAKE_CURRENT_LIST_DIR}/fuzz_leitores.cpp
  ${RONCO_FUZZ_RAIZ}/src/LeitorMapa.cpp
  ${RONCO_FUZZ_RAIZ}/src/LogicaColisao.cpp
  ${RONCO_FUZZ_RAIZ}/src/LogicaNPC.cpp
  ${RONCO_FUZZ_RAIZ}/src/Carro.cpp
  ${RONCO_FUZZ_RAIZ}/src/CarroCalculos.cpp
  ${RONCO_FUZZ_RAIZ}/src/Relogio.cpp
  ${RONCO_FUZZ_RAIZ}/src/Vetor.cpp)
target_include_directories(fuzz_leitores PRIVATE ${RONCO_FUZZ_RAIZ}/src)
target_compile_features(fuzz_leitores PRIVATE cxx_std_17)
target_compile_options(fuzz_leitores PRIVATE -g -fsanitize=fuzzer,address,undefined
                       -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
target_link_options(fuzz_leitores PRIVATE -fsanitize=fuzzer,address,undefined)
