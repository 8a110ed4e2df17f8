#include "MicrofoneAlsa.h"

#include <alsa/asoundlib.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Tempo = std::chrono::steady_clock;

// Frames asked of a real device per read: whatever has come in, up to 100 ms.
const int BLOCO_MAXIMO = 4410;
// The device's own buffer: room for a reader that was not scheduled for a
// while, without adding to the delay (a capture hands over each period as
// soon as it is full, however large the buffer).
const unsigned BUFFER_US = 200000;
const unsigned PERIODO_US = 20000;
// A device that hands over nothing for this long may have stalled.
const auto SILENCIO_MAXIMO = std::chrono::seconds(2);
// Between two attempts to open a device that failed.
const auto INTERVALO_REABERTURA = std::chrono::seconds(3);
const auto PASSO_VIGIA = std::chrono::milliseconds(100);
// How long stopping waits for a read in progress to end.
const auto ESPERA_SAIDA = std::chrono::milliseconds(500);

const char* const PADRAO = "default";

Tempo::rep agora() { return Tempo::now().time_since_epoch().count(); }

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

}  // namespace

struct MicrofoneAlsa::Anel {
    std::mutex trava;
    int16_t amostras[AMOSTRAS] = {};
    int proxima = 0;      // where the next sample goes (the oldest one is there)
    long long total = 0;  // samples recorded so far
    long long lido = 0;   // total at the last lerRecente that answered true

    void guardar(const int16_t* bloco, long long n) {
        std::lock_guard<std::mutex> l(trava);
        for (long long i = 0; i < n; i++) {
            amostras[proxima] = bloco[i];
            proxima = proxima + 1 == AMOSTRAS ? 0 : proxima + 1;
        }
        total += n;
    }
};

// One opening of a device and the thread that reads it. The reader holds
// its own references: it may sit in a read long after the watcher has let
// the session go, and whatever that read brings is still kept.
struct MicrofoneAlsa::Sessao {
    std::string dispositivo;
    std::shared_ptr<Anel> anel;
    snd_pcm_t* pcm = nullptr;
    std::atomic<bool> parar{false};
    std::atomic<bool> terminou{false};
    std::atomic<bool> naoAbriu{false};
    Tempo::rep inicio = agora();
    std::atomic<Tempo::rep> ultimoDado{inicio};  // when frames last came (or the session began)
    std::vector<int16_t> bloco = std::vector<int16_t>(BLOCO_MAXIMO);

    bool entregou() const { return ultimoDado.load() != inicio; }
    bool isCalada(Tempo::time_point t) const {
        return t - Tempo::time_point(Tempo::duration(ultimoDado.load())) > SILENCIO_MAXIMO;
    }

    void ler() {
        // A device opened here may take its time (or forever) to open.
        if (!pcm) pcm = abrirCaptura(dispositivo);
        if (!pcm) naoAbriu = true;
        if (pcm && !parar && snd_pcm_prepare(pcm) == 0) {
            snd_pcm_start(pcm);
            // A file behind ALSA has no clock of its own: it is read no
            // faster than a microphone would deliver it.
            const bool arquivo = snd_pcm_type(pcm) == SND_PCM_TYPE_FILE;
            const auto comeco = Tempo::now();
            long long lidos = 0;
            while (!parar) {
                if (arquivo) {
                    std::this_thread::sleep_until(comeco +
                                                  std::chrono::microseconds((lidos + PERIODO) * 1000000 / TAXA));
                }
                const int pronto = snd_pcm_wait(pcm, 100);
                if (pronto == 0) continue;  // nothing yet: see whether to stop
                // A file-backed device keeps answering after its file ends
                // without touching the buffer: what is not overwritten must
                // read as silence.
                std::memset(bloco.data(), 0, bloco.size() * sizeof bloco[0]);
                const snd_pcm_sframes_t n =
                    pronto < 0 ? pronto : snd_pcm_readi(pcm, bloco.data(), arquivo ? PERIODO : BLOCO_MAXIMO);
                if (n == -EAGAIN) continue;
                if (n < 0) {
                    // Overrun (the thread was not scheduled for a while) or a
                    // suspended device: start the stream again. A device
                    // that is gone ends the session; the watcher opens it anew.
                    if (snd_pcm_recover(pcm, static_cast<int>(n), 1) < 0) break;
                    snd_pcm_start(pcm);
                    continue;
                }
                if (n == 0) continue;
                ultimoDado = agora();
                anel->guardar(bloco.data(), n);
                lidos += n;
            }
        }
        if (pcm) snd_pcm_close(pcm);
        pcm = nullptr;
        terminou = true;
    }
};

MicrofoneAlsa::MicrofoneAlsa(std::FILE* console_)
    : console(console_), anel(std::make_shared<Anel>()), aberto(false), pcmAberto(nullptr), vigia(nullptr),
      pararVigia(false), dispositivo(PADRAO) {}

MicrofoneAlsa::~MicrofoneAlsa() { parar(); }

void MicrofoneAlsa::anotarFalha(const std::string& nome) {
    {
        std::lock_guard<std::mutex> l(trava);
        falha = nome;
        dispositivo = PADRAO;
    }
    std::fprintf(console ? console : stdout,
                 "\nThe microphone \"%s\" cannot be opened: recording from \"%s\" instead.\n", nome.c_str(), PADRAO);
}

