# Tests of the real microphone driver. They need the library's sound, hence
# an X display: each runs under its own Xvfb (rig/com-xvfb.sh). ALSA reads
# its config from the repository, so no sound card is needed.
add_executable(ronco_rig_voz ${CMAKE_CURRENT_SOURCE_DIR}/rig/test_MicrofoneAlsa.cpp)
target_include_directories(ronco_rig_voz PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/apoio)
target_compile_options(ronco_rig_voz PRIVATE ${RONCO_WARNINGS})
target_link_libraries(ronco_rig_voz PRIVATE ronco_todas GTest::gtest GTest::gtest_main)

set(RONCO_RIG ${CMAKE_CURRENT_SOURCE_DIR}/rig)
# Allegro's ALSA output module and libasound keep a few bytes to the end
# (the module is unloaded at exit, so they cannot be told apart by name):
# no leak checking here; the unit tests check our own code for leaks.
set(RONCO_RIG_ASAN "ASAN_OPTIONS=detect_leaks=0")
add_test(NAME rig_voz_gravador
         COMMAND ${RONCO_RIG}/com-xvfb.sh $<TARGET_FILE:ronco_rig_voz> --gtest_filter=GravadorRig.*)
set_tests_properties(rig_voz_gravador PROPERTIES LABELS rig TIMEOUT 60
                     ENVIRONMENT "ALSA_CONFIG_PATH=${RONCO_RIG}/asound-filemic.conf;${RONCO_RIG_ASAN}")

# The voice analyser, from the command line (needs sox, no display).
add_test(NAME voz_analisar_voz COMMAND ${RONCO_RIG}/analisar-voz.sh $<TARGET_FILE:analisar-voz>)
set_tests_properties(voz_analisar_voz PROPERTIES LABELS rig TIMEOUT 60)
