# Tests of the real microphone driver. They need the library's sound, hence
# an X display: each runs under its own Xvfb (rig/com-xvfb.sh). ALSA reads
# its config from the repository, so no sound card is needed.
add_executable(ronco_rig_voz ${CMAKE_CURRENT_SOURCE_DIR}/rig/test_rig_gravador.cpp)
target_include_directories(ronco_rig_voz PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(ronco_rig_voz PRIVATE ${RONCO_WARNINGS})
target_link_libraries(ronco_rig_voz PRIVATE ronco_core GTest::gtest GTest::gtest_main)

set(RONCO_RIG ${CMAKE_CURRENT_SOURCE_DIR}/rig)
add_test(NAME rig_voz_gravador
         COMMAND ${RONCO_RIG}/com-xvfb.sh $<TARGET_FILE:ronco_rig_voz> --gtest_filter=GravadorRig.*)
set_tests_properties(rig_voz_gravador PROPERTIES LABELS rig TIMEOUT 60
                     ENVIRONMENT "ALSA_CONFIG_PATH=${RONCO_RIG}/asound-filemic.conf")
add_test(NAME rig_voz_sem_microfone
         COMMAND ${RONCO_RIG}/com-xvfb.sh $<TARGET_FILE:ronco_rig_voz> --gtest_filter=GravadorSemMicrofone.*)
set_tests_properties(rig_voz_sem_microfone PROPERTIES LABELS rig TIMEOUT 60
                     ENVIRONMENT "ALSA_CONFIG_PATH=${RONCO_RIG}/asound-semmic.conf")
