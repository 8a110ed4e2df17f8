#include "VigiaMicrofone.h"

#include <pthread.h>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <vector>

namespace {

using Tempo = std::chrono::steady_clock;

const char* const PADRAO = "default";

Tempo::rep agora() { return Tempo::now().time_since_epoch().count(); }

// Cuts a blocked read short. Its handler does nothing and restarts nothing:
// the call it lands in returns EINTR, and the reader sees that it must stop.
int sinalCorte() { return SIGRTMIN + 4; }
void nada(int) {}
void prepararSinal() {
    static std::once_flag feito;
    std::call_once(feito, [] {
        struct sigaction acao;
        std::memset(&acao, 0, sizeof acao);
        acao.sa_handler = nada;
        sigemptyset(&acao.sa_mask);
        sigaction(sinalCorte(), &acao, nullptr);
    });
}

}  // namespace

struct VigiaMicrofone::Anel {
    std::mutex trava;
    int16_t amostras[AMOSTRAS] = {};
    int proxima = 0;             // where the next sample goes (the oldest one is there)
    long long total = 0;         // samples recorded so far
    long long lido = 0;          // total at the last lerRecente that answered true
    const void* dono = nullptr;  // the one opening whose sound is kept

    void guardar(const void* quem, const int16_t* bloco, long long n) {
        std::lock_guard<std::mutex> l(trava);
        if (quem != dono) return;
        for (long long i = 0; i < n; i++) {
            amostras[proxima] = bloco[i];
            proxima = proxima + 1 == AMOSTRAS ? 0 : proxima + 1;
        }
        total += n;
    }
    void setDono(const void* quem) {
        std::lock_guard<std::mutex> l(trava);
        dono = quem;
    }
    void largar(const void* quem) {
        std::lock_guard<std::mutex> l(trava);
        if (dono == quem) dono = nullptr;
    }
};

struct VigiaMicrofone::Aviso {
    std::mutex trava;
    std::condition_variable cv;
    bool novidade = false;

    void avisar() {
        {
            std::lock_guard<std::mutex> l(trava);
            novidade = true;
        }
        cv.notify_one();
    }
    void esperar(TemposMicrofone::Duracao d) {
        std::unique_lock<std::mutex> l(trava);
        cv.wait_for(l, d, [this] { return novidade; });
        novidade = false;
    }
};

// One opening of a device and the thread that reads it. The reader holds
// its own references: it may sit in a read after the watcher has let the
// session go (until the signal gets it out).
struct VigiaMicrofone::Sessao {
    DispositivoGravacao dispositivo;
    std::string nome;
    std::shared_ptr<Anel> anel;
    std::shared_ptr<Aviso> aviso;
    void* aberto = nullptr;
    std::atomic<bool> parar{false};
    std::atomic<bool> terminou{false};
    std::atomic<bool> abriu{false};
    std::atomic<bool> naoAbriu{false};
    Tempo::rep inicio = agora();
    std::atomic<Tempo::rep> ultimoDado{inicio};  // when frames last came (or the session began)
    std::vector<int16_t> bloco = std::vector<int16_t>(BLOCO_MAXIMO);
    std::thread leitor;

    bool isCalada(Tempo::time_point t, TemposMicrofone::Duracao limite) const {
        return t - Tempo::time_point(Tempo::duration(ultimoDado.load())) > limite;
    }
    void cortar() { pthread_kill(leitor.native_handle(), sinalCorte()); }

    void ler() {
        sigset_t sinais;
        sigemptyset(&sinais);
        sigaddset(&sinais, sinalCorte());
        pthread_sigmask(SIG_UNBLOCK, &sinais, nullptr);
        // A device opened here may take its time to open.
        if (!aberto && !parar) aberto = dispositivo.abrir(dispositivo.dados, nome);
        (aberto ? abriu : naoAbriu) = true;
        aviso->avisar();
        while (aberto && !parar) {
            const long n = dispositivo.ler(dispositivo.dados, aberto, bloco.data(), BLOCO_MAXIMO);
            if (n == 0) continue;  // nothing yet: see whether to stop
            if (n < 0) break;      // gone: the watcher opens it anew
            ultimoDado = agora();
            anel->guardar(this, bloco.data(), n);
        }
        if (aberto) dispositivo.fechar(dispositivo.dados, aberto);
        aberto = nullptr;
        terminou = true;
        aviso->avisar();
    }
};

