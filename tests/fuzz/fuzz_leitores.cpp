// libFuzzer target for everything the game reads from text files: the city
// map, the traffic table, the car data files, the record file, the player's
// settings, the ghost file and the list of cities. The first byte chooses the
// format (counted from '0', so '0' to '6' select map, table, car file,
// records, settings, ghost and cities); the rest is the file's text.
//
// Beyond the sanitizers' checks, each input must leave the reader in a
// consistent state, the collision and traffic logic must run on whatever
// was loaded, and the records read must be those a plain reading of the
// lines finds, a setting changed keeps every other line of the settings
// file, and a ghost accepted is whole, plays back and is written back as
// read.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../apoio/DiretorioTemporario.h"
#include "ArquivoFantasma.h"
#include "Carro.h"
#include "Configuracoes.h"
#include "DiferencaFantasma.h"
#include "GravadorFantasma.h"
#include "LeitorLinhas.h"
#include "LeitorMapa.h"
#include "ListaCidades.h"
#include "LogicaColisao.h"
#include "LogicaNPC.h"
#include "Preferencias.h"
#include "Recordes.h"
#include "Relogio.h"
#include "ReprodutorFantasma.h"

namespace {

// The readers take paths relative to the working directory: a private one,
// removed at exit.
std::unique_ptr<DiretorioTemporario> pasta;
std::FILE* nulo = std::fopen("/dev/null", "w");  // the readers' reports

void exigir(bool condicao, const char* o_que) {
    if (!condicao) {
        std::fprintf(stderr, "fuzz_leitores: broken: %s\n", o_que);
        std::abort();
    }
}

void conferirLeitor(const LeitorMapa& leitor) {
    const int a = leitor.getAltura(), l = leitor.getLargura();
    exigir(a >= 0 && a <= LeitorMapa::MAXIMO_LINHAS && l >= 0 && l <= LeitorMapa::MAXIMO_COLUNAS, "sizes in limits");
    exigir((a == 0) == (l == 0) && a * l <= LeitorMapa::MAXIMO_CELULAS, "cells within limits");
    exigir(!leitor.isCarregado() || a > 0, "a successful load has a grid");
    exigir(leitor.isCarregado() == leitor.getErro().empty(), "an error exactly when the load failed");
    long soma = 0;  // every cell and the ring around the grid can be read
    for (int r = -1; r <= a; r++)
        for (int c = -1; c <= l; c++) soma += static_cast<long>(leitor.getInferior(r, c)) + leitor.getSuperior(r, c);
    exigir(leitor.getInferior(-1, 0) == 0 && leitor.getSuperior(a, l) == 0, "outside the grid is free");
    (void)soma;
}

void fuzzMapa(const std::string& texto) {
    std::istringstream entrada(texto);
    LeitorMapa leitor;
    leitor.lerMapa(entrada, "fuzz");
    conferirLeitor(leitor);
    pasta->escrever("mapas/1.txt", texto);
    LogicaColisao colisao;
    colisao.gerarMapaColisao(1);
    exigir(colisao.getAltura() == leitor.getAltura(), "collision map has the reader's rows");
    Carro carro(1, 1, Vetor(0, 0));  // on, beside and far off the map
    for (float x : {-300.0f, 0.0f, 10.0f, 70.0f, 100.0f, 200.0f, 1000.0f, 40000.0f}) {
        for (float y : {-300.0f, 0.0f, 10.0f, 70.0f, 100.0f, 200.0f, 1000.0f, 40000.0f}) {
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
    conferirLeitor(leitor);
    pasta->escrever("mapas/1trans.txt", texto);
    std::srand(1);
    LogicaNPC npc(4);
    npc.carregarMatrizTransito(1);
    exigir(npc.getNumeroPontosIniciais() >= 0 && npc.getNumeroPontosIniciais() <= LogicaNPC::NUMERO_PONTOS_INICIAIS,
           "start slots within their number");
    for (int quadro = 0; quadro < 12; quadro++) {
        Relogio::setManual(5000 + quadro * 3000);
        npc.trabalhar(100, 100);
        int ativos = 0;
        for (int i = 0; i < npc.getMaxCarros(); i++) ativos += !npc.isEstacionado(i);
        exigir(ativos == npc.getActiveCarro(), "active count matches the fleet");
    }
}

void fuzzCarro(const std::string& texto) {
    pasta->escrever("dados/carros/4.car", texto);
    Carro carro(1, 4, Vetor(0, 0));
    exigir(carro.getW() > 0 && carro.getH() > 0, "a car always has a positive size");
}

// The best ten of every line within the length bound, read the plain way;
// then a race's time appended keeps everything that was there.
void fuzzRecordes(const std::string& texto) {
    pasta->escrever("records.txt", texto);
    std::vector<int> esperados;
    for (size_t inicio = 0; inicio < texto.size();) {
        size_t fim = texto.find('\n', inicio);
        if (fim == std::string::npos) fim = texto.size();
        if (fim - inicio <= LeitorLinhas::MAXIMO) {
            const int t = Recordes::interpretarLinha(texto.substr(inicio, fim - inicio));
            if (t >= 0) esperados.push_back(t);
        }
        inicio = fim + 1;
    }
    std::sort(esperados.begin(), esperados.end());
    if (esperados.size() > Recordes::MAXIMO_MELHORES) esperados.resize(Recordes::MAXIMO_MELHORES);
    Recordes recordes;
    recordes.carregar();
    exigir(recordes.isLegivel() && recordes.getMelhores() == esperados, "the records are the plainly read ones");
    exigir(recordes.acrescentar(1234), "a time is appended");
    const std::string fimDeLinha = !texto.empty() && texto.back() != '\n' ? "\n" : "";
    exigir(pasta->ler("records.txt") == texto + fimDeLinha + "Tempo: 1234 mills\n", "appending keeps what was there");
}

// Every setting within its range whatever the file says; a changed one is
// read back, and every other line under 4 KiB stays, in order. A leading
// '+' makes the file its text repeated past the size bound: then nothing is
// read and nothing written.
void fuzzConfiguracoes(const std::string& entrada) {
    std::string texto = entrada;
    if (!texto.empty() && texto[0] == '+') {
        const std::string parte = texto.size() > 1 ? texto.substr(1) : "x";
        texto.clear();
        while (static_cast<long>(texto.size()) <= Configuracoes::TAMANHO_MAXIMO) texto += parte;
    }
    pasta->escrever("ronco.conf", texto);
    const std::string caminho = (pasta->getCaminho() / "ronco.conf").string();
    Preferencias p(nulo);
    p.carregar(caminho);
    exigir(p.getSensibilidade() >= Preferencias::SENSIBILIDADE_MINIMA &&
               p.getSensibilidade() <= Preferencias::SENSIBILIDADE_MAXIMA,
           "sensitivity in range");
    exigir(!p.getMicrofone().empty() && p.getEscala() >= 0 && p.getEscala() <= 3 && p.getVolumeMusica() >= 0 &&
               p.getVolumeMusica() <= 100,
           "settings in range");
    const bool grande = static_cast<long>(texto.size()) > Configuracoes::TAMANHO_MAXIMO;
    exigir(!grande || (p.getSensibilidade() == 1.0f && p.getMicrofone() == "default"), "past the bound, the defaults");
    Configuracoes c(nulo);
    c.carregar(caminho);
    if (!c.definir("fuzz_key", "7")) {
        // Only a file that is, or would grow, past the bound is not written.
        exigir(
            static_cast<long>(texto.size()) + 16 > Configuracoes::TAMANHO_MAXIMO && pasta->ler("ronco.conf") == texto,
            "a setting is written");
        return;
    }
    Configuracoes d(nulo);
    d.carregar(caminho);
    exigir(d.getValor("fuzz_key") && *d.getValor("fuzz_key") == "7", "the setting reads back");
    const std::string depois = pasta->ler("ronco.conf");
    size_t onde = 0;
    for (size_t inicio = 0; inicio < texto.size();) {
        size_t fim = texto.find('\n', inicio);
        if (fim == std::string::npos) fim = texto.size();
        const std::string linha = texto.substr(inicio, fim - inicio) + "\n";
        if (linha.size() <= 4096 && linha.find("fuzz_key") == std::string::npos) {
            onde = depois.find(linha, onde);
            exigir(onde != std::string::npos, "every other line is kept, in order");
            onde += linha.size();
        }
        inicio = fim + 1;
    }
}

// Whatever the list says, the cities kept can be raced: one to nine, each
// map number once, a name the menu can write, a tile sheet under mapas/, a
// finish past the start.
void fuzzCidades(const std::string& texto) {
    std::istringstream entrada(texto);
    ListaCidades lista;
    lista.ler(entrada, "fuzz");
    exigir(lista.getQuantidade() >= 1 && lista.getQuantidade() <= ListaCidades::MAXIMO_CIDADES, "one to nine cities");
    for (int i = 0; i < lista.getQuantidade(); i++) {
        const ListaCidades::Cidade& c = lista.getCidade(i);
        exigir(lista.indiceDoMapa(c.mapa) == i && c.mapa >= 1 && c.mapa <= ListaCidades::MAXIMO_MAPA,
               "map numbers in range, each once");
        exigir(!c.nome.empty() && c.nome.size() <= ListaCidades::MAXIMO_NOME && !c.folha.empty() &&
                   c.folha.find('/') == std::string::npos && c.folha[0] != '.',
               "a name to show and a sheet under mapas/");
        exigir(c.chegada > c.largada.getY() && c.carros >= 0 && c.carros <= ListaCidades::MAXIMO_CARROS,
               "a finish past the start and a fleet in range");
    }
}

// A ghost is taken whole or not at all; one taken plays back anywhere on
// the clock and is written back as it was read.
void fuzzFantasma(const std::string& texto) {
    pasta->escrever("ghost.txt", texto);
    PercursoFantasma p, q;
    std::string problema;
    const bool aceito = ArquivoFantasma::ler("ghost.txt", 1, p, problema) == ArquivoFantasma::LIDO;
    exigir(aceito == ArquivoFantasma::interpretar(texto, 1, q, problema), "the file reads as its text");
    if (!aceito) {
        exigir(p.amostras.empty() && !problema.empty(), "a refused ghost leaves nothing and says why");
        return;
    }
    exigir(p.amostras.size() <= GravadorFantasma::MAXIMO_AMOSTRAS, "within the bound");
    for (size_t i = 1; i < p.amostras.size(); i++)
        exigir(p.amostras[i].tempoMs >= p.amostras[i - 1].tempoMs, "the clock never goes back");
    ReprodutorFantasma r;
    r.setPercurso(&p);
    DiferencaFantasma d;
    d.setPercurso(&p);
    for (int t : {-1, 0, 17, p.tempoMs / 2, p.tempoMs, p.tempoMs + 1}) {
        const ReprodutorFantasma::Pose pose = r.getPose(t);
        exigir(std::isfinite(pose.posicao.getX()) && std::isfinite(pose.posicao.getY()) && std::isfinite(pose.angulo),
               "the ghost is somewhere");
        int ms = 0;
        if (d.calcular(t, pose.posicao.getY(), ms)) exigir(ms >= t - p.tempoMs && ms <= t, "the gap within the run");
    }
    exigir(ArquivoFantasma::escrever("ghost.txt", p, problema) &&
               ArquivoFantasma::ler("ghost.txt", 1, q, problema) == ArquivoFantasma::LIDO &&
               ArquivoFantasma::formatar(q) == ArquivoFantasma::formatar(p),
           "written and read back alike");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    pasta.reset(new DiretorioTemporario);
    for (int tipo = 1; tipo <= 3; tipo++) pasta->escrever("dados/carros/" + std::to_string(tipo) + ".car", "30 60\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    if (tamanho > 0) {
        // One entry per format, in the order of the first byte's digit.
        void (*const alvos[])(const std::string&) = {fuzzMapa,          fuzzTransito, fuzzCarro,  fuzzRecordes,
                                                     fuzzConfiguracoes, fuzzFantasma, fuzzCidades};
        const size_t quantos = sizeof alvos / sizeof alvos[0];
        alvos[static_cast<uint8_t>(dados[0] - '0') % quantos](
            std::string(reinterpret_cast<const char*>(dados) + 1, tamanho - 1));
    }
    return 0;
}
