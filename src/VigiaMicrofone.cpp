#include "VigiaMicrofone.h"

#include <atomic>
#include <vector>

namespace {

using Tempo = std::chrono::steady_clock;

const char* const PADRAO = "default";

Tempo::rep agora() { return Tempo::now().time_since_epoch().count(); }

}  // namespace

struct VigiaMicrofone::Anel {
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
struct VigiaMicrofone::Sessao {
    DispositivoGravacao dispositivo;
    std::string nome;
    std::shared_ptr<Anel> anel;
    TemposMicrofone::Duracao silencioMaximo;
    void* aberto = nullptr;
    std::atomic<bool> parar{false};
    std::atomic<bool> terminou{false};
    std::atomic<bool> naoAbriu{false};
    Tempo::rep inicio = agora();
    std::atomic<Tempo::rep> ultimoDado{inicio};  // when frames last came (or the session began)
    std::vector<int16_t> bloco = std::vector<int16_t>(BLOCO_MAXIMO);

    bool entregou() const { return ultimoDado.load() != inicio; }
    bool isCalada(Tempo::time_point t) const {
        return t - Tempo::time_point(Tempo::duration(ultimoDado.load())) > silencioMaximo;
    }

    void ler() {
        // A device opened here may take its time (or forever) to open.
        if (!aberto) aberto = dispositivo.abrir(dispositivo.dados, nome);
        if (!aberto) naoAbriu = true;
        while (aberto && !parar) {
            const long n = dispositivo.ler(dispositivo.dados, aberto, bloco.data(), BLOCO_MAXIMO);
            if (n == 0) continue;  // nothing yet: see whether to stop
            if (n < 0) break;      // gone: the watcher opens it anew
            ultimoDado = agora();
            anel->guardar(bloco.data(), n);
        }
        if (aberto) dispositivo.fechar(dispositivo.dados, aberto);
        aberto = nullptr;
        terminou = true;
    }
};

VigiaMicrofone::VigiaMicrofone(const DispositivoGravacao& d, std::FILE* console_, const TemposMicrofone& tempos_)
    : dispositivoGravacao(d), console(console_), tempos(tempos_), anel(std::make_shared<Anel>()), aberto(false),
      abertoInicial(nullptr), vigia(nullptr), pararVigia(false), dispositivo(PADRAO) {}

VigiaMicrofone::~VigiaMicrofone() { parar(); }

void VigiaMicrofone::anotarFalha(const std::string& nome) {
    {
        std::lock_guard<std::mutex> l(trava);
        falha = nome;
        dispositivo = PADRAO;
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
        dispositivo = nome;
        falha.clear();
    }
    if (!a && nome != PADRAO) {
        anotarFalha(nome);
        a = d.abrir(d.dados, PADRAO);
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

void VigiaMicrofone::trocar(const std::string& nome) {
    std::lock_guard<std::mutex> l(trava);
    pedido = nome;
    falha.clear();
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

std::shared_ptr<VigiaMicrofone::Sessao> VigiaMicrofone::abrirSessao(const std::string& nome, void* abertoAntes) {
    auto s = std::make_shared<Sessao>();
    s->dispositivo = dispositivoGravacao;
    s->nome = nome;
    s->anel = anel;
    s->silencioMaximo = tempos.silencioMaximo;
    s->aberto = abertoAntes;
    std::thread([s] { s->ler(); }).detach();
    return s;
}

// Keeps one session recording. A failed one is opened again every few
// seconds; a quiet one gets a second reader beside it, and whichever of the
// two delivers first is kept. A session let go in the middle of a read
// finishes alone (and keeps what that read brings).
void VigiaMicrofone::vigiar(void* abertoAntes) {
    std::shared_ptr<Sessao> atual, candidata;
    atual = abrirSessao(getDispositivo(), abertoAntes);
    auto proximaTentativa = Tempo::now();
    auto soltar = [](std::shared_ptr<Sessao>& s) {
        if (s) s->parar = true;
        s.reset();
    };
    for (;;) {
        std::this_thread::sleep_for(tempos.passo);
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
        } else if (atual->naoAbriu && atual->nome != PADRAO) {
            anotarFalha(atual->nome);
            atual = abrirSessao(PADRAO, nullptr);
        } else if (atual->terminou) {
            atual.swap(candidata);
            candidata.reset();
            proximaTentativa = t + tempos.intervaloReabertura;
        } else if (!atual->isCalada(t)) {
            soltar(candidata);  // it came back by itself
        } else if (!candidata && t >= proximaTentativa) {
            candidata = abrirSessao(atual->nome, nullptr);
            proximaTentativa = t + tempos.intervaloReabertura;
        }
    }
    soltar(candidata);
    if (!atual) return;
    atual->parar = true;
    const auto limite = Tempo::now() + tempos.esperaSaida;
    while (!atual->terminou && Tempo::now() < limite) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}
