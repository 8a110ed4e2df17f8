#include "GravadorAlsa.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <allegro/platform/aintunix.h>
#include <alsa/asoundlib.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace {

using Tempo = std::chrono::steady_clock;

const int AMOSTRAS = GravadorAlsa::BYTES_POR_BUFFER / 2;
// Frames asked of ALSA per read: 100 ms, short enough to stop promptly.
const int BLOCO = 4410;
// A device that hands over nothing for this long has stalled.
const auto SILENCIO_MAXIMO = std::chrono::seconds(2);
// Between two attempts to open the device again.
const auto INTERVALO_REABERTURA = std::chrono::seconds(3);
const auto PASSO_VIGIA = std::chrono::milliseconds(100);
// How long the exit waits for a read in progress to end.
const auto ESPERA_SAIDA = std::chrono::milliseconds(500);

// One opening of the capture device and the thread that reads it. The
// reader keeps its own reference: it may sit in a read long after the
// watcher has given the session up, and it closes the device itself
// whenever that read returns.
struct Sessao {
    snd_pcm_t* pcm = nullptr;
    std::atomic<bool> parar{false};
    std::atomic<bool> terminou{false};
    std::atomic<Tempo::rep> ultimoDado{0};  // when frames last came (or the session began)
    int16_t bloco[BLOCO];
    int16_t emCurso[AMOSTRAS];
    int preenchido = 0;
};

DIGI_DRIVER driver;
bool registrado = false;

snd_pcm_t* pcmInstalado = nullptr;  // opened by init; the first session takes it
bool disponivel = false;
std::thread* vigia = nullptr;
std::atomic<bool> pararVigia(false);
std::atomic<int> buffersGravados(0);

std::mutex trava;
int16_t completo[AMOSTRAS];  // newest complete second, signed
int sequencia = 0;           // counts completed buffers
int sequenciaLida = 0;       // the one read_sound_input delivered last

char nome[] = "ALSA capture";

Tempo::rep agora() { return Tempo::now().time_since_epoch().count(); }

snd_pcm_t* abrirCaptura() {
    snd_pcm_t* pcm = nullptr;
    // Without blocking, so that a busy device cannot hang start-up and a
    // quiet one cannot hold the reader past a stop.
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK) < 0) return nullptr;
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1, GravadorAlsa::TAXA, 1,
                           500000) < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return pcm;
}

// Frames of one read, into the second being filled; a full second becomes
// the newest buffer, unless the session has been given up meanwhile.
void guardar(Sessao& s, snd_pcm_sframes_t n) {
    for (snd_pcm_sframes_t i = 0; i < n; i++) {
        s.emCurso[s.preenchido++] = s.bloco[i];
        if (s.preenchido == AMOSTRAS) {
            s.preenchido = 0;
            std::lock_guard<std::mutex> l(trava);
            if (s.parar) return;
            std::memcpy(completo, s.emCurso, sizeof completo);
            sequencia++;
            buffersGravados++;
        }
    }
}

void ler(std::shared_ptr<Sessao> s) {
    // A device reopened here may take its time (or forever) to open.
    if (!s->pcm) s->pcm = abrirCaptura();
    if (s->pcm && !s->parar && snd_pcm_prepare(s->pcm) == 0) {
        snd_pcm_start(s->pcm);
        long long total = 0;
        const auto inicio = Tempo::now();
        while (!s->parar) {
            // A microphone hands over a block once its last frame has been
            // recorded; a file behind ALSA answers at once. Never run ahead
            // of the clock.
            std::this_thread::sleep_until(inicio + std::chrono::microseconds((total + BLOCO) * 1000000 / GravadorAlsa::TAXA));
            const int pronto = snd_pcm_wait(s->pcm, 100);
            if (pronto == 0) continue;  // nothing yet: see whether to stop
            // A file-backed device keeps answering after its file ends
            // without touching the buffer: what is not overwritten must
            // read as silence.
            std::memset(s->bloco, 0, sizeof s->bloco);
            snd_pcm_sframes_t n = pronto < 0 ? pronto : snd_pcm_readi(s->pcm, s->bloco, BLOCO);
            if (n == -EAGAIN) continue;
            if (n < 0) {
                // Overrun (the thread was not scheduled for half a second)
                // or a suspended device: start the stream again. A device
                // that is gone ends the session; the watcher opens it anew.
                if (snd_pcm_recover(s->pcm, static_cast<int>(n), 1) < 0) break;
                snd_pcm_start(s->pcm);
                continue;
            }
            if (n > 0) s->ultimoDado = agora();
            guardar(*s, n);
            total += n;
        }
    }
    if (s->pcm) snd_pcm_close(s->pcm);
    s->pcm = nullptr;
    s->terminou = true;
}

std::shared_ptr<Sessao> abrirSessao(snd_pcm_t* pcm) {
    auto s = std::make_shared<Sessao>();
    s->pcm = pcm;
    s->ultimoDado = agora();
    std::thread(ler, s).detach();
    return s;
}

