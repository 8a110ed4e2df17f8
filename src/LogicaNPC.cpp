#include "LogicaNPC.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "CaminhosAssets.h"
#include "Carro.h"
#include "CarroCalculos.h"
#include "ConstantesGerais.h"
#include "Relogio.h"

namespace {

const float PASSO = PASSO_QUADRO_F;
const int MAXIMO_SORTEIOS = 9;
// A stalled car farther than this from the player (px) is taken off.
const float DISTANCIA_X = 600.0f;
const float DISTANCIA_Y = 800.0f;

const int PRIMEIRO_CODIGO = 868;
const int ULTIMO_CODIGO = 871;
// Heading of a car entering at a start tile, by code 868..871: right, down,
// left, up on the screen.
const float ANGULOS_ENTRADA[4] = {0.0f, 1.5707963f, 3.1415925f, 4.712389f};

}  // namespace

LogicaNPC::LogicaNPC(int i, long espera)
    : calculador(new CarroCalculos()), largura(0), altura(0), numeroMaximoCarros(i > 0 ? i : 0), numeroCarrosAtivos(0),
      espera(espera), numeroPontosIniciais(0), carregado(false) {
    carros.reserve(numeroMaximoCarros);
    for (int a = 0; a < numeroMaximoCarros; a++) {
        const int tipo = std::rand() % 3 + 1;
        carros.emplace_back(new Carro(a + 7, tipo, Vetor(POSICAO_ESTACIONADO, POSICAO_ESTACIONADO)));
    }
    for (int p = 0; p < NUMERO_PONTOS_INICIAIS; p++) {
        insercoes[p] = -1;
        pontosIniciais[p] = Vetor(0.0f, 0.0f);
    }
}

LogicaNPC::~LogicaNPC() {}

void LogicaNPC::carregarMatrizTransito(int i) {
    const std::string arquivo = CaminhosAssets::transito(i);
    carregado = matrizTransito.carregarTransito(arquivo);
    altura = matrizTransito.getAltura();
    largura = matrizTransito.getLargura();

    // Start tiles are taken from whatever part of the table was read.
    numeroPontosIniciais = 0;
    int encontrados = 0;
    for (int linha = 0; linha < altura; linha++) {
        for (int coluna = 0; coluna < largura; coluna++) {
            const int codigo = matrizTransito.getInferior(linha, coluna);
            if (codigo < PRIMEIRO_CODIGO || codigo > ULTIMO_CODIGO) {
                continue;
            }
            if (encontrados < NUMERO_PONTOS_INICIAIS) {
                pontosIniciais[encontrados] = Vetor(static_cast<float>(linha), static_cast<float>(coluna));
                numeroPontosIniciais++;
            }
            encontrados++;
        }
    }
    // A table that failed to load has been reported already.
    if (encontrados == 0 && carregado) {
        std::printf("%s: no traffic start tiles (codes %d to %d), no traffic will enter\n", arquivo.c_str(),
                    PRIMEIRO_CODIGO, ULTIMO_CODIGO);
    } else if (encontrados > NUMERO_PONTOS_INICIAIS) {
        std::printf("%s: %d traffic start tiles, only the first %d are used\n", arquivo.c_str(), encontrados,
                    NUMERO_PONTOS_INICIAIS);
    }
}

Carro* LogicaNPC::getCarro(int i) { return carros[i].get(); }

bool LogicaNPC::isEstacionado(int i) const {
    const Vetor p = carros[i]->getPosicao();
    return p.getX() == POSICAO_ESTACIONADO && p.getY() == POSICAO_ESTACIONADO;
}

void LogicaNPC::trabalhar(float x, float y) {
    if (numeroCarrosAtivos < numeroMaximoCarros) {
        inserirCarroNoMapa();
    }
    // A car parked in this walk still counts, so the walk ends after the
    // cars that were on the map when it began.
    const int ativos = numeroCarrosAtivos;
    int vistos = 0;
    for (int i = 0; i < numeroMaximoCarros && vistos < ativos; i++) {
        if (isEstacionado(i)) {
            continue;
        }
        calculador->calcularFisica(carros[i].get(), PASSO);
        verificarStatusCarro(i, x, y);
        vistos++;
    }
}

