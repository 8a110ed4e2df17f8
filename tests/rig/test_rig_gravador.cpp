// Records through the real driver: ALSA's file-backed capture device plays
// a synthesised engine buzz as if it were a microphone. Needs an X display
// (the library's sound needs allegro_init); rig.cmake runs it under Xvfb.

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "CapturaAudio.h"
#include "DiretorioTemporario.h"
#include "GravadorAlsa.h"
#include "SinaisSintetizados.h"

namespace {

using Relogio = std::chrono::steady_clock;

double segundosDesde(Relogio::time_point t) { return std::chrono::duration<double>(Relogio::now() - t).count(); }

// Starts the library the way the game does; playback goes to ALSA's null
// device, so the library's ALSA output runs all through the test (the ALSA
// input probe would make it abort the process). Console lines are dropped.
void iniciarBiblioteca() {
    ASSERT_EQ(allegro_init(), 0) << allegro_error;
    GravadorAlsa::registrar();
    install_timer();
    EXPECT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
    EXPECT_NE(digi_driver->id, GravadorAlsa::ID) << "the capture driver never plays";
    EXPECT_NE(digi_driver->id, DIGI_NONE);
    CapturaAudio::setConsole(std::fopen("/dev/null", "w"));
}

}  // namespace

// One test, in order: the library's sound input can only be installed once
// per process in a meaningful way, and the file plays only once.
TEST(GravadorRig, RecordsTheFileInRealTimeAndHearsTheEngine) {
    DiretorioTemporario dir;
    std::vector<int16_t> sinal = SinaisSintetizados::ronco(8);
    dir.escrever("mic.raw", std::string(reinterpret_cast<const char*>(sinal.data()), sinal.size() * 2));
    setenv("MIC_FILE", (dir.getCaminho() / "mic.raw").c_str(), 1);
    iniciarBiblioteca();
    ASSERT_EQ(install_sound_input(GravadorAlsa::ID, MIDI_NONE), 0) << allegro_error;
    ASSERT_TRUE(GravadorAlsa::isDisponivel());
    EXPECT_EQ(get_sound_input_cap_bits(), 16);
    EXPECT_EQ(get_sound_input_cap_rate(16, 0), 44100);
    EXPECT_EQ(get_sound_input_cap_parm(44100, 16, 0), 1);
    EXPECT_EQ(start_sound_input(44100, 16, 1), 0) << "stereo is not offered";

    // Three one-second buffers, byte for byte the file, no faster than the
    // clock.
    std::vector<uint16_t> buffer(44100), esperado = SinaisSintetizados::semSinal(sinal);
    auto inicio = Relogio::now();
    ASSERT_EQ(start_sound_input(44100, 16, 0), 88200);
    for (int segundo = 0; segundo < 3; segundo++) {
        while (read_sound_input(buffer.data()) <= 0) {
            ASSERT_LT(segundosDesde(inicio), 20.0) << "no buffer " << segundo;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_GE(segundosDesde(inicio), segundo + 0.99) << "buffer " << segundo << " came early";
        EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), esperado.begin() + segundo * 44100)) << segundo;
        EXPECT_EQ(read_sound_input(buffer.data()), 0) << "the same buffer twice";
    }

    // The game's analysis on the same recording, one frame every 40 ms, on
    // seconds 4 to 7 of the buzz (the first, partly consumed above, skipped).
    CapturaAudio captura(16, 44100);
    EXPECT_EQ(captura.getTamanhoAllegroBufferBytes(), 88200);
    int frames = 0, aceitos = 0;
    for (auto proximo = Relogio::now(); frames < 75; proximo += std::chrono::milliseconds(40)) {
        std::this_thread::sleep_until(proximo);
        captura.rotinaCompleta();
        if (GravadorAlsa::getBuffersGravados() >= 5) frames++, aceitos += captura.getRonco();
        ASSERT_LT(segundosDesde(inicio), 30.0);
    }
    std::printf("buzz heard through the driver on %d of %d frames\n", aceitos, frames);
    EXPECT_GT(aceitos, frames * 8 / 10);
    remove_sound_input();
    remove_sound();
}