// Keeps one session recording: gives up one that failed or went quiet and
// opens the device again, every few seconds, until frames come. A session
// given up in the middle of a read is left to finish alone; while it has
// not, a second quiet one is kept rather than replaced, since two readers
// stuck on one device gain nothing.
void vigiar() {
    std::shared_ptr<Sessao> atual = abrirSessao(pcmInstalado), abandonada;
    pcmInstalado = nullptr;
    auto proximaTentativa = Tempo::now();
    while (!pararVigia) {
        std::this_thread::sleep_for(PASSO_VIGIA);
        const auto t = Tempo::now();
        if (abandonada && abandonada->terminou) abandonada.reset();
        if (atual) {
            const bool calado = t - Tempo::time_point(Tempo::duration(atual->ultimoDado.load())) > SILENCIO_MAXIMO;
            if (atual->terminou || (calado && !abandonada)) {
                atual->parar = true;
                if (!atual->terminou) abandonada = atual;
                atual.reset();
                proximaTentativa = t + INTERVALO_REABERTURA;
            }
        } else if (t >= proximaTentativa) {
            atual = abrirSessao(nullptr);
        }
    }
    if (!atual) return;
    atual->parar = true;
    const auto limite = Tempo::now() + ESPERA_SAIDA;
    while (!atual->terminou && Tempo::now() < limite) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace

const int GravadorAlsa::ID = AL_ID('R', 'N', 'C', 'O');

int GravadorAlsa::registrar() {
    if (registrado) return ID;
    // allegro_init builds the driver lists afresh: registering earlier would
    // be lost, and the library's own input probe would run instead.
    if (!system_driver) {
        std::fprintf(stderr, "GravadorAlsa::registrar called before allegro_init: microphone driver not registered\n");
        return ID;
    }
    std::memset(&driver, 0, sizeof driver);
    driver.id = ID;
    driver.name = driver.desc = driver.ascii_name = nome;
    driver.detect = detect;
    driver.init = init;
    driver.exit = exit;
    driver.rec_cap_bits = 0;
    driver.rec_cap_stereo = 0;
    driver.rec_cap_rate = capRate;
    driver.rec_cap_parm = capParm;
    driver.rec_source = source;
    driver.rec_start = start;
    driver.rec_stop = stop;
    driver.rec_read = read;
    // Autodetected and put first, so that DIGI_AUTODETECT for input picks it
    // before the library's ALSA driver gets to probe input.
    _unix_register_digi_driver(ID, &driver, TRUE, TRUE);
    registrado = true;
    return ID;
}

bool GravadorAlsa::isDisponivel() { return disponivel; }

int GravadorAlsa::getBuffersGravados() { return buffersGravados.load(); }

int GravadorAlsa::detect(int input) {
    // Input only. Claiming input even without a device keeps autodetection
    // from falling through to the ALSA driver's input probe.
    return input ? TRUE : FALSE;
}

int GravadorAlsa::init(int input, int) {
    if (!input) return -1;
    if (!disponivel) {
        pcmInstalado = abrirCaptura();
        disponivel = pcmInstalado != nullptr;
    }
    driver.rec_cap_bits = disponivel ? 16 : 0;
    return 0;
}

void GravadorAlsa::exit(int) {
    stop();
    if (pcmInstalado) snd_pcm_close(pcmInstalado);
    pcmInstalado = nullptr;
    disponivel = false;
    driver.rec_cap_bits = 0;
}

int GravadorAlsa::capRate(int bits, int stereo) {
    return disponivel && bits == 16 && !stereo ? TAXA : 0;
}

int GravadorAlsa::capParm(int rate, int bits, int stereo) {
    if (!disponivel || bits != 16 || stereo) return 0;
    return rate == TAXA ? 1 : -TAXA;
}

int GravadorAlsa::source(int) { return 0; }

int GravadorAlsa::start(int rate, int bits, int stereo) {
    if (!disponivel || rate != TAXA || bits != 16 || stereo) return 0;
    if (vigia) return BYTES_POR_BUFFER;
    {
        std::lock_guard<std::mutex> l(trava);
        sequencia = sequenciaLida = 0;
    }
    buffersGravados = 0;
    pararVigia = false;
    vigia = new std::thread(vigiar);
    return BYTES_POR_BUFFER;
}

void GravadorAlsa::stop() { pararThread(); }

void GravadorAlsa::pararThread() {
    if (!vigia) return;
    // The watcher only sleeps in short steps and waits a bounded time for
    // the reader: joining it cannot hang, even on a read that never ends.
    pararVigia = true;
    vigia->join();
    delete vigia;
    vigia = nullptr;
}

int GravadorAlsa::read(void* buffer) {
    std::lock_guard<std::mutex> l(trava);
    if (sequencia == sequenciaLida) return 0;
    uint16_t* destino = static_cast<uint16_t*>(buffer);
    for (int i = 0; i < AMOSTRAS; i++) destino[i] = static_cast<uint16_t>(completo[i]) ^ 0x8000u;
    sequenciaLida = sequencia;
    return 1;
}
