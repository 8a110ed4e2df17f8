#include "LogicaColisao.h"

#include <algorithm>
#include <cmath>

#include "CaminhosAssets.h"
#include "Carro.h"
#include "LeitorMapa.h"

namespace {

const float MEIO_PI = 1.5707963f;
const double PASSO = PASSO_QUADRO;
const double PARCELA = 0.7;       // share of the response applied in one frame
const float DIVISOR_GIRO = 3.0f;  // spin from a car-to-car contact
const float LIMITE_PANCADA = 10.0f;
const float AMORTECIMENTO = -0.7f;  // velocity kept, reversed, after hitting a wall

// Truncation toward zero that stays defined for positions far outside any
// map (and for NaN, which lands far outside too).
int truncar(float valor) {
    if (!(valor > -2.0e9f)) {
        return -2000000000;
    }
    if (valor > 2.0e9f) {
        return 2000000000;
    }
    return static_cast<int>(valor);
}

}  // namespace

LogicaColisao::LogicaColisao() : matrizColisao(nullptr), altura(0), largura(0), carregado(false) {}

LogicaColisao::~LogicaColisao() {}

void LogicaColisao::gerarMapaColisao(int fase) {
    LeitorMapa leitor;
    carregado = leitor.carregarMapa(CaminhosAssets::mapa(fase));

    // Whatever part of the lower layer was read is used; the reader leaves
    // unread cells at 0, which is not a building.
    altura = leitor.getAltura();
    largura = leitor.getLargura();
    if (altura <= 0 || largura <= 0) {
        altura = largura = 0;
        matrizColisao = nullptr;
        celulas.reset();
        linhas.reset();
        return;
    }
    celulas.reset(new bool[static_cast<size_t>(altura) * largura]);
    linhas.reset(new bool*[altura]);
    for (int r = 0; r < altura; r++) {
        linhas[r] = celulas.get() + static_cast<size_t>(r) * largura;
        for (int c = 0; c < largura; c++) {
            const int numero = leitor.getInferior(r, c);
            linhas[r][c] = numero >= PRIMEIRO_PREDIO && numero <= ULTIMO_PREDIO;
        }
    }
    matrizColisao = linhas.get();
}

bool LogicaColisao::isPredio(int linha, int coluna) const {
    if (linha < 0 || linha >= altura || coluna < 0 || coluna >= largura) {
        return false;
    }
    return matrizColisao[linha][coluna];
}

LogicaColisao::Poligono LogicaColisao::gerarPontosTile(int tileX, int tileY) {
    const float x = static_cast<float>(LADO_TILE * tileX);
    const float y = static_cast<float>(LADO_TILE * tileY);
    const float lado = static_cast<float>(LADO_TILE);
    return {Vetor(x, y), Vetor(x + lado, y), Vetor(x + lado, y + lado), Vetor(x, y + lado)};
}

float LogicaColisao::sinal(float valor) { return valor < 0 ? -1.0f : 1.0f; }

float LogicaColisao::modulo(float valor) { return valor < 0 ? -valor : valor; }

float LogicaColisao::calcularMeiaAlturaVertical(Carro* carro) {
    const float a = carro->getAngulo();
    return modulo(std::sin(a)) * static_cast<float>(carro->getW() / 2) +
           modulo(std::cos(a)) * static_cast<float>(carro->getH() / 2);
}

float LogicaColisao::calcularMeiaLarguraHorizontal(Carro* carro) {
    const float a = carro->getAngulo();
    return modulo(std::cos(a)) * static_cast<float>(carro->getW() / 2) +
           modulo(std::sin(a)) * static_cast<float>(carro->getH() / 2);
}

// ---------------------------------------------------------------- buildings