bool MicrofoneAlsa::abrir(const std::string& nome) {
    if (pcmAberto) snd_pcm_close(static_cast<snd_pcm_t*>(pcmAberto));
    snd_pcm_t* pcm = abrirCaptura(nome);
    {
        std::lock_guard<std::mutex> l(trava);
        dispositivo = nome;
        falha.clear();
    }
    if (!pcm && nome != PADRAO) {
        anotarFalha(nome);
        pcm = abrirCaptura(PADRAO);
    }
    pcmAberto = pcm;
    aberto = pcm != nullptr;
    return aberto;
}

void MicrofoneAlsa::iniciar() {
    if (vigia || !aberto) return;
    pararVigia = false;
    void* pcm = pcmAberto;  // the first session's, from now on
    pcmAberto = nullptr;
    vigia = new std::thread(&MicrofoneAlsa::vigiar, this, pcm);
}

void MicrofoneAlsa::parar() {
    if (pcmAberto) snd_pcm_close(static_cast<snd_pcm_t*>(pcmAberto));
    pcmAberto = nullptr;
    if (!vigia) return;
    // The watcher sleeps in short steps and waits a bounded time for its
    // readers: joining it cannot hang, even on a read that never ends.
    {
        std::lock_guard<std::mutex> l(trava);
        pararVigia = true;
    }
    vigia->join();
    delete vigia;
    vigia = nullptr;
}

void MicrofoneAlsa::trocarDispositivo(const std::string& nome) {
    std::lock_guard<std::mutex> l(trava);
    pedido = nome;
    falha.clear();
}

bool MicrofoneAlsa::lerRecente(uint16_t* destino, long long* total) {
    Anel& a = *anel;
    std::lock_guard<std::mutex> l(a.trava);
    if (a.total == a.lido) return false;
    int j = 0;
    for (int i = a.proxima; i < AMOSTRAS; i++) destino[j++] = static_cast<uint16_t>(a.amostras[i]) ^ 0x8000u;
    for (int i = 0; i < a.proxima; i++) destino[j++] = static_cast<uint16_t>(a.amostras[i]) ^ 0x8000u;
    a.lido = a.total;
    if (total) *total = a.total;
    return true;
}

std::string MicrofoneAlsa::getDispositivo() const {
    std::lock_guard<std::mutex> l(trava);
    return dispositivo;
}

std::string MicrofoneAlsa::getFalha() const {
    std::lock_guard<std::mutex> l(trava);
    return falha;
}

std::vector<DispositivoCaptura> MicrofoneAlsa::listar() {
    std::vector<DispositivosCaptura::Dica> dicas;
    void** lista = nullptr;
    if (snd_device_name_hint(-1, "pcm", &lista) == 0 && lista) {
        for (void** d = lista; *d; d++) dicas.push_back({texto(*d, "NAME"), texto(*d, "DESC"), texto(*d, "IOID")});
        snd_device_name_free_hint(lista);
    }
    return DispositivosCaptura::escolher(dicas);
}

long long MicrofoneAlsa::getAmostrasGravadas() const {
    std::lock_guard<std::mutex> l(anel->trava);
    return anel->total;
}

std::shared_ptr<MicrofoneAlsa::Sessao> MicrofoneAlsa::abrirSessao(const std::string& nome, void* pcm) {
    auto s = std::make_shared<Sessao>();
    s->dispositivo = nome;
    s->anel = anel;
    s->pcm = static_cast<snd_pcm_t*>(pcm);
    std::thread([s] { s->ler(); }).detach();
    return s;
}

// Keeps one session recording. A failed one is opened again every few
// seconds; a quiet one gets a second reader beside it, and whichever of the
// two delivers first is kept. A session let go in the middle of a read
// finishes alone (and keeps what that read brings).
void MicrofoneAlsa::vigiar(void* pcmInicial) {
    std::shared_ptr<Sessao> atual, candidata;
    atual = abrirSessao(getDispositivo(), pcmInicial);
    auto proximaTentativa = Tempo::now();
    auto soltar = [](std::shared_ptr<Sessao>& s) {
        if (s) s->parar = true;
        s.reset();
    };
    for (;;) {
        std::this_thread::sleep_for(PASSO_VIGIA);
        std::string troca;
        {
            std::lock_guard<std::mutex> l(trava);
            if (pararVigia) break;
            troca.swap(pedido);
            if (!troca.empty()) dispositivo = troca;
        }
        const auto t = Tempo::now();
        if (!troca.empty()) {
            soltar(candidata);
            soltar(atual);
            atual = abrirSessao(troca, nullptr);
            continue;
        }
        if (candidata && candidata->terminou) candidata.reset();
        if (candidata && candidata->entregou()) {
            soltar(atual);
            atual.swap(candidata);
        }
        if (!atual) {
            if (t >= proximaTentativa) atual = abrirSessao(getDispositivo(), nullptr);
        } else if (atual->naoAbriu && atual->dispositivo != PADRAO) {
            anotarFalha(atual->dispositivo);
            atual = abrirSessao(PADRAO, nullptr);
        } else if (atual->terminou) {
            atual.swap(candidata);
            candidata.reset();
            proximaTentativa = t + INTERVALO_REABERTURA;
        } else if (!atual->isCalada(t)) {
            soltar(candidata);  // it came back by itself
        } else if (!candidata && t >= proximaTentativa) {
            candidata = abrirSessao(atual->dispositivo, nullptr);
            proximaTentativa = t + INTERVALO_REABERTURA;
        }
    }
    soltar(candidata);
    if (!atual) return;
    atual->parar = true;
    const auto limite = Tempo::now() + ESPERA_SAIDA;
    while (!atual->terminou && Tempo::now() < limite) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}
