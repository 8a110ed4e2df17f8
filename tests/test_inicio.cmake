# The game started where its files are not: one message naming each missing
# file, a non-zero exit, and no window attempted (no display needed).
if(TARGET ronco)
  add_test(NAME InicioSemAssets.MessageAndFailure
    COMMAND sh -c "d=$(mktemp -d) && cd \"$d\" && mkdir -p mapas && echo x >mapas/tiles.bmp; \"$0\" >saida 2>&1; s=$?; cat saida; ok=0; [ $s -ne 0 ] && grep -q 'graficos/mouse.bmp' saida && grep -q 'soms/ignicao 3seg.wav' saida && ! grep -q 'mapas/tiles.bmp' saida && [ $(grep -c 'missing or unreadable' saida) -eq 1 ] || ok=1; cd / && rm -rf \"$d\"; exit $ok"
      $<TARGET_FILE:ronco>)
  set_tests_properties(InicioSemAssets.MessageAndFailure PROPERTIES TIMEOUT 30 ENVIRONMENT "DISPLAY=")
endif()