bool LogicaColisao::tratamentoColisaoComPredios(Carro* carro) {
    if (matrizColisao == nullptr) {
        return false;
    }
    const Vetor posicao = carro->getPosicao();
    const int tileX = truncar(posicao.getY() / LADO_TILE);
    const int tileY = truncar(posicao.getX() / LADO_TILE);

    const int primeiroX = tileX == 0 ? 0 : tileX - 1;
    const int ultimoX = tileX == largura - 1 ? tileX : tileX + 1;
    const int primeiroY = tileY == 0 ? 0 : tileY - 1;
    const int ultimoY = tileY == altura - 1 ? tileY : tileY + 1;

    // A building beside the car is met side-on, so the side tests go first;
    // otherwise the row tests, which also find buildings diagonal to the car.
    if (isPredio(tileY, tileX - 1) || isPredio(tileY, tileX + 1)) {
        return verificarColisaoPelaEsquerdaPredios(carro, ultimoX, primeiroY, ultimoY) ||
               verificarColisaoPelaDireitaPredios(carro, primeiroX, primeiroY, ultimoY) ||
               verificarColisaoPorCimaPredios(carro, primeiroX, ultimoX, ultimoY) ||
               verificarColisaoPorBaixoPredios(carro, primeiroX, ultimoX, primeiroY);
    }
    return verificarColisaoPorCimaPredios(carro, primeiroX, ultimoX, ultimoY) ||
           verificarColisaoPorBaixoPredios(carro, primeiroX, ultimoX, primeiroY) ||
           verificarColisaoPelaEsquerdaPredios(carro, ultimoX, primeiroY, ultimoY) ||
           verificarColisaoPelaDireitaPredios(carro, primeiroX, primeiroY, ultimoY);
}

bool LogicaColisao::verificarColisaoPorCimaPredios(Carro* carro, int primeiroX, int ultimoX, int ultimoY) {
    return empurrarParaForaDePredio(carro, ultimoY, ultimoY, primeiroX, ultimoX, true,
                                    static_cast<float>(LADO_TILE) * ultimoY, -1.0f);
}

bool LogicaColisao::verificarColisaoPorBaixoPredios(Carro* carro, int primeiroX, int ultimoX, int primeiroY) {
    return empurrarParaForaDePredio(carro, primeiroY, primeiroY, primeiroX, ultimoX, true,
                                    static_cast<float>(LADO_TILE) * primeiroY + LADO_TILE, 1.0f);
}

bool LogicaColisao::verificarColisaoPelaDireitaPredios(Carro* carro, int primeiroX, int primeiroY, int ultimoY) {
    return empurrarParaForaDePredio(carro, primeiroY, ultimoY, primeiroX, primeiroX, false,
                                    static_cast<float>(LADO_TILE) * primeiroX + LADO_TILE, 1.0f);
}

bool LogicaColisao::verificarColisaoPelaEsquerdaPredios(Carro* carro, int ultimoX, int primeiroY, int ultimoY) {
    return empurrarParaForaDePredio(carro, primeiroY, ultimoY, ultimoX, ultimoX, false,
                                    static_cast<float>(LADO_TILE) * ultimoX, -1.0f);
}

bool LogicaColisao::empurrarParaForaDePredio(Carro* carro, int primeiraLinha, int ultimaLinha, int primeiraColuna,
                                             int ultimaColuna, bool vertical, float borda, float sentido) {
    // The bounds are tile indices near the car's own, so the loops are short;
    // a rectangle is built only for solid cells.
    for (int linha = primeiraLinha; linha <= ultimaLinha; linha++) {
        for (int coluna = primeiraColuna; coluna <= ultimaColuna; coluna++) {
            if (!isPredio(linha, coluna) || !podeTocarTile(carro, coluna, linha) ||
                !checaColisao(calcularPontosQuinas(carro), gerarPontosTile(coluna, linha))) {
                continue;
            }
            // One pixel clear of the building's side, then the bounce.
            const float meia = vertical ? calcularMeiaAlturaVertical(carro) : calcularMeiaLarguraHorizontal(carro);
            reposicionar(carro, vertical, borda + sentido * (meia + 1.0f));
            return true;
        }
    }
    return false;
}

