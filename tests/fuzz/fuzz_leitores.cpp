// libFuzzer target for everything the game reads from text files: the city
// map, the traffic table and the car data files. The first byte chooses the
// format (by its value modulo 3, so '0', '1' and '2' select map, table and
// car file); the rest is the file's text.
//
// Beyond the sanitizers' checks, each input must leave the reader in a
// consistent state, and the collision and traffic logic must run on
// whatever was loaded.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Carro.h"
#include "LeitorMapa.h"
#include "LogicaColisao.h"
#include "LogicaNPC.h"
#include "Relogio.h"

namespace {

std::filesystem::path pastaTrabalho;

void exigir(bool condicao, const char* o_que) {
    if (!condicao) {
        std::fprintf(stderr, "fuzz_leitores: broken: %s\n", o_que);
        std::abort();
    }
}

void escrever(const std::string& nome, const std::string& conteudo) {
    std::ofstream(nome, std::ios::binary | std::ios::trunc) << conteudo;
}

void conferirLeitor(const LeitorMapa& leitor, bool duasCamadas) {
    const int a = leitor.getAltura();
    const int l = leitor.getLargura();
    exigir(a >= 0 && a <= LeitorMapa::MAXIMO_LINHAS, "rows within limits");
    exigir(l >= 0 && l <= LeitorMapa::MAXIMO_COLUNAS, "columns within limits");
    exigir((a == 0) == (l == 0), "both sizes zero or neither");
    exigir(a * l <= LeitorMapa::MAXIMO_CELULAS, "cells within limits");
    exigir(!leitor.isCarregado() || a > 0, "a successful load has a grid");
    exigir(leitor.isCarregado() == leitor.getErro().empty(), "an error exactly when the load failed");
    long soma = 0;
    for (int r = -1; r <= a; r++) {
        for (int c = -1; c <= l; c++) {
            soma += leitor.getInferior(r, c);
            if (duasCamadas) soma += leitor.getSuperior(r, c);
        }
    }
    exigir(leitor.getInferior(-1, 0) == 0 && leitor.getSuperior(a, l) == 0, "outside the grid is free");
    (void)soma;
}

void fuzzMapa(const std::string& texto) {
    std::istringstream entrada(texto);
    LeitorMapa leitor;
    leitor.lerMapa(entrada, "fuzz");
    conferirLeitor(leitor, true);

    escrever("mapas/1.txt", texto);
    LogicaColisao colisao;
    colisao.gerarMapaColisao(1);
    exigir(colisao.getAltura() == leitor.getAltura(), "collision map has the reader's rows");
    // A car at a handful of places on and around the map.
    Carro carro(1, 1, Vetor(0, 0));
    const float lugares[] = {-300.0f, 0.0f, 10.0f, 70.0f, 100.0f, 200.0f, 1000.0f, 40000.0f};
    for (float x : lugares) {
        for (float y : lugares) {
            carro.setPosicao(Vetor(x, y));
            carro.setAngulo(x * 0.01f + y * 0.003f);
            carro.setVelocidade(Vetor(3, -4));
            colisao.tratamentoColisaoComPredios(&carro);
            colisao.tratamentoColisaoComLimites(&carro);
        }
    }
}

void fuzzTransito(const std::string& texto) {
    std::istringstream entrada(texto);
    LeitorMapa leitor;
    leitor.lerTransito(entrada, "fuzz");
    conferirLeitor(leitor, false);

    escrever("mapas/1trans.txt", texto);
    std::srand(1);
    LogicaNPC npc(4);
    npc.carregarMatrizTransito(1);
    exigir(npc.getNumeroPontosIniciais() >= 0 &&
               npc.getNumeroPontosIniciais() <= LogicaNPC::NUMERO_PONTOS_INICIAIS,
           "start slots within 0..13");
    for (int quadro = 0; quadro < 12; quadro++) {
        Relogio::setManual(5000 + quadro * 3000);
        npc.trabalhar(100, 100);
        int ativos = 0;
        for (int i = 0; i < npc.getMaxCarros(); i++) ativos += !npc.isEstacionado(i);
        exigir(ativos == npc.getActiveCarro(), "active count matches the fleet");
    }
}

void fuzzCarro(const std::string& texto) {
    escrever("dados/carros/4.car", texto);
    Carro carro(1, 4, Vetor(0, 0));
    exigir(carro.getW() > 0 && carro.getH() > 0, "a car always has a positive size");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The readers take paths relative to the working directory: give them a
    // private one with the car files the traffic needs.
    std::string modelo = (std::filesystem::temp_directory_path() / "ronco-fuzz-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    pastaTrabalho = modelo;
    std::filesystem::current_path(pastaTrabalho);
    std::filesystem::create_directories("mapas");
    std::filesystem::create_directories("dados/carros");
    for (int tipo = 1; tipo <= 3; tipo++) escrever("dados/carros/" + std::to_string(tipo) + ".car", "30 60\n");
    std::atexit([] {
        std::error_code erro;
        std::filesystem::current_path("/", erro);
        std::filesystem::remove_all(pastaTrabalho, erro);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    if (tamanho == 0) {
        return 0;
    }
    const std::string texto(reinterpret_cast<const char*>(dados) + 1, tamanho - 1);
    switch (dados[0] % 3) {
        case 0:
            fuzzMapa(texto);
            break;
        case 1:
            fuzzTransito(texto);
            break;
        default:
            fuzzCarro(texto);
            break;
    }
    return 0;
}
