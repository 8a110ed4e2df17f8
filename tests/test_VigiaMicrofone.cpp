// The recorder's readers and their watcher, on capture devices of the
// test's own: sound cards that are busy, stall, block for good, go away and
// come back, at the test's say. Times are a tenth of the game's.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "VigiaMicrofone.h"

namespace {

using Relogio = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A sound card: its sound is a count, sample k of card t reading
// t * 8000 + 1 + k % 7999, made at 44100 samples a second while it runs;
// each opening hears it from the moment it was opened (as a sound server
// or ALSA's dsnoop hands every client the same sound).
struct Placa {
    int marca = 0;
    bool ligada = true;      // can be opened
    bool exclusiva = false;  // one opening at a time (a hw device: busy)
    bool parada = false;     // makes no sound
    bool trava = false;      // reads block for good (in a read nobody answers)
    bool espera = false;     // reads wait for its sound, whatever happens meanwhile
    int abertas = 0;
    int maximoAbertas = 0;
    long long feitas = 0;  // samples made so far
    Relogio::time_point desde = Relogio::now();
    int geracao = 0;  // openings of an older generation are stalled
};

struct Abertura {
    Placa* placa;
    long long posicao;
    int geracao;
};

std::mutex trava;
std::map<std::string, Placa> placas;
int cano[2] = {-1, -1};  // what a blocked read waits on

void andar(Placa& p) {
    const auto agora = Relogio::now();
    if (!p.parada)
        p.feitas += std::chrono::duration_cast<std::chrono::microseconds>(agora - p.desde).count() * 44100 / 1000000;
    p.desde = agora;
}

void* abrir(void*, const std::string& nome) {
    std::lock_guard<std::mutex> l(trava);
    auto i = placas.find(nome);
    if (i == placas.end() || !i->second.ligada || (i->second.exclusiva && i->second.abertas > 0)) return nullptr;
    Placa& p = i->second;
    andar(p);
    p.maximoAbertas = std::max(p.maximoAbertas, ++p.abertas);
    return new Abertura{&p, p.feitas, p.geracao};
}

long ler(void*, void* aberto, int16_t* destino, long maximo) {
    Abertura& a = *static_cast<Abertura*>(aberto);
    for (bool esperar = true; esperar; std::this_thread::sleep_for(milliseconds(1))) {
        std::lock_guard<std::mutex> l(trava);
        andar(*a.placa);
        esperar = a.placa->espera && (a.placa->parada || a.placa->feitas - a.posicao < 441);
    }
    bool bloquear = false;
    {
        std::lock_guard<std::mutex> l(trava);
        Placa& p = *a.placa;
        andar(p);
        if (!p.ligada) return -1;
        const bool calada = p.parada || a.geracao < p.geracao;
        bloquear = calada && p.trava;
        if (!calada) {
            const long n = static_cast<long>(std::min<long long>(p.feitas - a.posicao, maximo));
            for (long i = 0; i < n; i++, a.posicao++)
                destino[i] = static_cast<int16_t>(p.marca * 8000 + 1 + a.posicao % 7999);
            if (n > 0) return n;
        }
    }
    if (bloquear) {
        char c;
        return read(cano[0], &c, 1) > 0 ? 0 : -1;  // a signal or the end of the test gets it out
    }

    std::this_thread::sleep_for(milliseconds(2));
    return 0;
}

void fechar(void*, void* aberto) {
    Abertura* a = static_cast<Abertura*>(aberto);
    std::lock_guard<std::mutex> l(trava);
    a->placa->abertas--;
    delete a;
}

// A tenth of the game's times.
TemposMicrofone tempos() {
    TemposMicrofone t;
    t.silencioMaximo = milliseconds(200);
    t.intervaloReabertura = milliseconds(300);
    t.passo = milliseconds(10);
    t.esperaSaida = milliseconds(50);
    return t;
}

// A recorder over the test's cards, and what it recorded.
struct Bancada {
    std::FILE* console = std::tmpfile();
    VigiaMicrofone vigia;
    std::vector<int16_t> ouvido;  // every sample recorded, in order
    long long visto = 0;
    std::vector<uint16_t> segundo = std::vector<uint16_t>(VigiaMicrofone::AMOSTRAS);

