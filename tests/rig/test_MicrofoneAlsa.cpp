// Records through the real recorder: ALSA's file-backed capture device plays
// a synthesised engine buzz, or whatever a test writes into a pipe, as if it
// were a microphone. The library's sound needs an X display (allegro_init);
// rig.cmake runs this under Xvfb.

#include <allegro.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "CapturaAudio.h"
#include "DiretorioTemporario.h"
#include "GravadorAlsa.h"
#include "MicrofoneAlsa.h"
#include "SinaisSintetizados.h"

namespace {

using Relogio = std::chrono::steady_clock;

double segundosDesde(Relogio::time_point t) { return std::chrono::duration<double>(Relogio::now() - t).count(); }

// The samples recorded since the last call, from the newest second (polled
// well within a second, so nothing falls out of it unseen).
struct Escuta {
    MicrofoneAlsa& microfone;
    long long visto = 0;
    std::vector<uint16_t> segundo = std::vector<uint16_t>(MicrofoneAlsa::AMOSTRAS);

    std::vector<int16_t> novas() {
        long long total = 0;
        if (!microfone.lerRecente(segundo.data(), &total)) return {};
        const long long n = std::min<long long>(total - visto, MicrofoneAlsa::AMOSTRAS);
        visto = total;
        std::vector<int16_t> s;
        for (long long i = MicrofoneAlsa::AMOSTRAS - n; i < MicrofoneAlsa::AMOSTRAS; i++) {
            s.push_back(static_cast<int16_t>(segundo[i] ^ 0x8000u));
        }
        return s;
    }
};

}  // namespace

// The newest second is always the file's sound up to now: every 10 ms
// period is handed over as it comes, never faster than the clock.
TEST(GravadorRig, TheNewestSecondIsTheFileUpToNowInRealTime) {
    DiretorioTemporario dir;
    std::vector<int16_t> sinal = SinaisSintetizados::ronco(4);
    dir.escrever("mic.raw", std::string(reinterpret_cast<const char*>(sinal.data()), sinal.size() * 2));
    setenv("MIC_FILE", (dir.getCaminho() / "mic.raw").c_str(), 1);
    MicrofoneAlsa microfone;
    ASSERT_TRUE(microfone.abrir("default"));
    const auto inicio = Relogio::now();
    microfone.iniciar();
    std::vector<uint16_t> segundo(MicrofoneAlsa::AMOSTRAS);
    int entregas = 0;
    long long total = 0;
    while (segundosDesde(inicio) < 2.5) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (!microfone.lerRecente(segundo.data(), &total)) continue;
        entregas++;
        ASSERT_LE(total, (segundosDesde(inicio) + 0.02) * MicrofoneAlsa::TAXA) << "ahead of the clock";
        const long long n = std::min<long long>(total, MicrofoneAlsa::AMOSTRAS);
        for (long long i = 0; i < n; i++) {
            ASSERT_EQ(static_cast<int16_t>(segundo[MicrofoneAlsa::AMOSTRAS - n + i] ^ 0x8000u), sinal[total - n + i])
                << "sample " << total - n + i;
        }
    }
    microfone.parar();
    EXPECT_GE(total, 2 * MicrofoneAlsa::TAXA) << "the file was not read in real time";
    EXPECT_GE(entregas, 100) << "sound came in " << entregas << " lumps";
}

// A pipe whose writer stays connected but goes quiet for nine seconds, then
// goes on at real-time pace in 100 ms blocks: every block that comes after
// the silence is heard, in order, none lost or doubled, however the second
// reader opened meanwhile and the first one share the pipe.
TEST(GravadorRig, AStalledPipeThatComesBackIsHeardWholeWithoutLosingABlock) {
    DiretorioTemporario dir;
    const std::string cano = (dir.getCaminho() / "mic.cano").string();
    ASSERT_EQ(mkfifo(cano.c_str(), 0600), 0);
    setenv("MIC_FILE", cano.c_str(), 1);
    const int BLOCO = 4410, ANTES = 10, DEPOIS = 20;
    std::vector<int16_t> escrito;
    std::thread escritor([&] {
        const int fd = open(cano.c_str(), O_WRONLY);
        if (fd < 0) return;
        auto proximo = Relogio::now();
        for (int b = 0; b < ANTES + DEPOIS; b++) {
            if (b == ANTES) proximo += std::chrono::seconds(9);
            std::this_thread::sleep_until(proximo);
            std::vector<int16_t> bloco(BLOCO, static_cast<int16_t>(100 + b));
            if (write(fd, bloco.data(), BLOCO * 2) != BLOCO * 2) break;
            escrito.insert(escrito.end(), bloco.begin(), bloco.end());
            proximo += std::chrono::milliseconds(100);
        }
        std::this_thread::sleep_for(std::chrono::seconds(1));
        close(fd);
    });
    MicrofoneAlsa microfone(std::tmpfile());
    ASSERT_TRUE(microfone.abrir("default"));
    microfone.iniciar();
    Escuta escuta{microfone};
    std::vector<int16_t> ouvido;
    const auto inicio = Relogio::now();
    while (segundosDesde(inicio) < 14.5) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        for (int16_t v : escuta.novas()) {
            if (v != 0) ouvido.push_back(v);  // the silence in between, left out
        }
    }
    microfone.parar();
    escritor.join();
    ASSERT_EQ(escrito.size(), static_cast<size_t>((ANTES + DEPOIS) * BLOCO));
    EXPECT_EQ(ouvido.size(), escrito.size());
    EXPECT_TRUE(ouvido == escrito) << "a block was lost, doubled or reordered";
}

