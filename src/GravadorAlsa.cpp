#include "GravadorAlsa.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <allegro/platform/aintunix.h>
#include <alsa/asoundlib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

namespace {

const int AMOSTRAS = GravadorAlsa::BYTES_POR_BUFFER / 2;
// Frames asked of ALSA per read: 100 ms, short enough to stop promptly.
const int BLOCO = 4410;

DIGI_DRIVER driver;
bool registrado = false;

snd_pcm_t* pcm = nullptr;
std::thread* gravador = nullptr;  // never destroyed while running: see pararThread
std::atomic<bool> parar(false);
std::atomic<int> buffersGravados(0);

std::mutex trava;
std::condition_variable terminou;
bool threadAtiva = false;
int16_t completo[AMOSTRAS];  // newest complete second, signed
int sequencia = 0;           // counts completed buffers
int sequenciaLida = 0;       // the one read_sound_input delivered last

char nome[] = "ALSA capture";

bool abrirCaptura() {
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK) < 0) {
        pcm = nullptr;
        return false;
    }
    // Opened without blocking so a busy device cannot hang start-up; reads
    // block, from the recording thread.
    snd_pcm_nonblock(pcm, 0);
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1, GravadorAlsa::TAXA, 1,
                           500000) < 0) {
        snd_pcm_close(pcm);
        pcm = nullptr;
        return false;
    }
    return true;
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

bool GravadorAlsa::isDisponivel() { return pcm != nullptr; }

int GravadorAlsa::getBuffersGravados() { return buffersGravados.load(); }

int GravadorAlsa::detect(int input) {
    // Input only. Claiming input even without a device keeps autodetection
    // from falling through to the ALSA driver's input probe.
    return input ? TRUE : FALSE;
}

int GravadorAlsa::init(int input, int) {
    if (!input) return -1;
    if (!pcm) abrirCaptura();
    driver.rec_cap_bits = pcm ? 16 : 0;
    return 0;
}

void GravadorAlsa::exit(int) {
    stop();
    if (pcm && !gravador) {
        snd_pcm_close(pcm);
        pcm = nullptr;
    }
    driver.rec_cap_bits = 0;
}

int GravadorAlsa::capRate(int bits, int stereo) {
    return pcm && bits == 16 && !stereo ? TAXA : 0;
}

int GravadorAlsa::capParm(int rate, int bits, int stereo) {
    if (!pcm || bits != 16 || stereo) return 0;
    return rate == TAXA ? 1 : -TAXA;
}

int GravadorAlsa::source(int) { return 0; }

int GravadorAlsa::start(int rate, int bits, int stereo) {
    if (!pcm || rate != TAXA || bits != 16 || stereo) return 0;
    if (gravador) return BYTES_POR_BUFFER;
    {
        std::lock_guard<std::mutex> l(trava);
        sequencia = sequenciaLida = 0;
        threadAtiva = true;
    }
    buffersGravados = 0;
    parar = false;
    snd_pcm_prepare(pcm);
    gravador = new std::thread(gravar);
    return BYTES_POR_BUFFER;
}

void GravadorAlsa::stop() { pararThread(); }

void GravadorAlsa::pararThread() {
    if (!gravador) return;
    parar = true;
    std::unique_lock<std::mutex> l(trava);
    // A read can only block for one block's worth of sound, unless the
    // device stalls (a FIFO nobody writes): then give up on the thread and
    // leave it and the device alone rather than hang the program's exit.
    if (terminou.wait_for(l, std::chrono::seconds(2), [] { return !threadAtiva; })) {
        l.unlock();
        gravador->join();
        delete gravador;
        gravador = nullptr;
        snd_pcm_drop(pcm);
    } else {
        gravador->detach();
    }
}

int GravadorAlsa::read(void* buffer) {
    std::lock_guard<std::mutex> l(trava);
    if (sequencia == sequenciaLida) return 0;
    uint16_t* destino = static_cast<uint16_t*>(buffer);
    for (int i = 0; i < AMOSTRAS; i++) destino[i] = static_cast<uint16_t>(completo[i]) ^ 0x8000u;
    sequenciaLida = sequencia;
    return 1;
}

void GravadorAlsa::gravar() {
    static int16_t bloco[BLOCO];
    static int16_t emCurso[AMOSTRAS];
    int preenchido = 0;
    long long total = 0;
    auto inicio = std::chrono::steady_clock::now();
    while (!parar) {
        // A microphone hands over a block once its last frame has been
        // recorded; a file behind ALSA answers at once. Never run ahead of
        // the clock.
        std::this_thread::sleep_until(inicio + std::chrono::microseconds((total + BLOCO) * 1000000 / GravadorAlsa::TAXA));
        // A file-backed device keeps answering after its file ends without
        // touching the buffer: what is not overwritten must read as silence.
        std::memset(bloco, 0, sizeof bloco);
        snd_pcm_sframes_t n = snd_pcm_readi(pcm, bloco, BLOCO);
        if (n < 0) {
            // Overrun (the thread was not scheduled for half a second) or a
            // suspended device: start the stream again and carry on.
            if (snd_pcm_recover(pcm, static_cast<int>(n), 1) < 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            continue;
        }
        for (snd_pcm_sframes_t i = 0; i < n; i++) {
            emCurso[preenchido++] = bloco[i];
            if (preenchido == AMOSTRAS) {
                std::lock_guard<std::mutex> l(trava);
                std::memcpy(completo, emCurso, sizeof completo);
                sequencia++;
                buffersGravados++;
                preenchido = 0;
            }
        }
        total += n;
    }
    std::lock_guard<std::mutex> l(trava);
    threadAtiva = false;
    terminou.notify_all();
}