void LogicaColisao::reposicionar(Carro* carro, bool vertical, float valor) {
    Vetor posicao = carro->getPosicao();
    if (vertical) {
        posicao.setX(valor);
        carro->setPosicao(posicao);
        tratamentoColisaoHorizontal(carro);
    } else {
        posicao.setY(valor);
        carro->setPosicao(posicao);
        tratamentoColisaoVertical(carro);
    }
}

void LogicaColisao::tratamentoColisaoHorizontal(Carro* carro) {
    const Vetor v = carro->getVelocidade();
    carro->setVelocidade(Vetor(AMORTECIMENTO * v.getX(), v.getY()));
}

void LogicaColisao::tratamentoColisaoVertical(Carro* carro) {
    const Vetor v = carro->getVelocidade();
    carro->setVelocidade(Vetor(v.getX(), AMORTECIMENTO * v.getY()));
}

// --------------------------------------------------------------- map limits

bool LogicaColisao::tratamentoColisaoComLimites(Carro* carro) {
    // Without a map there are no edges to keep the car within.
    if (altura <= 0 || largura <= 0) {
        return false;
    }
    const float larguraMapa = static_cast<float>(LADO_TILE * largura);
    const float alturaMapa = static_cast<float>(LADO_TILE * altura);
    const Vetor inicio = carro->getPosicao();
    if (!(inicio.getY() <= LADO_TILE || inicio.getY() >= larguraMapa - LADO_TILE || inicio.getX() <= LADO_TILE ||
          inicio.getX() >= alturaMapa - LADO_TILE)) {
        return false;
    }

    // Every edge is judged on the rectangle as it was before any correction,
    // so in a corner both corrections apply.
    const Caixa caixa = calcularCoordenadasExtremas(calcularPontosQuinas(carro));
    const float rv = calcularMeiaAlturaVertical(carro);
    const float rh = calcularMeiaLarguraHorizontal(carro);
    bool agiu = false;
    if (caixa[0].getY() < 0) {
        reposicionar(carro, true, rv + 1.0f);
        agiu = true;
    }
    if (caixa[1].getY() > alturaMapa) {
        reposicionar(carro, true, alturaMapa - rv - 1.0f);
        agiu = true;
    }
    if (caixa[0].getX() < 0) {
        reposicionar(carro, false, rh + 1.0f);
        agiu = true;
    }
    if (caixa[1].getX() > larguraMapa) {
        reposicionar(carro, false, larguraMapa - rh - 1.0f);
        agiu = true;
    }
    return agiu;
}

// ------------------------------------------------------------ car against car