void LogicaNPC::inserirCarroNoMapa() {
    if (numeroCarrosAtivos >= numeroMaximoCarros) {
        return;
    }
    // Only filled slots are places on the map; with none, no traffic.
    if (numeroPontosIniciais == 0) {
        return;
    }
    const long t = Relogio::getMilissegundos();

    // Slot 0 is looked at first, without a draw; then up to ten draws, the
    // tenth giving up whatever it found.
    int p = 0;
    int sorteios = 0;
    while (t - insercoes[p] <= espera && sorteios <= MAXIMO_SORTEIOS) {
        p = std::rand() % numeroPontosIniciais;
        sorteios++;
    }
    if (sorteios > MAXIMO_SORTEIOS) {
        return;
    }

    int escolhido = -1;
    for (int i = 0; i < numeroMaximoCarros; i++) {
        if (isEstacionado(i)) {
            escolhido = i;
            break;
        }
    }
    if (escolhido < 0) {
        std::printf("erro carro maior que numero de carro\n");
        return;
    }
    Carro* carro = carros[escolhido].get();

    insercoes[p] = t + std::rand() % 3000;
    numeroCarrosAtivos++;

    const int linha = static_cast<int>(pontosIniciais[p].getX());
    const int coluna = static_cast<int>(pontosIniciais[p].getY());
    const int codigo = matrizTransito.getInferior(linha, coluna);
    if (codigo >= PRIMEIRO_CODIGO && codigo <= ULTIMO_CODIGO) {
        carro->setAngulo(ANGULOS_ENTRADA[codigo - PRIMEIRO_CODIGO]);
    }
    carro->setPosicao(Vetor(static_cast<float>(linha * LADO_TILE + carro->getH() / 2),
                            static_cast<float>(coluna * LADO_TILE + carro->getW() / 2)));
    carro->setMarcha(1);
    carro->setVelocidade(Vetor(0.0f, 0.0f));
    carro->setVelocidadeAngular(0.0f);
    carro->colidiu = 0;

    std::printf("\ninserido NPC em %d", p);

    // Constant throttle 0.2 to 0.699; the traffic never steers.
    const float aceleracao = (static_cast<float>(std::rand() % 500) / 100.0f + 2.0f) / 10.0f;
    carro->setAceleracao(aceleracao);
    carro->setFreio(1.0f);
}

void LogicaNPC::verificarStatusCarro(int i, float x, float y) {
    // A parked car lies off the map; parking it again would break the count.
    if (isEstacionado(i)) {
        return;
    }
    if (isOnExitPoint(i)) {
        estacionar(i);
        return;
    }
    const Carro* carro = carros[i].get();
    const Vetor p = carro->getPosicao();
    if (carro->getMarcha() == 0 && (std::fabs(x - p.getX()) > DISTANCIA_X || std::fabs(y - p.getY()) > DISTANCIA_Y)) {
        estacionar(i);
    }
}

bool LogicaNPC::isOnExitPoint(int i) {
    const Carro* carro = carros[i].get();
    const Vetor p = carro->getPosicao();
    // Truncation toward zero of the pixel, then of the tile: a car leaves
    // once it is more than about a tile beyond any edge.
    const float px = p.getX() - static_cast<float>(carro->getH());
    const float py = p.getY() - static_cast<float>(carro->getW());
    if (!(std::fabs(px) < 2.0e9f) || !(std::fabs(py) < 2.0e9f)) {
        return true;  // nowhere near the map (or not a number at all)
    }
    const int linha = static_cast<int>(px) / LADO_TILE;
    const int coluna = static_cast<int>(py) / LADO_TILE;
    return linha < -1 || linha >= altura + 1 || coluna < -1 || coluna >= largura + 1;
}

void LogicaNPC::estacionar(int i) {
    numeroCarrosAtivos--;
    Carro* carro = carros[i].get();
    carro->setPosicao(Vetor(POSICAO_ESTACIONADO, POSICAO_ESTACIONADO));
    carro->colidiu = 0;
}
