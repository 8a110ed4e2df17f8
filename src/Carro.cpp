#include "Carro.h"

#include <cmath>
#include <cstdio>
#include <fstream>

const float Carro::VEL_MIN_IDEAL[4] = {0.0f, 6.0f, 18.0f, -15.0f};
const float Carro::VEL_MAX_IDEAL[4] = {10.0f, 25.0f, 50.0f, 0.0f};
const float Carro::ACELERACAO_IDEAL[4] = {40.0f, 70.0f, 140.0f, -30.0f};

Carro::Carro(int IDCarro, int endFotoCarro, Vetor posicaoInicial)
    : colidiu(0), posicao(posicaoInicial), velocidade(0.0f, 0.0f), forcaReacaoColisao(0.0f, 0.0f), angulo(0.0f),
      velocidadeAngular(0.0f), anguloVolante(0.0f), aceleracao(0.0f), freio(0.0f), IDCarro(IDCarro),
      endFotoCarro(endFotoCarro), w(COMPRIMENTO_PADRAO), h(ALTURA_PADRAO), marchaAtual(0), mudancaMarcha(false),
      emPilha(false) {
    lerDadosCarro();

    for (int i = 0; i < 4; i++) {
        velMinIdealMarcha[i] = VEL_MIN_IDEAL[i];
        velMaxIdealMarcha[i] = VEL_MAX_IDEAL[i];
        aceleracaoIdealMarcha[i] = ACELERACAO_IDEAL[i];
    }
}

Carro::~Carro() {}

void Carro::lerDadosCarro() {
    char caminho[64];
    std::snprintf(caminho, sizeof caminho, "dados/carros/%d.car", endFotoCarro);

    // Everything downstream builds a w x h rectangle from these, so a file
    // that cannot give two positive sizes leaves the default size in place.
    std::ifstream arquivo(caminho);
    if (!arquivo.is_open()) {
        std::printf("%s: cannot open car data file, using size %d x %d\n", caminho, COMPRIMENTO_PADRAO, ALTURA_PADRAO);
        return;
    }
    int altura = 0;
    int comprimento = 0;
    if (!(arquivo >> altura >> comprimento)) {
        std::printf("%s: expected two integers (width, length), using size %d x %d\n", caminho, COMPRIMENTO_PADRAO,
                    ALTURA_PADRAO);
        return;
    }
    if (altura <= 0 || comprimento <= 0) {
        std::printf("%s: sizes must be positive (read %d, %d), using size %d x %d\n", caminho, altura, comprimento,
                    COMPRIMENTO_PADRAO, ALTURA_PADRAO);
        return;
    }
    h = altura;
    w = comprimento;
}

void Carro::setMarcha(int i) {
    marchaAtual = i;
    mudancaMarcha = true;
}

void Carro::zerarMudancaMarcha() { mudancaMarcha = false; }

float Carro::getModuloVelocidade() const {
    return std::sqrt(velocidade.getX() * velocidade.getX() + velocidade.getY() * velocidade.getY());
}

bool Carro::isParado() const {
    return velocidade.getX() == 0.0f && velocidade.getY() == 0.0f && velocidadeAngular == 0.0f;
}
