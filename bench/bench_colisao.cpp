// One race frame's worth of traffic and collisions with a full fleet: the
// traffic step (insertion attempt, 50 physics steps, 50 status checks) and
// the game's collision dispatch: the player against buildings and map edges,
// every traffic car against buildings, and every pair of cars, each pair
// gated by the 127 px distance test.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "Carro.h"
#include "ColisoesCorrida.h"
#include "DiretorioTemporario.h"
#include "LogicaColisao.h"
#include "LogicaNPC.h"
#include "Relogio.h"

namespace {

const int LINHAS = 20;
const int COLUNAS = 150;

struct EstadoCarro {
    Vetor posicao, velocidade;
    float angulo;
    int marcha;
};

}  // namespace

static void BM_QuadroTrafegoEColisoes(benchmark::State& state) {
    DiretorioTemporario dir;
    for (int tipo = 1; tipo <= 3; tipo++) dir.escrever("dados/carros/" + std::to_string(tipo) + ".car", "30 60");

    // A 20 x 150 city with a building every seventh tile and start tiles
    // down the left side.
    std::ostringstream mapa, transito;
    for (int camada = 0; camada < 2; camada++) {
        mapa << LINHAS << ' ' << COLUNAS << '\n';
        for (int r = 0; r < LINHAS; r++) {
            for (int c = 0; c < COLUNAS; c++) mapa << ((r * COLUNAS + c) % 7 == 0 && camada == 0 ? 700 : 1) << ' ';
            mapa << '\n';
        }
    }
    transito << LINHAS << ' ' << COLUNAS << '\n';
    for (int r = 0; r < LINHAS; r++) {
        for (int c = 0; c < COLUNAS; c++) transito << (c == 0 && r < 13 ? 868 : 0) << ' ';
        transito << '\n';
    }
    dir.escrever("mapas/1.txt", mapa.str());
    dir.escrever("mapas/1trans.txt", transito.str());

    // The insertion lines of the fill-up would drown the report.
    std::fflush(stdout);
    const int saida = dup(1);
    const int nulo = open("/dev/null", O_WRONLY);
    dup2(nulo, 1);

    LogicaColisao colisao;
    colisao.gerarMapaColisao(1);
    std::srand(1);
    LogicaNPC npc(50);
    npc.carregarMatrizTransito(1);
    for (int t = 10000; npc.getActiveCarro() < npc.getMaxCarros(); t += 6000) {
        Relogio::setManual(t);
        npc.inserirCarroNoMapa();
    }
    std::fflush(stdout);
    dup2(saida, 1);
    close(nulo);
    close(saida);

    // The fleet in a loose crowd around the player: 5 lanes 100 px apart,
    // cars 80 px apart along them, headings varied, so that many pairs pass
    // the distance gate and some overlap.
    Carro jogador(1, 1, Vetor(550, 900));
    jogador.setVelocidade(Vetor(0, 12));
    jogador.setAngulo(0.1f);
    std::vector<EstadoCarro> inicio;
    for (int i = 0; i < npc.getMaxCarros(); i++) {
        Carro* c = npc.getCarro(i);
        EstadoCarro e{Vetor(350.0f + (i % 5) * 100.0f, 600.0f + (i / 5) * 80.0f), Vetor(0.5f, 6.0f), (i % 7) * 0.45f,
                      1};
        inicio.push_back(e);
        c->setPosicao(e.posicao);
    }
    const EstadoCarro jogadorInicio{jogador.getPosicao(), jogador.getVelocidade(), jogador.getAngulo(), 2};

    long contatos = 0;
    for (auto _ : state) {
        // Back to the same crowd each frame, so every repetition does the
        // same work.
        for (int i = 0; i < npc.getMaxCarros(); i++) {
            Carro* c = npc.getCarro(i);
            c->setPosicao(inicio[i].posicao);
            c->setVelocidade(inicio[i].velocidade);
            c->setAngulo(inicio[i].angulo);
            c->setVelocidadeAngular(0);
            c->setMarcha(inicio[i].marcha);
            c->colidiu = 0;
        }
        jogador.setPosicao(jogadorInicio.posicao);
        jogador.setVelocidade(jogadorInicio.velocidade);
        jogador.setAngulo(jogadorInicio.angulo);

        npc.trabalhar(jogador.getPosicao().getX(), jogador.getPosicao().getY());
        contatos += ColisoesCorrida::tratar(&colisao, &jogador, &npc);
        benchmark::DoNotOptimize(jogador.getPosicao());
    }
    state.counters["ativos"] = npc.getActiveCarro();
    state.counters["contatos_por_quadro"] =
        benchmark::Counter(static_cast<double>(contatos), benchmark::Counter::kAvgIterations);
    Relogio::setReal();
}
BENCHMARK(BM_QuadroTrafegoEColisoes)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
