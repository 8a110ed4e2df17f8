#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "CapturaAudio.h"
#include "Carro.h"
#include "DiretorioTemporario.h"
#include "EstadoJogadores.h"
#include "EstadoJogo.h"
#include "FonteMemoria.h"
#include "Logica.h"
#include "LogicaNPC.h"
#include "Relogio.h"
#include "SinaisSintetizados.h"
#include "TratadorEntradas.h"
#include "TravaRato.h"
#include "TravaTeclas.h"

namespace {

const int LINHAS = 20;
const int COLUNAS = 150;

// The game's city size with open ground, and 13 traffic start tiles down
// the first column heading right.
std::string grade(int camadas, bool transito) {
    std::ostringstream s;
    for (int camada = 0; camada < camadas; camada++) {
        s << LINHAS << ' ' << COLUNAS << '\n';
        for (int r = 0; r < LINHAS; r++) {
            for (int c = 0; c < COLUNAS; c++) {
                int v = transito ? ((c == 1 && r < 13) ? 868 : 0) : (camada == 0 ? 1 : 0);
                s << v << ' ';
            }
            s << '\n';
        }
    }
    return s.str();
}

// 50 traffic cars spread over the screen around the player, driving
// slowly to the right, close enough for pair tests and repaints.
void arrumar(Logica& logica) {
    Carro* jogador = logica.getEstadoJogadores()->getJogador1();
    jogador->setPosicao(Vetor(550, 3000));
    jogador->setVelocidade(Vetor(0, 8));
    jogador->setAngulo(0);
    jogador->setVelocidadeAngular(0);
    LogicaNPC* npc = logica.getNPC();
    for (int i = 0; i < npc->getMaxCarros(); i++) {
        Carro* c = npc->getCarro(i);
        c->setPosicao(Vetor(100.0f + (i % 5) * 250.0f, 2300.0f + (i / 5) * 150.0f));
        c->setVelocidade(Vetor(0, 5));
        c->setVelocidadeAngular(0);
        c->setAngulo(0);
        c->setMarcha(1);
    }
}

}  // namespace

// One race frame of logic with a full fleet: traffic step, voice analysis,
// the player's controls and physics, collisions, the finish test, the
// snapshot with its repaint and traffic lists, and the end of the frame.
static void BM_QuadroCorrida50Carros(benchmark::State& state) {
    DiretorioTemporario dir;
    dir.escrever("mapas/1.txt", grade(2, false));
    dir.escrever("mapas/1trans.txt", grade(1, true));
    for (int t = 1; t <= 3; t++) dir.escrever("dados/carros/" + std::to_string(t) + ".car", "30 60\n");
    std::FILE* nulo = std::fopen("/dev/null", "w");
    CapturaAudio::setConsole(nulo);
    FonteMemoria fonte(SinaisSintetizados::semSinal(SinaisSintetizados::ronco(4)), 88200);
    CapturaAudio::setFonteGravacao(fonte.getFonte());
    std::srand(1);
    Relogio::setManual(100000);

    {
        TratadorEntradas entradas;
        Logica logica(&entradas);
        TravaRato::registrar(MOUSE_FLAG_LEFT_DOWN, 300, 350);  // Play
        logica.calcularLogica();
        logica.fimDeCiclo();
        TravaRato::registrar(MOUSE_FLAG_LEFT_UP, 300, 350);
        while (logica.getEstado()->getSubEstado() != 11) {
            logica.calcularLogica();
            logica.fimDeCiclo();
        }
        // Fill the fleet: one car per traffic frame while start tiles are free.
        LogicaNPC* npc = logica.getNPC();
        std::fflush(stdout);
        for (int i = 0; i < 5000 && npc->getActiveCarro() < npc->getMaxCarros(); i++) {
            Relogio::avancar(6000);
            npc->trabalhar(550, 3000);
        }
        std::printf("\n");
        if (npc->getActiveCarro() != 50) state.SkipWithError("fleet not full");
        logica.getEstadoJogadores()->getJogador1()->setMarcha(2);
        TravaTeclas::registrar(KEY_E | 0x80);
        arrumar(logica);

        int quadros = 0;
        for (auto _ : state) {
            if (++quadros % 25 == 0) {
                state.PauseTiming();
                arrumar(logica);
                state.ResumeTiming();
            }
            logica.calcularLogica();
            cavalete c = logica.construirCavalete();
            benchmark::DoNotOptimize(c);
            logica.fimDeCiclo();
            Relogio::avancar(40);
        }
        if (npc->getActiveCarro() != 50 || logica.getEstado()->getSubEstado() != 11)
            state.SkipWithError("the race did not stay as arranged");
    }
    CapturaAudio::setFonteGravacaoPadrao();
    CapturaAudio::setConsole(nullptr);
    std::fclose(nulo);
    Relogio::setReal();
}
BENCHMARK(BM_QuadroCorrida50Carros)->Unit(benchmark::kMicrosecond);