bool LogicaColisao::tratamentoColisaoEntreCarros(Carro* carroA, Carro* carroB) {
    if (!podemSeTocar(carroA, carroB) || !checaColisao(calcularPontosQuinas(carroA), calcularPontosQuinas(carroB))) {
        return false;
    }
    carroA->colidiu += 1;
    carroB->colidiu += 1;

    const float anguloEntreAB = carroA->getAngulo() - carroB->getAngulo();
    const Vetor velocidadeA = carroA->getVelocidade();
    const Vetor velocidadeB = carroB->getVelocidade();
    const float relativaX = velocidadeA.getX() - velocidadeB.getX();
    const float relativaY = velocidadeA.getY() - velocidadeB.getY();

    carroA->setVelocidade(velocidadeB);
    carroB->setVelocidade(velocidadeA);

    // The change of velocity spread over one frame.
    const Vetor aceleracaoA(static_cast<float>(-relativaX / PASSO), static_cast<float>(-relativaY / PASSO));
    const Vetor aceleracaoB(static_cast<float>(relativaX / PASSO), static_cast<float>(relativaY / PASSO));

    // Both cars get the same spin, in the same sense.
    const float seno = static_cast<float>(std::sin(static_cast<double>(anguloEntreAB)));
    const float aceleracaoAngularA = seno * aceleracaoA.getModulo() / DIVISOR_GIRO;
    const float aceleracaoAngularB = seno * aceleracaoB.getModulo() / DIVISOR_GIRO;
    carroA->setVelocidadeAngular(
        static_cast<float>(carroA->getVelocidadeAngular() + aceleracaoAngularA * PASSO * PARCELA));
    carroB->setVelocidadeAngular(
        static_cast<float>(carroB->getVelocidadeAngular() + aceleracaoAngularB * PASSO * PARCELA));

    // A hard knock stalls both cars.
    if (modulo(relativaX) > LIMITE_PANCADA || modulo(relativaY) > LIMITE_PANCADA) {
        carroA->setMarcha(0);
        carroB->setMarcha(0);
    }
    // So does a pile-up: the third contact since the counter was reset,
    // unless the car is already in a pile that began before this frame.
    for (Carro* carro : {carroA, carroB}) {
        if (carro->colidiu > 2 && !carro->isEmPilha()) {
            carro->setMarcha(0);
        }
    }

    // Part of a frame's movement along the exchanged velocities separates them.
    for (Carro* carro : {carroA, carroB}) {
        const Vetor p = carro->getPosicao();
        const Vetor v = carro->getVelocidade();
        carro->setPosicao(Vetor(static_cast<float>(p.getX() + v.getX() * PASSO * PARCELA),
                                static_cast<float>(p.getY() + v.getY() * PASSO * PARCELA)));
        carro->setAngulo(static_cast<float>(carro->getAngulo() + carro->getVelocidadeAngular() * PASSO * PARCELA));
    }
    return true;
}

// ----------------------------------------------------------------- geometry

float LogicaColisao::calcularMeiaDiagonal(Carro* carro) {
    const float w = static_cast<float>(carro->getW());
    const float h = static_cast<float>(carro->getH());
    return std::sqrt((w * w + h * h) / 4.0f);
}

bool LogicaColisao::podemSeTocar(Carro* carroA, Carro* carroB) {
    // Each rectangle lies within its half-diagonal of its centre, which is
    // at most half a pixel from the position on each axis; with a pixel of
    // slack for rounding, cars farther apart cannot touch. Most pairs that
    // pass the dispatch's distance gate stop here, before any trigonometry.
    const Vetor a = carroA->getPosicao();
    const Vetor b = carroB->getPosicao();
    const float dx = a.getX() - b.getX();
    const float dy = a.getY() - b.getY();
    const float alcance = calcularMeiaDiagonal(carroA) + calcularMeiaDiagonal(carroB) + 2.0f;
    return !(dx * dx + dy * dy > alcance * alcance);
}

bool LogicaColisao::podeTocarTile(Carro* carro, int coluna, int linha) {
    // The car's bounding box from its half-extents, against the tile square;
    // the integer halves, the half-pixel shift of odd sizes and rounding
    // stay within the two pixels of slack.
    const Vetor p = carro->getPosicao();
    const float rh = calcularMeiaLarguraHorizontal(carro) + 2.0f;
    const float rv = calcularMeiaAlturaVertical(carro) + 2.0f;
    const float esquerda = static_cast<float>(LADO_TILE * coluna);
    const float topo = static_cast<float>(LADO_TILE * linha);
    return p.getY() + rh >= esquerda && p.getY() - rh <= esquerda + LADO_TILE && p.getX() + rv >= topo &&
           p.getX() - rv <= topo + LADO_TILE;
}

