// What one race frame costs, from the microphone to the picture: the logic
// step (the traffic's 50 slots, the player's car with the voice throttle
// from one analysis window, collisions), the snapshot, and the renderer
// drawing the race view and its head-up display into an off-screen 800x600
// bitmap and showing it on an off-screen "screen": the window at x1
// (800x600), at x2 (1600x1200, every pixel doubled), or a 1920x1080 screen
// in fullscreen (the picture at x1.8, 1440x1080, centred); in city 1, and at
// x1 in cities 2 and 3 (driven along their routes, their map layers windows
// round the view); and at x1 in each city with the ghost of the best run
// racing a second behind the player (its car blended into the view, the gap
// under the clock). Measured against
// the cheapest thing a frame must do anyway, one 800x600 blit, timed in the
// same run: the counter "quadro_por_blit" is the ratio.
//
// Every measurement replays the same scene: a fresh game seeded alike, the
// same way into the race, then a fixed number of timed frames. A faster
// build therefore draws exactly the traffic a slower one drew, instead of
// running further into the race in the same time. The blits are timed in
// batches between the frames, so a change of the machine's load touches
// both sides of the ratio alike; both are timed by the thread's processor
// clock, which a busy machine's waits for a core do not reach.
//
// Runs on the generated asset tree, looked up as ../jogo beside the
// benchmark's folder (build/jogo for build/bench/ronco_bench), or where
// RONCO_JOGO points. Headless: the library runs without a display.

#include <allegro.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "ArquivoFantasma.h"
#include "CaminhosAssets.h"
#include "JogoSemTela.h"
#include "LogicaNPC.h"
#include "Piloto.h"
#include "Pintor.h"

namespace {

std::filesystem::path arvoreDeRecursos() {
    if (const char* env = std::getenv("RONCO_JOGO")) return env;
    std::error_code erro;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", erro);
    if (erro) return {};
    return exe.parent_path().parent_path() / "jogo";
}

bool iniciarBiblioteca() {
    static bool pronta = false;
    if (!pronta) {
        if (install_allegro(SYSTEM_NONE, &errno, std::atexit) != 0) return false;
        set_color_depth(32);
        pronta = true;
    }
    return true;
}

// The traffic and the capture report on the console every few frames;
// while frames are timed that goes to /dev/null, not into the results.
class ConsoleCalado {
public:
    ConsoleCalado() {
        std::fflush(stdout);
        salvo = dup(STDOUT_FILENO);
        int nulo = open("/dev/null", O_WRONLY);
        dup2(nulo, STDOUT_FILENO);
        close(nulo);
    }
    ~ConsoleCalado() {
        std::fflush(stdout);
        dup2(salvo, STDOUT_FILENO);
        close(salvo);
    }

private:
    int salvo;
};

void semEspera(unsigned int) {}

// The headless game with its renderer drawing into a memory bitmap, on the
// generated city and pictures.
class Partida : public JogoSemTela {
public:
    Partida(BITMAP* tela, const std::filesystem::path& arvore, int cidade) : JogoSemTela(1) {
        for (const char* pasta : {"graficos", "mapas", "dados"})
            std::filesystem::create_directory_symlink(arvore / pasta, dir.getCaminho() / pasta);
        logica->carregarCidades(CaminhosAssets::cidades());
        logica->getCidades().escolherMapa(cidade);
        piloto = Piloto(Piloto::MELHOR, logica->getCidades().getEscolhida().rota);
        pintor.setAlvo(tela);
        pintor.setEspera(semEspera);
        pintor.setEscolhaCidade(&logica->getCidades());
    }

    void quadro() {
        const Quadro q = JogoSemTela::quadro(&pintor);
        situacao = q.estado;
        comFantasma += q.fantasma;
    }
    int comFantasma = 0;  // frames that showed the ghost

    // From the main menu into the race, then on until the traffic has
    // filled the streets.
    bool largar() {
        quadro();
        mouse(344, 374);
        quadro();
        mouse(344, 374, false);
        for (int i = 0; i < 40 && estado()->getSubEstado() != 11; i++) {
            dirigir();
            quadro();
        }
        if (estado()->getSubEstado() != 11) return false;
        for (int i = 0; i < 750; i++) {
            dirigir();
            quadro();
        }
        return situacao == jogando;
    }

    // The player's part: shift up through the gears; near the finish the
    // car is put back at the start so the race never ends. In the other
    // cities the route's driver, back to the start on its last run.
    void dirigir() {
        Carro* c = jogador();
        if (c == nullptr) return;
        const ListaCidades::Cidade& cidade = logica->getCidades().getEscolhida();
        if (cidade.mapa != 1) {
            if (c->getPosicao().getY() > cidade.chegada - 600.0f) {
                c->setPosicao(cidade.largada);
                c->setAngulo(0.0f);
                piloto = Piloto(Piloto::MELHOR, cidade.rota);
            }
            piloto.dirigir(*c);
            return;
        }
        const float v = c->getModuloVelocidade();
        const int m = c->getMarcha();
        apertar(KEY_E, !c->getMudancaMarcha() && (m == 0 || (m == 1 && v > 6.5f) || (m == 2 && v > 19.0f)));
        if (c->getPosicao().getY() > 8500.0f) c->setPosicao(Vetor(550.0f, 50.0f));
    }

    int carrosNoMapa() const { return logica->getNPC() ? logica->getNPC()->getActiveCarro() : 0; }

