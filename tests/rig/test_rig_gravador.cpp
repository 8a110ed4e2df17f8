// Records through the real driver: ALSA's file-backed capture device plays
// a synthesised engine buzz as if it were a microphone. Needs an X display
// (the library's sound needs allegro_init); rig.cmake runs it under Xvfb.

#include <allegro.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

#include "CapturaAudio.h"
#include "GravadorAlsa.h"
#include "SinaisSintetizados.h"

namespace {

using Relogio = std::chrono::steady_clock;

double segundosDesde(Relogio::time_point t) {
    return std::chrono::duration<double>(Relogio::now() - t).count();
}

// Starts the library the way the game does; playback goes to ALSA's null
// device, so the library's ALSA output runs all through the test (the ALSA
// input probe would make it abort the process).
void iniciarBiblioteca() {
    ASSERT_EQ(allegro_init(), 0) << allegro_error;
    GravadorAlsa::registrar();
    install_timer();
    EXPECT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
    EXPECT_NE(digi_driver->id, GravadorAlsa::ID) << "the capture driver never plays";
    EXPECT_NE(digi_driver->id, DIGI_NONE);
}

class GravadorRig : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char modelo[] = "/tmp/ronco-rig-XXXXXX";
        diretorio = mkdtemp(modelo);
        arquivoMic = diretorio + "/mic.raw";
        sinal = SinaisSintetizados::ronco(8);
        std::ofstream(arquivoMic, std::ios::binary)
            .write(reinterpret_cast<const char*>(sinal.data()), static_cast<std::streamsize>(sinal.size() * 2));
        setenv("MIC_FILE", arquivoMic.c_str(), 1);
    }
    static void TearDownTestSuite() {
        std::remove(arquivoMic.c_str());
        rmdir(diretorio.c_str());
    }

    static std::string diretorio;
    static std::string arquivoMic;
    static std::vector<int16_t> sinal;
};

std::string GravadorRig::diretorio;
std::string GravadorRig::arquivoMic;
std::vector<int16_t> GravadorRig::sinal;

}  // namespace

// One test, in order: the library's sound input can only be installed once
// per process in a meaningful way, and the file plays only once.
TEST_F(GravadorRig, RecordsTheFileInRealTimeAndHearsTheEngine) {
    iniciarBiblioteca();
    ASSERT_EQ(install_sound_input(GravadorAlsa::ID, MIDI_NONE), 0) << allegro_error;
    ASSERT_TRUE(GravadorAlsa::isDisponivel());
    int bits = get_sound_input_cap_bits();
    EXPECT_EQ(bits, 16);
    int taxa = get_sound_input_cap_rate(bits, 0);
    EXPECT_EQ(taxa, 44100);
    EXPECT_EQ(get_sound_input_cap_parm(taxa, bits, 0), 1);
    EXPECT_EQ(start_sound_input(44100, 16, 1), 0) << "stereo is not offered";

    // Three one-second buffers, byte for byte the file, no faster than the
    // clock.
    std::vector<uint16_t> buffer(44100);
    auto inicio = Relogio::now();
    ASSERT_EQ(start_sound_input(44100, 16, 0), 88200);
    for (int segundo = 0; segundo < 3; segundo++) {
        while (read_sound_input(buffer.data()) <= 0) {
            ASSERT_LT(segundosDesde(inicio), 20.0) << "no buffer " << segundo;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_GE(segundosDesde(inicio), segundo + 0.99) << "buffer " << segundo << " came early";
        int diferentes = 0;
        for (int i = 0; i < 44100; i++) {
            uint16_t esperado = static_cast<uint16_t>(sinal[segundo * 44100 + i]) ^ 0x8000u;
            diferentes += buffer[i] != esperado;
        }
        EXPECT_EQ(diferentes, 0) << "buffer " << segundo;
        EXPECT_EQ(read_sound_input(buffer.data()), 0) << "the same buffer twice";
    }

    // The game's analysis on the same recording, one frame every 40 ms.
    std::FILE* nulo = std::fopen("/dev/null", "w");
    CapturaAudio::setConsole(nulo);
    CapturaAudio captura(16, 44100);
    EXPECT_EQ(captura.getTamanhoAllegroBufferBytes(), 88200);
    int frames = 0, aceitos = 0;
    auto proximo = Relogio::now();
    // Seconds 4 to 7 of the buzz (the first, partly consumed above, skipped).
    while (frames < 75) {
        proximo += std::chrono::milliseconds(40);
        std::this_thread::sleep_until(proximo);
        captura.rotinaCompleta();
        if (GravadorAlsa::getBuffersGravados() >= 5) {
            frames++;
            aceitos += captura.getRonco();
        }
        ASSERT_LT(segundosDesde(inicio), 30.0);
    }
    CapturaAudio::setConsole(nullptr);
    std::fclose(nulo);
    std::printf("buzz heard through the driver on %d of %d frames\n", aceitos, frames);
    EXPECT_GT(aceitos, frames * 8 / 10);

    remove_sound_input();
    remove_sound();
}

// Run with a config whose microphone cannot be opened (rig.cmake): start-up
// sees no recording ability, recording answers 0, and the library's own
// ALSA input probe never runs (it would abort the process once playback is
// running).
TEST(GravadorSemMicrofone, ReportsNoRecordingAndDoesNotCrash) {
    iniciarBiblioteca();
    EXPECT_EQ(install_sound_input(DIGI_AUTODETECT, MIDI_NONE), 0) << allegro_error;
    EXPECT_FALSE(GravadorAlsa::isDisponivel());
    int bits = get_sound_input_cap_bits();
    int taxa = get_sound_input_cap_rate(bits, 0);
    int modo = get_sound_input_cap_parm(taxa, bits, 0);
    EXPECT_NE(modo, 1);
    EXPECT_NE(modo, 2);

    std::FILE* nulo = std::fopen("/dev/null", "w");
    CapturaAudio::setConsole(nulo);
    CapturaAudio captura(16, 44100);
    EXPECT_EQ(captura.getTamanhoAllegroBufferBytes(), 0);
    for (int i = 0; i < 15; i++) {
        EXPECT_FALSE(captura.rotinaCompleta());
        EXPECT_EQ(captura.getMediaA(), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
    CapturaAudio::setConsole(nullptr);
    std::fclose(nulo);
    remove_sound_input();
    remove_sound();
}