LogicaColisao::Poligono LogicaColisao::calcularPontosQuinas(Carro* carro) {
    const float a = carro->getAngulo();
    const float w = static_cast<float>(carro->getW());
    const float h = static_cast<float>(carro->getH());
    const Vetor posicao = carro->getPosicao();

    // Odd sizes put the centre half a pixel right of / below the position.
    const float centroX = posicao.getY() - static_cast<float>(carro->getW() / 2) + w / 2.0f;
    const float centroY = posicao.getX() - static_cast<float>(carro->getH() / 2) + h / 2.0f;

    const float raio = calcularMeiaDiagonal(carro);
    if (!(raio > 0.0f)) {
        return {Vetor(centroX, centroY), Vetor(centroX, centroY), Vetor(centroX, centroY), Vetor(centroX, centroY)};
    }
    const float razao = std::min(1.0f, (h / 2.0f) / raio);
    const float alfa = std::asin(razao);
    const float beta = std::acos(razao) + MEIO_PI;
    const float angulos[4] = {a - beta, a - alfa, a + alfa, a + beta};

    Poligono pontos;
    for (int k = 0; k < 4; k++) {
        pontos[k] = Vetor(centroX + raio * std::cos(angulos[k]), centroY + raio * std::sin(angulos[k]));
    }
    return pontos;
}

bool LogicaColisao::checaColisao(const Poligono& extremidades1, const Poligono& extremidades2) {
    if (!verificarBoundingBox(calcularCoordenadasExtremas(extremidades1), calcularCoordenadasExtremas(extremidades2))) {
        return false;
    }
    return verificarColisaoEntrePoligonos(extremidades1, extremidades2);
}

LogicaColisao::Caixa LogicaColisao::calcularCoordenadasExtremas(const Poligono& ponto) {
    float minX = ponto[0].getX();
    float minY = ponto[0].getY();
    float maxX = minX;
    float maxY = minY;
    for (int i = 1; i < 4; i++) {
        minX = std::min(minX, ponto[i].getX());
        maxX = std::max(maxX, ponto[i].getX());
        minY = std::min(minY, ponto[i].getY());
        maxY = std::max(maxY, ponto[i].getY());
    }
    return {Vetor(minX, minY), Vetor(maxX, maxY)};
}

bool LogicaColisao::verificarBoundingBox(const Caixa& c1, const Caixa& c2) {
    return !(c1[0].getX() > c2[1].getX() || c2[0].getX() > c1[1].getX() || c1[0].getY() > c2[1].getY() ||
             c2[0].getY() > c1[1].getY());
}

LogicaColisao::Eixos LogicaColisao::versoresParalelos(const Poligono& pontos) {
    Eixos eixos;
    const int vizinhos[2] = {1, 3};
    for (int i = 0; i < 2; i++) {
        const float dx = pontos[vizinhos[i]].getX() - pontos[0].getX();
        const float dy = pontos[vizinhos[i]].getY() - pontos[0].getY();
        const float comprimento = std::sqrt(dx * dx + dy * dy);
        // A side of no length gives no axis; the zero vector projects every
        // polygon onto the same point, which never separates them.
        eixos[i] = comprimento > 0.0f ? Vetor(dx / comprimento, dy / comprimento) : Vetor(0.0f, 0.0f);
    }
    return eixos;
}

Vetor LogicaColisao::projetarPoligono(const Poligono& pontos, Vetor vetor) {
    float minimo = vetor.getX() * pontos[0].getX() + vetor.getY() * pontos[0].getY();
    float maximo = minimo;
    for (int i = 1; i < 4; i++) {
        const float p = vetor.getX() * pontos[i].getX() + vetor.getY() * pontos[i].getY();
        minimo = std::min(minimo, p);
        maximo = std::max(maximo, p);
    }
    return Vetor(minimo, maximo);
}

bool LogicaColisao::verificarColisaoEntrePoligonos(const Poligono& pontos1, const Poligono& pontos2) {
    bool resultado = true;
    for (const Poligono* poligono : {&pontos1, &pontos2}) {
        if (!resultado) {
            break;
        }
        const Eixos eixos = versoresParalelos(*poligono);
        for (const Vetor& eixo : eixos) {
            const Vetor p1 = projetarPoligono(pontos1, eixo);
            const Vetor p2 = projetarPoligono(pontos2, eixo);
            if (p2.getX() > p1.getY() || p1.getX() > p2.getY()) {
                resultado = false;
            }
        }
    }
    return resultado;
}
