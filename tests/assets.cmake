# The asset tests read the tree the generator writes for the game.
if(TARGET assets_jogo)
  target_compile_definitions(ronco_tests PRIVATE RONCO_JOGO_DIR="${RONCO_JOGO_DIR}")
  add_dependencies(ronco_tests assets_jogo)
endif()
