#include <benchmark/benchmark.h>

#include "Carro.h"
#include "CarroCalculos.h"

// One physics step of a car driving and steering in second gear.
static void BM_CalcularFisica(benchmark::State& state) {
    Carro carro(1, 1, Vetor(500, 500));
    CarroCalculos calc;
    carro.setFreio(1.0f);
    carro.setMarcha(2);
    carro.setAceleracao(0.8f);
    carro.setAnguloVolante(0.3f);
    carro.setVelocidade(Vetor(0, 12));
    for (auto _ : state) {
        calc.calcularFisica(&carro, 0.04f);
        // Keep the car in its band so every step does the same work.
        if (carro.getModuloVelocidade() > 20) carro.setVelocidade(Vetor(0, 12));
        benchmark::DoNotOptimize(carro.getPosicao());
    }
}
BENCHMARK(BM_CalcularFisica);