// The watcher's sessions: the one recording, one opening that is to replace
// it, and those let go that have not ended yet.
struct VigiaMicrofone::Sessoes {
    explicit Sessoes(VigiaMicrofone& v) : vigia(v) {}

    VigiaMicrofone& vigia;
    std::shared_ptr<Sessao> atual, nova;
    bool novaDeVolta = false;  // nova is the chosen device, tried again
    std::vector<std::shared_ptr<Sessao>> soltas;

    std::shared_ptr<Sessao> abrir(const std::string& nome, void* abertoAntes = nullptr) {
        auto s = std::make_shared<Sessao>();
        s->dispositivo = vigia.dispositivoGravacao;
        s->nome = nome;
        s->anel = vigia.anel;
        s->aviso = vigia.aviso;
        s->aberto = abertoAntes;
        s->leitor = std::thread([s] { s->ler(); });
        return s;
    }
    void assumir(std::shared_ptr<Sessao> s) {
        vigia.anel->setDono(s.get());
        atual = std::move(s);
    }
    void soltar(std::shared_ptr<Sessao>& s) {
        if (!s) return;
        // Before its read is cut short: a read cut short may still hand
        // over a block (ALSA's file device answers a full one, untouched).
        vigia.anel->largar(s.get());
        s->parar = true;
        s->cortar();
        soltas.push_back(std::move(s));
        s.reset();
    }
    // Joins those that ended; cuts the others' reads short again (a signal
    // may land just before a read starts).
    void recolher() {
        for (size_t i = 0; i < soltas.size();) {
            if (soltas[i]->terminou) {
                soltas[i]->leitor.join();
                soltas.erase(soltas.begin() + static_cast<long>(i));
            } else {
                soltas[i]->cortar();
                i++;
            }
        }
    }
    bool isFechando(const std::string& nome) const {
        for (const auto& s : soltas) {
            if (s->nome == nome) return true;
        }
        return false;
    }
    // Stopping: everything let go, waited for a moment; a read that never
    // ends is left to the process's exit.
    void encerrar(TemposMicrofone::Duracao espera) {
        vigia.anel->setDono(nullptr);
        soltar(nova);
        soltar(atual);
        const auto limite = Tempo::now() + espera;
        while (!soltas.empty() && Tempo::now() < limite) {
            recolher();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        for (auto& s : soltas) s->leitor.detach();
    }
};

VigiaMicrofone::VigiaMicrofone(const DispositivoGravacao& d, std::FILE* console_, const TemposMicrofone& tempos_)
    : dispositivoGravacao(d), console(console_), tempos(tempos_), anel(std::make_shared<Anel>()),
      aviso(std::make_shared<Aviso>()), aberto(false), abertoInicial(nullptr), vigia(nullptr), pararVigia(false),
      dispositivo(PADRAO), escolhido(PADRAO) {
    prepararSinal();
}

VigiaMicrofone::~VigiaMicrofone() { parar(); }

void VigiaMicrofone::anotarFalha(const std::string& nome) {
    {
        std::lock_guard<std::mutex> l(trava);
        falha = nome;
    }
    std::fprintf(console ? console : stdout,
                 "\nThe microphone \"%s\" cannot be opened: recording from \"%s\" instead.\n", nome.c_str(), PADRAO);
}

bool VigiaMicrofone::abrir(const std::string& nome) {
    const DispositivoGravacao& d = dispositivoGravacao;
    if (abertoInicial) d.fechar(d.dados, abertoInicial);
    void* a = d.abrir(d.dados, nome);
    {
        std::lock_guard<std::mutex> l(trava);
        dispositivo = escolhido = nome;
        falha.clear();
    }
    if (!a && nome != PADRAO) {
        anotarFalha(nome);
        a = d.abrir(d.dados, PADRAO);
        std::lock_guard<std::mutex> l(trava);
        dispositivo = PADRAO;
    }
    abertoInicial = a;
    aberto = a != nullptr;
    return aberto;
}

void VigiaMicrofone::iniciar() {
    if (vigia || !aberto) return;
    pararVigia = false;
    void* a = abertoInicial;  // the first session's, from now on
    abertoInicial = nullptr;
    vigia = new std::thread(&VigiaMicrofone::vigiar, this, a);
}

void VigiaMicrofone::parar() {
    if (abertoInicial) dispositivoGravacao.fechar(dispositivoGravacao.dados, abertoInicial);
    abertoInicial = nullptr;
    if (!vigia) return;
    // The watcher waits a bounded time for its readers: joining it cannot
    // hang, even on a read that never ends.
    {
        std::lock_guard<std::mutex> l(trava);
        pararVigia = true;
    }
    aviso->avisar();
    vigia->join();
    delete vigia;
    vigia = nullptr;
}

void VigiaMicrofone::trocar(const std::string& nome) {
    {
        std::lock_guard<std::mutex> l(trava);
        pedido = nome;
        falha.clear();
    }
    aviso->avisar();
}

bool VigiaMicrofone::lerRecente(uint16_t* destino, long long* total) {
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

std::string VigiaMicrofone::getDispositivo() const {
    std::lock_guard<std::mutex> l(trava);
    return dispositivo;
}

std::string VigiaMicrofone::getFalha() const {
    std::lock_guard<std::mutex> l(trava);
    return falha;
}

long long VigiaMicrofone::getAmostrasGravadas() const {
    std::lock_guard<std::mutex> l(anel->trava);
    return anel->total;
}

// Keeps one session recording, as the class's comment says.
void VigiaMicrofone::vigiar(void* abertoAntes) {
    Sessoes s(*this);
    bool reserva;  // recording "default" because the chosen one cannot be opened
    std::string nomeEscolhido;
    {
        std::lock_guard<std::mutex> l(trava);
        reserva = !falha.empty();
        nomeEscolhido = escolhido;
    }
    s.assumir(s.abrir(reserva ? PADRAO : nomeEscolhido, abertoAntes));
    auto proximaAbertura = Tempo::now() + tempos.intervaloReabertura;
    auto proximaVolta = proximaAbertura;
    for (;;) {
        aviso->esperar(tempos.passo);
        std::string troca;
        {
            std::lock_guard<std::mutex> l(trava);
            if (pararVigia) break;
            troca.swap(pedido);
            if (!troca.empty()) escolhido = troca;
            nomeEscolhido = escolhido;
        }
        const auto t = Tempo::now();
        s.recolher();
        if (!troca.empty()) {
            s.soltar(s.nova);
            s.soltar(s.atual);
            reserva = false;
            proximaAbertura = t;
        }
        if (s.nova && s.nova->abriu) {
            // The new opening records from now on.
            std::shared_ptr<Sessao> velha = std::move(s.atual);
            s.assumir(s.nova);
            s.nova.reset();
            s.soltar(velha);
            if (s.novaDeVolta) {
                reserva = false;
                {
                    std::lock_guard<std::mutex> l(trava);
                    falha.clear();
                }
                std::fprintf(console ? console : stdout,
                             "\nThe microphone \"%s\" can be opened again: recording from it.\n",
                             nomeEscolhido.c_str());
            }
        } else if (s.nova && s.nova->terminou) {
            // Not there yet, or busy: a stalled opening is closed first.
            if (!s.novaDeVolta) s.soltar(s.atual);
            s.soltar(s.nova);
            proximaAbertura = t;
            proximaVolta = t + tempos.intervaloReabertura;
        }
        if (!s.atual) {
            const std::string nome = reserva ? PADRAO : nomeEscolhido;
            if (t >= proximaAbertura && !s.isFechando(nome)) s.assumir(s.abrir(nome));
        } else if (s.atual->naoAbriu) {
            if (!reserva && s.atual->nome != PADRAO) {
                reserva = true;
                anotarFalha(s.atual->nome);
                proximaAbertura = t;
                proximaVolta = t + tempos.intervaloReabertura;
            } else {
                proximaAbertura = t + tempos.intervaloReabertura;
            }
            s.soltar(s.atual);
        } else if (s.atual->terminou) {
            s.soltar(s.atual);
            proximaAbertura = t + tempos.intervaloReabertura;
        } else if (!s.nova && s.atual->isCalada(t, tempos.silencioMaximo) && t >= proximaAbertura) {
            s.nova = s.abrir(s.atual->nome);
            s.novaDeVolta = false;
            proximaAbertura = t + tempos.intervaloReabertura;
        } else if (!s.nova && reserva && t >= proximaVolta && !s.isFechando(nomeEscolhido)) {
            s.nova = s.abrir(nomeEscolhido);
            s.novaDeVolta = true;
        }
        if (s.atual && s.atual->abriu) {
            std::lock_guard<std::mutex> l(trava);
            dispositivo = s.atual->nome;
        }
    }
    s.encerrar(tempos.esperaSaida);
}
