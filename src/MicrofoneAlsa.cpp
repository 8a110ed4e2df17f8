#include "MicrofoneAlsa.h"

#include <alsa/asoundlib.h>

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

using Tempo = std::chrono::steady_clock;

// The device's own buffer: room for a reader that was not scheduled for a
// while, without adding to the delay (a capture hands over each period as
// soon as it is full, however large the buffer).
const unsigned BUFFER_US = 200000;
const unsigned PERIODO_US = 20000;

std::string texto(void* dica, const char* campo) {
    char* v = snd_device_name_get_hint(dica, campo);
    std::string s = v ? v : "";
    std::free(v);
    return s;
}

snd_pcm_t* abrirCaptura(const std::string& nome) {
    snd_pcm_t* pcm = nullptr;
    // Without blocking, so that a busy device cannot hang start-up and a
    // quiet one cannot hold the reader past a stop.
    if (snd_pcm_open(&pcm, nome.c_str(), SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK) < 0) return nullptr;
    snd_pcm_hw_params_t* hw;
    snd_pcm_hw_params_alloca(&hw);
    unsigned taxa = MicrofoneAlsa::TAXA, buffer = BUFFER_US, periodo = PERIODO_US;
    int dir = 0;
    const bool ok =
        snd_pcm_hw_params_any(pcm, hw) >= 0 &&
        snd_pcm_hw_params_set_access(pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED) >= 0 &&
        snd_pcm_hw_params_set_format(pcm, hw, SND_PCM_FORMAT_S16_LE) >= 0 &&
        snd_pcm_hw_params_set_channels(pcm, hw, 1) >= 0 && snd_pcm_hw_params_set_rate_resample(pcm, hw, 1) >= 0 &&
        snd_pcm_hw_params_set_rate(pcm, hw, taxa, 0) >= 0 &&
        snd_pcm_hw_params_set_buffer_time_near(pcm, hw, &buffer, &dir) >= 0 &&
        snd_pcm_hw_params_set_period_time_near(pcm, hw, &periodo, &dir) >= 0 && snd_pcm_hw_params(pcm, hw) >= 0;
    if (!ok) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return pcm;
}

// One opening, and how far it has been read.
struct Captura {
    snd_pcm_t* pcm;
    // A file behind ALSA has no clock of its own: it is read no faster
    // than a microphone would deliver it.
    bool arquivo;
    bool iniciada;
    Tempo::time_point comeco;
    long long lidos;
};

void* abrirAlsa(void*, const std::string& nome) {
    snd_pcm_t* pcm = abrirCaptura(nome);
    return pcm ? new Captura{pcm, snd_pcm_type(pcm) == SND_PCM_TYPE_FILE, false, Tempo::time_point(), 0} : nullptr;
}

long lerAlsa(void*, void* aberto, int16_t* destino, long maximo) {
    Captura& c = *static_cast<Captura*>(aberto);
    if (!c.iniciada) {
        if (snd_pcm_prepare(c.pcm) != 0) return -1;
        snd_pcm_start(c.pcm);
        c.iniciada = true;
        c.comeco = Tempo::now();
    }
    if (c.arquivo) {
        std::this_thread::sleep_until(
            c.comeco + std::chrono::microseconds((c.lidos + MicrofoneAlsa::PERIODO) * 1000000 / MicrofoneAlsa::TAXA));
    }
    const int pronto = snd_pcm_wait(c.pcm, 100);
    if (pronto == 0) return 0;  // nothing yet
    // A file-backed device keeps answering after its file ends without
    // touching the buffer: what is not overwritten must read as silence.
    std::memset(destino, 0, static_cast<size_t>(maximo) * sizeof destino[0]);
    const snd_pcm_sframes_t n =
        pronto < 0 ? pronto : snd_pcm_readi(c.pcm, destino, c.arquivo ? MicrofoneAlsa::PERIODO : maximo);
    if (n == -EAGAIN) return 0;
    if (n < 0) {
        // Overrun (the thread was not scheduled for a while) or a suspended
        // device: start the stream again. A device that is gone ends the
        // session; the watcher opens it anew.
        if (snd_pcm_recover(c.pcm, static_cast<int>(n), 1) < 0) return -1;
        snd_pcm_start(c.pcm);
        return 0;
    }
    c.lidos += n;
    return n;
}

// ALSA's messages as its own handler prints them, but for a read cut short
// on purpose (a stuck reader let go): that is no error.
void relatarAlsa(const char* arquivo, int linha, const char* funcao, int erro, const char* formato, ...) {
    if (erro == EINTR) return;
    std::fprintf(stderr, "ALSA lib %s:%i:(%s) ", arquivo, linha, funcao);
    va_list args;
    va_start(args, formato);
    std::vfprintf(stderr, formato, args);
    va_end(args);
    if (erro != 0) std::fprintf(stderr, ": %s", snd_strerror(erro));
    std::fputc('\n', stderr);
}

void fecharAlsa(void*, void* aberto) {
    Captura* c = static_cast<Captura*>(aberto);
    snd_pcm_close(c->pcm);
    delete c;
}

}  // namespace

DispositivoGravacao MicrofoneAlsa::getDispositivoAlsa() { return {abrirAlsa, lerAlsa, fecharAlsa, nullptr}; }

MicrofoneAlsa::MicrofoneAlsa(std::FILE* console) : vigia(getDispositivoAlsa(), console) {
    snd_lib_error_set_handler(relatarAlsa);
}

MicrofoneAlsa::~MicrofoneAlsa() { parar(); }

std::vector<DispositivoCaptura> MicrofoneAlsa::listar() {
    std::vector<DispositivosCaptura::Dica> dicas;
    void** lista = nullptr;
    if (snd_device_name_hint(-1, "pcm", &lista) == 0 && lista) {
        for (void** d = lista; *d; d++) dicas.push_back({texto(*d, "NAME"), texto(*d, "DESC"), texto(*d, "IOID")});
        snd_device_name_free_hint(lista);
    }
    return DispositivosCaptura::escolher(dicas);
}
