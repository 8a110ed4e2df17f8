// The recorder's readers and their watcher, on capture devices of the
// test's own: sound cards that are busy, stall, block for good, go away and
// come back, at the test's say. Times are a tenth of the game's. (Reads
// that block for good, and switching meanwhile, are the rig's: ALSA's own
// file device on a pipe.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "VigiaMicrofone.h"

namespace {

using Relogio = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A sound card: its sound is a count, sample k of card t reading
// t * 8000 + 1 + k % 7999, made at 44100 samples a second while it is not
// stopped; each opening hears it from the moment it was opened (as a sound
// server hands every client the same sound).
struct Placa {
    int marca = 0, abertas = 0, geracao = 0;  // openings of an older generation hear nothing more
    bool ligada = true;                       // can be opened
    bool exclusiva = false;                   // one opening at a time (a hw device: busy)
    bool parada = false;                      // makes no sound
    bool espera = false;                      // a read waits for sound, whatever happens meanwhile
    long long feitas = 0;
    Relogio::time_point desde = Relogio::now();
    void andar() {
        const auto agora = Relogio::now();
        if (!parada)
            feitas += std::chrono::duration_cast<std::chrono::microseconds>(agora - desde).count() * 441 / 10000;
        desde = agora;
    }
};
struct Abertura {
    Placa* placa;
    long long posicao;
    int geracao;
};
std::mutex trava;
std::map<std::string, Placa> placas;

void* abrir(void*, const std::string& nome) {
    std::lock_guard<std::mutex> l(trava);
    auto i = placas.find(nome);
    if (i == placas.end() || !i->second.ligada || (i->second.exclusiva && i->second.abertas > 0)) return nullptr;
    i->second.andar();
    i->second.abertas++;
    return new Abertura{&i->second, i->second.feitas, i->second.geracao};
}

long ler(void*, void* aberto, int16_t* destino, long maximo) {
    Abertura& a = *static_cast<Abertura*>(aberto);
    Placa& p = *a.placa;
    for (bool esperar = true; esperar; std::this_thread::sleep_for(milliseconds(1))) {
        std::lock_guard<std::mutex> l(trava);
        p.andar();
        esperar = p.espera && (p.parada || p.feitas - a.posicao < 441);
    }
    std::unique_lock<std::mutex> l(trava);
    if (!p.ligada) return -1;
    const bool calada = p.parada || a.geracao < p.geracao;
    const long n = calada ? 0 : static_cast<long>(std::min<long long>(p.feitas - a.posicao, maximo));
    for (long i = 0; i < n; i++, a.posicao++) destino[i] = static_cast<int16_t>(p.marca * 8000 + 1 + a.posicao % 7999);
    l.unlock();
    // A wait cut short by a signal answers a full block, untouched (as
    // ALSA's file device does): silence.
    if (n == 0 && usleep(2000) != 0) return std::fill_n(destino, maximo, 0), maximo;
    return n;
}

void fechar(void*, void* aberto) {
    std::lock_guard<std::mutex> l(trava);
    static_cast<Abertura*>(aberto)->placa->abertas--;
    delete static_cast<Abertura*>(aberto);
}

// A recorder over the cards named, and all it recorded, in order.
struct Bancada {
    std::FILE* console = std::tmpfile();
    VigiaMicrofone vigia;
    std::vector<int16_t> ouvido;
    long long visto = 0;

