# The game started where its files are not (only the tile sheet there, and a
# folder where a sound should be): one message listing each missing file
# once, a non-zero exit, and no window attempted (no display needed).
if(TARGET ronco)
  add_test(NAME InicioSemAssets.MessageAndFailure
    COMMAND sh -c "d=$(mktemp -d) && cd \"$d\" && mkdir -p mapas 'soms/ignicao 3seg.wav' && echo x >mapas/tiles.bmp; \"$0\" >saida 2>&1; s=$?; cat saida; ok=0; [ $s -ne 0 ] && [ $(grep -c 'graficos/mouse.bmp' saida) -eq 1 ] && [ $(grep -c 'soms/ignicao 3seg.wav' saida) -eq 1 ] && ! grep -q 'mapas/tiles.bmp' saida && [ $(grep -c 'missing or unreadable' saida) -eq 1 ] || ok=1; cd / && rm -rf \"$d\"; exit $ok"
      $<TARGET_FILE:ronco>)
  set_tests_properties(InicioSemAssets.MessageAndFailure PROPERTIES LABELS e2e TIMEOUT 30 ENVIRONMENT "DISPLAY=")
endif()