// A pipe whose writer is connected but never writes: every read blocks for
// good. Switching devices again and again meanwhile leaves as many threads
// and descriptors as there were (each reader let go is cut short and
// joined), and stopping gives back the recorder's own. A device that cannot
// be opened gives way to "default", with one console line.
TEST(GravadorRig, SwitchingWhileTheSourceIsStuckLeavesNoThreadOrDescriptorBehind) {
    DiretorioTemporario dir;
    const std::string cano = (dir.getCaminho() / "mic.cano").string();
    ASSERT_EQ(mkfifo(cano.c_str(), 0600), 0);
    setenv("MIC_FILE", cano.c_str(), 1);
    const int escritor = open(cano.c_str(), O_RDWR);  // a writer that stays quiet
    auto contar = [](const char* pasta) {
        return std::distance(std::filesystem::directory_iterator(pasta), std::filesystem::directory_iterator());
    };
    const auto threadsAntes = contar("/proc/self/task"), fdsAntes = contar("/proc/self/fd");
    std::FILE* console = std::tmpfile();
    {
        MicrofoneAlsa microfone(console);
        ASSERT_TRUE(microfone.abrir("default"));
        microfone.iniciar();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const auto threads = contar("/proc/self/task"), fds = contar("/proc/self/fd");
        for (const char* nome : {"filemic", "ronco-sem-tal-placa", "default", "filemic", "default", "filemic"}) {
            microfone.trocarDispositivo(nome);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            EXPECT_EQ(microfone.getFalha(), nome[0] == 'r' ? nome : "");
        }
        EXPECT_EQ(contar("/proc/self/task"), threads);
        EXPECT_EQ(contar("/proc/self/fd"), fds);
        EXPECT_EQ(microfone.getDispositivo(), "filemic");
    }
    EXPECT_EQ(contar("/proc/self/task"), threadsAntes);
    EXPECT_EQ(contar("/proc/self/fd"), fdsAntes + 1) << "the console's";
    char linha[256] = "";
    std::rewind(console);
    EXPECT_TRUE(std::fgets(linha, sizeof linha, console) && std::fgets(linha, sizeof linha, console));
    EXPECT_STREQ(linha,
                 "The microphone \"ronco-sem-tal-placa\" cannot be opened: recording from \"default\" instead.\n");
    close(escritor);
}

// Through the library, as the game records: the driver's capabilities, and
// the game's analysis hears the engine in what it hands over.
TEST(GravadorRig, TheLibrarysSoundInputRecordsAndTheAnalysisHearsTheEngine) {
    DiretorioTemporario dir;
    std::vector<int16_t> sinal = SinaisSintetizados::ronco(6);
    dir.escrever("mic.raw", std::string(reinterpret_cast<const char*>(sinal.data()), sinal.size() * 2));
    setenv("MIC_FILE", (dir.getCaminho() / "mic.raw").c_str(), 1);
    ASSERT_EQ(allegro_init(), 0) << allegro_error;
    GravadorAlsa::registrar();
    install_timer();
    // Playback goes to ALSA's null device, so the library's ALSA output runs
    // all through the test (the ALSA input probe would abort the process).
    EXPECT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
    EXPECT_NE(digi_driver->id, GravadorAlsa::ID) << "the capture driver never plays";
    EXPECT_NE(digi_driver->id, DIGI_NONE);
    CapturaAudio::setConsole(std::fopen("/dev/null", "w"));
    ASSERT_EQ(install_sound_input(GravadorAlsa::ID, MIDI_NONE), 0) << allegro_error;
    ASSERT_TRUE(GravadorAlsa::isDisponivel());
    EXPECT_EQ(get_sound_input_cap_bits(), 16);
    EXPECT_EQ(get_sound_input_cap_rate(16, 0), 44100);
    EXPECT_EQ(get_sound_input_cap_parm(44100, 16, 0), 1);
    EXPECT_EQ(start_sound_input(44100, 16, 1), 0) << "stereo is not offered";

    // The game's analysis, one frame every 40 ms, once the first second is in.
    CapturaAudio::setFonteGravacao(GravadorAlsa::getFonte());
    CapturaAudio captura(16, 44100);
    EXPECT_EQ(captura.getTamanhoAllegroBufferBytes(), 88200);
    const auto inicio = Relogio::now();
    int frames = 0, aceitos = 0;
    for (auto proximo = inicio; frames < 75; proximo += std::chrono::milliseconds(40)) {
        std::this_thread::sleep_until(proximo);
        captura.rotinaCompleta();
        if (GravadorAlsa::getAmostrasGravadas() >= 44100) frames++, aceitos += captura.getRonco();
        ASSERT_LT(segundosDesde(inicio), 20.0);
    }
    std::printf("buzz heard through the driver on %d of %d frames\n", aceitos, frames);
    EXPECT_GT(aceitos, frames * 8 / 10);
    remove_sound_input();
    remove_sound();
}