    static TemposMicrofone tempos() {
        TemposMicrofone t;
        t.silencioMaximo = milliseconds(200), t.intervaloReabertura = milliseconds(300);
        t.passo = milliseconds(10), t.esperaSaida = milliseconds(50);
        return t;
    }
    explicit Bancada(std::vector<std::string> nomes) : vigia({abrir, ler, fechar, nullptr}, console, tempos()) {
        placas.clear();
        for (size_t i = 0; i < nomes.size(); i++) placas[nomes[i]].marca = static_cast<int>(i);
    }
    ~Bancada() {
        vigia.parar();
        std::fclose(console);
    }
    template <class F>
    void mudar(const std::string& nome, F f) {
        std::lock_guard<std::mutex> l(trava);
        placas[nome].andar();
        f(placas[nome]);
    }
    void ouvir(int ms) {
        std::vector<uint16_t> segundo(VigiaMicrofone::AMOSTRAS);
        for (const auto fim = Relogio::now() + milliseconds(ms); Relogio::now() < fim;) {
            std::this_thread::sleep_for(milliseconds(5));
            long long total = 0;
            if (!vigia.lerRecente(segundo.data(), &total)) continue;
            for (long long i = VigiaMicrofone::AMOSTRAS - std::min<long long>(total - visto, VigiaMicrofone::AMOSTRAS);
                 i < VigiaMicrofone::AMOSTRAS; i++)
                ouvido.push_back(static_cast<int16_t>(segundo[i] ^ 0x8000u));
            visto = total;
        }
    }
    // Samples of card `marca` heard from `desde` on; and how many went back
    // in their card's count (heard twice: spliced from two readers).
    int deMarca(int marca, size_t desde = 0) const {
        return static_cast<int>(std::count_if(ouvido.begin() + desde, ouvido.end(),
                                              [marca](int16_t v) { return (v - 1) / 8000 == marca; }));
    }
    int repetidas() const {
        int n = 0;
        for (size_t i = 1; i < ouvido.size(); i++) {
            const int a = ouvido[i - 1] - 1, b = ouvido[i] - 1, passo = (b % 8000 - a % 8000 + 7999) % 7999;
            n += a / 8000 == b / 8000 && (passo == 0 || passo > 3999);  // 1 in order, more when sound was lost
        }
        return n;
    }
};

}  // namespace

// A chosen microphone that cannot be opened at start (unplugged) gives way
// to "default"; once it can be opened it is recorded again by itself. A
// card that allows one opening at a time (ALSA's hw and plughw) and whose
// opening stops delivering is closed before it is opened again.
TEST(VigiaMicrofone, AChosenMicrophoneComesBackAndAStalledExclusiveOneIsReopened) {
    Bancada b({"default", "usb"});
    b.mudar("usb", [](Placa& p) { p.ligada = false, p.exclusiva = true; });
    ASSERT_TRUE(b.vigia.abrir("usb"));
    EXPECT_EQ(b.vigia.getDispositivo(), "default");
    b.vigia.iniciar();
    b.ouvir(300);
    b.mudar("usb", [](Placa& p) { p.ligada = true; });
    b.ouvir(800);
    EXPECT_EQ(b.vigia.getDispositivo(), "usb");
    b.mudar("usb", [](Placa& p) { p.geracao++; });  // the opening stalls for good
    b.ouvir(1000);
    const size_t antes = b.ouvido.size();
    b.ouvir(200);
    EXPECT_GT(b.deMarca(1, antes), 4000) << "the usb microphone is not what is heard";
    EXPECT_EQ(b.deMarca(0, antes), 0);
    b.mudar("usb", [](Placa& p) { p.parada = true; });  // waiting for sound when it is let go
    b.vigia.trocar("default");
    b.ouvir(300);
    EXPECT_EQ(std::count(b.ouvido.begin(), b.ouvido.end(), 0), 0) << "a reader let go was heard";
}

// A sound server hands each opening the same sound. While the first reader
// waits in a read for sound a second one is opened; when sound comes back
// both have it, but the newest second must hold it once, in order.
TEST(VigiaMicrofone, NeverTwoReadersWriteTheSameSoundIntoTheSecond) {
    Bancada b({"pulse"});
    b.mudar("pulse", [](Placa& p) { p.espera = true; });
    ASSERT_TRUE(b.vigia.abrir("pulse"));
    b.vigia.iniciar();
    b.ouvir(200);
    b.mudar("pulse", [](Placa& p) { p.parada = true; });
    b.ouvir(600);
    b.mudar("pulse", [](Placa& p) { p.parada = false; });
    b.ouvir(400);
    EXPECT_EQ(b.repetidas(), 0) << "sound heard twice";
    EXPECT_GT(b.deMarca(0), 20000);
}
