# End-to-end scenarios: the real game under a private X server, with a
# file-backed microphone (or a private PulseAudio or PipeWire), driven by xdotool and watched through screenshots
# (tests/e2e/). Registered only when the game itself is built. Each keeps
# its screenshots and console output in build/e2e-artefactos/<scenario>/.

if(TARGET ronco)
  # The eye that reads screenshots, and the window-close sender. They are
  # the test's instruments, not the game: built optimised and without the
  # sanitizers in every build, so that a sanitizer build's scenarios look
  # at the game as often as the normal build's. The eye reads the places
  # the game's headers define from those headers, but links none of the
  # game's code; what needs that code (the verdict colours) comes from
  # e2e_definicoes, run once per scenario and built beside the eye, where
  # the scenarios look for it.
  find_package(X11 REQUIRED)
  add_executable(e2e_olho ${CMAKE_CURRENT_SOURCE_DIR}/e2e/olho.cpp)
  target_link_libraries(e2e_olho PRIVATE PkgConfig::ALLEGRO X11::X11)
  target_include_directories(e2e_olho PRIVATE ${CMAKE_SOURCE_DIR}/src)
  add_executable(e2e_fechar_janela ${CMAKE_CURRENT_SOURCE_DIR}/e2e/fechar_janela.cpp)
  target_link_libraries(e2e_fechar_janela PRIVATE X11::X11)
  foreach(instrumento e2e_olho e2e_fechar_janela)
    set_property(TARGET ${instrumento} PROPERTY COMPILE_OPTIONS -O2 ${RONCO_WARNINGS})
    set_property(TARGET ${instrumento} PROPERTY LINK_OPTIONS "")
  endforeach()
  add_executable(e2e_definicoes ${CMAKE_CURRENT_SOURCE_DIR}/e2e/definicoes.cpp)
  target_compile_options(e2e_definicoes PRIVATE ${RONCO_WARNINGS})
  target_link_libraries(e2e_definicoes PRIVATE ronco_todas)
  add_dependencies(e2e_olho e2e_definicoes)

  set(RONCO_E2E_ARTEFACTOS ${CMAKE_BINARY_DIR}/e2e-artefactos)

  # ronco_e2e(NAME SCRIPT SECONDS [ARGS...]): one scenario, bounded by
  # SECONDS; ARGS go to the script after the five common ones.
  function(ronco_e2e nome script segundos)
    add_test(NAME e2e_${nome}
      COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${script}
              $<TARGET_FILE:ronco> ${CMAKE_BINARY_DIR}/jogo ${RONCO_E2E_ARTEFACTOS}/${nome}
              $<TARGET_FILE:e2e_olho> $<TARGET_FILE:e2e_fechar_janela> ${ARGN})
    # One private X server each, but the scripted driver steers late when
    # it shares the processor (with another game, the fuzzer or a build):
    # they run alone.
    set_tests_properties(e2e_${nome} PROPERTIES
      LABELS e2e
      TIMEOUT ${segundos}
      RUN_SERIAL TRUE)
  endfunction()

  ronco_e2e(corrida corrida.sh 900)
  ronco_e2e(batida batida.sh 150)
  ronco_e2e(menus menus.sh 200)
  ronco_e2e(sem_som sem-som.sh 120 sem-som)
  ronco_e2e(microfone_parado sem-som.sh 180 microfone-parado)
  ronco_e2e(recursos_quebrados recursos-quebrados.sh 400)
  # Random play in both builds: two minutes in the normal one, and one
  # minute under the sanitizers, which see what the random inputs
  # reach (the whole test run stays within its time). README gives the long run.
  if(RONCO_SANITIZE)
    ronco_e2e(aleatorio aleatorio.sh 270 60)
  else()
    ronco_e2e(aleatorio aleatorio.sh 360 120)
  endif()
  # Whole races again through other ways in (PulseAudio, PipeWire, the W key, the
  # installed launcher) and five starts in a row: the same game code as the
  # race above, so the sanitizer build, three times slower, leaves them to
  # the normal build and CI stays short. The installed game is what a
  # player installs, never a sanitizer build.
  if(NOT RONCO_SANITIZE)
    ronco_e2e(servidor_de_som corrida.sh 900 servidor)
    ronco_e2e(pipewire corrida.sh 900 pipewire)
    ronco_e2e(pausa pausa.sh 330)
    ronco_e2e(sem_microfone sem-som.sh 600 sem-microfone)
    ronco_e2e(instalado instalado.sh 900 ${CMAKE_BINARY_DIR})
    # The window on a Wayland desktop (menus.sh has an X11 one).
    ronco_e2e(wayland wayland.sh 90)
  endif()
endif()