    explicit Bancada(std::initializer_list<std::pair<std::string, Placa>> novas)
        : vigia({abrir, ler, fechar, nullptr}, console, tempos()) {
        std::lock_guard<std::mutex> l(trava);
        placas.clear();
        int marca = 0;
        for (const auto& [nome, p] : novas) {
            placas[nome] = p;
            placas[nome].marca = marca++;
        }
        if (cano[0] < 0 && pipe(cano) != 0) ADD_FAILURE() << "no pipe";
    }
    ~Bancada() {
        vigia.parar();
        // Whatever still blocks is let out.
        close(cano[1]);
        close(cano[0]);
        cano[0] = cano[1] = -1;
        std::this_thread::sleep_for(milliseconds(20));
        std::fclose(console);
    }
    template <class F>
    void mudar(const std::string& nome, F f) {
        std::lock_guard<std::mutex> l(trava);
        andar(placas[nome]);
        f(placas[nome]);
    }
    int abertas(const std::string& nome) {
        std::lock_guard<std::mutex> l(trava);
        return placas[nome].abertas;
    }
    int maximoAbertas(const std::string& nome) {
        std::lock_guard<std::mutex> l(trava);
        return placas[nome].maximoAbertas;
    }
    // Listens for `ms`, keeping what comes in.
    void ouvir(int ms) {
        const auto fim = Relogio::now() + milliseconds(ms);
        while (Relogio::now() < fim) {
            std::this_thread::sleep_for(milliseconds(5));
            long long total = 0;
            if (!vigia.lerRecente(segundo.data(), &total)) continue;
            const long long n = std::min<long long>(total - visto, VigiaMicrofone::AMOSTRAS);
            visto = total;
            for (long long i = VigiaMicrofone::AMOSTRAS - n; i < VigiaMicrofone::AMOSTRAS; i++) {
                ouvido.push_back(static_cast<int16_t>(segundo[i] ^ 0x8000u));
            }
        }
    }
    // Samples of card `marca` heard since `desde`, and how many of them went
    // back in the card's count (heard twice, spliced from two readers).
    int deMarca(int marca, size_t desde = 0) const {
        int n = 0;
        for (size_t i = desde; i < ouvido.size(); i++) n += (ouvido[i] - 1) / 8000 == marca;
        return n;
    }
    int repetidas() const {
        int n = 0;
        for (size_t i = 1; i < ouvido.size(); i++) {
            const int a = ouvido[i - 1] - 1, b = ouvido[i] - 1;
            const int passo = (b % 8000 - a % 8000 + 7999) % 7999;  // 1 in order, more when sound was lost
            n += a / 8000 == b / 8000 && (passo == 0 || passo > 3999);
        }
        return n;
    }
};

}  // namespace

// A chosen microphone that cannot be opened at start (unplugged) gives way
// to "default"; once it can be opened it is recorded again by itself.
TEST(VigiaMicrofone, AChosenMicrophoneThatComesBackIsRecordedAgain) {
    Bancada b({{"default", Placa()}, {"usb", Placa()}});
    b.mudar("usb", [](Placa& p) { p.ligada = false; });
    ASSERT_TRUE(b.vigia.abrir("usb"));
    EXPECT_EQ(b.vigia.getDispositivo(), "default");
    b.vigia.iniciar();
    b.ouvir(300);
    b.mudar("usb", [](Placa& p) { p.ligada = true; });
    b.ouvir(800);
    EXPECT_EQ(b.vigia.getDispositivo(), "usb");
    const size_t antes = b.ouvido.size();
    b.ouvir(200);
    EXPECT_GT(b.deMarca(1, antes), 4000) << "the usb microphone is not what is heard";
    EXPECT_EQ(b.deMarca(0, antes), 0);
}

// A card that allows one opening at a time (ALSA's hw and plughw devices)
// and whose opening stops delivering: it is closed before it is opened
// again, and recording goes on.
TEST(VigiaMicrofone, AStalledExclusiveDeviceIsClosedBeforeItIsOpenedAgain) {
    Bancada b({{"default", Placa()}, {"hw", Placa()}});
    b.mudar("hw", [](Placa& p) { p.exclusiva = true; });
    ASSERT_TRUE(b.vigia.abrir("hw"));
    b.vigia.iniciar();
    b.ouvir(200);
    b.mudar("hw", [](Placa& p) { p.geracao++; });  // the opening stalls for good
    b.ouvir(1000);
    const size_t antes = b.ouvido.size();
    b.ouvir(200);
    EXPECT_GT(b.deMarca(1, antes), 4000) << "the stalled device was never replaced";
    EXPECT_EQ(b.vigia.getDispositivo(), "hw");
}

// A sound server hands each opening the same sound. While the first reader
// waits in a read for sound a second one is opened; when sound comes back
// both have it, but the newest second must hold it once, in order.
TEST(VigiaMicrofone, NeverTwoReadersWriteTheSameSoundIntoTheSecond) {
    Bancada b({{"pulse", Placa()}});
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

// Switching devices every 50 ms while every read blocks for good: no reader
// is left behind, and the last device asked for records.
TEST(VigiaMicrofone, SwitchingWhileReadsBlockLeavesNoReaderBehind) {
    Bancada b({{"default", Placa()}, {"cano", Placa()}, {"outro", Placa()}});
    for (const char* n : {"default", "cano", "outro"}) b.mudar(n, [](Placa& p) { p.parada = p.trava = true; });
    ASSERT_TRUE(b.vigia.abrir("cano"));
    b.vigia.iniciar();
    for (int i = 0; i < 20; i++) {
        b.vigia.trocar(i % 2 ? "cano" : "outro");
        b.ouvir(50);
    }
    b.ouvir(300);
    EXPECT_LE(b.abertas("cano") + b.abertas("outro") + b.abertas("default"), 1);
    b.mudar("cano", [](Placa& p) { p.parada = p.trava = false; });
    b.ouvir(600);
    EXPECT_EQ(b.vigia.getDispositivo(), "cano");
    EXPECT_GT(b.deMarca(1), 4000);
}
