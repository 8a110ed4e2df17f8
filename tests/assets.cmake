# The asset tests read the tree the generator writes for the game, and test
# the generator's drawing helpers directly.
if(TARGET assets_jogo)
  target_compile_definitions(ronco_tests PRIVATE RONCO_JOGO_DIR="${RONCO_JOGO_DIR}")
  target_sources(ronco_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools/gerador-assets/Desenho.cpp)
  target_include_directories(ronco_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools/gerador-assets)
  add_dependencies(ronco_tests assets_jogo)
endif()