    // This race's run so far, as the ghost file would keep it, `atraso` ms
    // later on the clock.
    PercursoFantasma gravacao(int atraso) const {
        PercursoFantasma p = logica->getFantasmaCorrida().getGravador().getPercurso();
        for (AmostraFantasma& a : p.amostras) a.tempoMs += atraso;
        p.tempoMs = p.amostras.empty() ? 1 : p.amostras.back().tempoMs;
        return p;
    }

private:
    Pintor pintor;
    SituacaoGlobal situacao = menu;
    Piloto piloto = Piloto(Piloto::MELHOR);
};

// Processor time of this thread in ns: on a shared machine the time the
// thread was kept waiting for a core is not the frame's cost.
double nsDeProcessador() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

// Time of `n` 800x600 memory-to-memory blits, in ns, by the same clock as
// the frames.
double nsDeBlits(BITMAP* origem, BITMAP* destino, int n) {
    const double inicio = nsDeProcessador();
    for (int i = 0; i < n; i++) {
        blit(origem, destino, 0, 0, 0, 0, 800, 600);
        benchmark::ClobberMemory();
    }
    return nsDeProcessador() - inicio;
}

const int QUADROS_MEDIDOS = 1800;  // 72 s of racing
const int QUADROS_POR_LOTE = 100;  // then as many blits

}  // namespace

static void BM_QuadroDeCorrida(benchmark::State& state) {
    const std::filesystem::path jogo = arvoreDeRecursos();
    if (jogo.empty() || !std::filesystem::exists(jogo / "mapas" / "1.txt")) {
        state.SkipWithError("asset tree not found: build the asset generator or set RONCO_JOGO");
        return;
    }
    if (!iniciarBiblioteca()) {
        state.SkipWithError("the library did not start");
        return;
    }
    // The screen the frame is shown on; the reference blits go between two
    // bitmaps of their own, the same in every case.
    BITMAP* tela = create_bitmap(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    BITMAP* referencia = create_bitmap(800, 600);
    BITMAP* outra = create_bitmap(800, 600);
    clear_bitmap(tela);
    clear_bitmap(referencia);
    clear_to_color(outra, makecol(10, 20, 30));
    double nsQuadros = 0, nsBlits = 0;
    int blits = 0, carros = 0, comFantasma = 0;
    {
        ConsoleCalado calado;
        // The ghost: the same scripted race run once before, a second behind.
        PercursoFantasma fantasma;
        const int cidade = static_cast<int>(state.range(2));
        if (state.range(3) != 0) {
            Partida ensaio(tela, jogo, cidade);
            ensaio.largar();
            for (int i = 0; i < QUADROS_MEDIDOS; i++) ensaio.dirigir(), ensaio.quadro();
            fantasma = ensaio.gravacao(1000);
        }
        Partida partida(tela, jogo, cidade);
        std::string problema;
        if (!fantasma.amostras.empty())
            ArquivoFantasma::escrever((partida.dir.getCaminho() / ArquivoFantasma::nome(cidade)).string(), fantasma,
                                      problema);
        if (!partida.largar()) {
            state.SkipWithError("the race did not start");
        } else {
            int quadro = 0;
            for (auto _ : state) {
                const double inicio = nsDeProcessador();
                partida.dirigir();
                partida.quadro();
                const double ns = nsDeProcessador() - inicio;
                state.SetIterationTime(ns * 1e-9);
                nsQuadros += ns;
                carros = std::max(carros, partida.carrosNoMapa());
                if (++quadro % QUADROS_POR_LOTE == 0) {
                    nsBlits += nsDeBlits(outra, referencia, QUADROS_POR_LOTE);
                    blits += QUADROS_POR_LOTE;
                }
            }
        }
        comFantasma = partida.comFantasma;
    }
    destroy_bitmap(outra);
    destroy_bitmap(referencia);
    destroy_bitmap(tela);
    if (blits > 0) {
        const double blit = nsBlits / blits;
        state.counters["blit_ns"] = blit;
        state.counters["quadro_por_blit"] = nsQuadros / QUADROS_MEDIDOS / blit;
        state.counters["carros_no_mapa"] = carros;
        state.counters["quadros_com_fantasma"] = comFantasma;
    }
}
BENCHMARK(BM_QuadroDeCorrida)
    ->ArgNames({"tela_w", "tela_h", "cidade", "fantasma"})
    ->Args({800, 600, 1, 0})
    ->Args({800, 600, 1, 1})
    ->Args({1600, 1200, 1, 0})
    ->Args({1920, 1080, 1, 0})
    ->Args({800, 600, 2, 0})
    ->Args({800, 600, 2, 1})
    ->Args({800, 600, 3, 0})
    ->Args({800, 600, 3, 1})
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(QUADROS_MEDIDOS)
    ->UseManualTime();

// The reference alone: one 800x600 blit between memory bitmaps.
static void BM_Blit800x600(benchmark::State& state) {
    if (!iniciarBiblioteca()) {
        state.SkipWithError("the library did not start");
        return;
    }
    BITMAP* origem = create_bitmap(800, 600);
    BITMAP* destino = create_bitmap(800, 600);
    clear_to_color(origem, makecol(10, 20, 30));
    for (auto _ : state) {
        blit(origem, destino, 0, 0, 0, 0, 800, 600);
        benchmark::ClobberMemory();
    }
    destroy_bitmap(origem);
    destroy_bitmap(destino);
}
BENCHMARK(BM_Blit800x600)->Unit(benchmark::kMicrosecond);
