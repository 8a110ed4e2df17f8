#ifndef LOGICACOLISAO_H
#define LOGICACOLISAO_H

#include <array>
#include <memory>

#include "ConstantesGerais.h"
#include "Vetor.h"

class Carro;

// Collisions of cars with the city's buildings, with the map's edges and with
// each other. Polygons are in screen order (x horizontal, y vertical), while a
// car's position keeps the vertical component in x: the car rectangle swaps
// them and every correction writes the vertical result into posicao.x.
//
// Polygons, boxes and projections are small fixed arrays returned by value, so
// a collision test allocates nothing.
class LogicaColisao {
public:
    // Four corners; edges 0-1 and 0-3 are two perpendicular sides.
    using Poligono = std::array<Vetor, 4>;
    // [0] = (smallest x, smallest y), [1] = (largest x, largest y).
    using Caixa = std::array<Vetor, 2>;
    // Two unit vectors along a polygon's sides.
    using Eixos = std::array<Vetor, 2>;

    // Tile numbers of the lower layer that are buildings.
    static constexpr int PRIMEIRO_PREDIO = 664;
    static constexpr int ULTIMO_PREDIO = 781;

    LogicaColisao();
    virtual ~LogicaColisao();
    LogicaColisao(const LogicaColisao&) = delete;
    LogicaColisao& operator=(const LogicaColisao&) = delete;

    // Loads the collision map of "mapas/%d.txt". A bad file is reported on
    // the console; whatever was read stays usable and the rest is free ground.
    void gerarMapaColisao(int fase);
    // True when the last gerarMapaColisao read the whole lower layer.
    bool isCarregado() const { return carregado; }

    // Corners of the square of tile column tileX, row tileY, screen order:
    // top-left, top-right, bottom-right, bottom-left.
    Poligono gerarPontosTile(int tileX, int tileY);

    // matrizColisao[r][c] is true when the tile in row r, column c is a
    // building; null before a map is loaded.
    bool** getMatriz() { return matrizColisao; }
    int getAltura() const { return altura; }
    int getLargura() const { return largura; }
    // Bounds-checked reading of the collision map: outside it is free.
    bool isPredio(int linha, int coluna) const;

    float sinal(float valor);
    float modulo(float valor);

    // Building and map-edge collisions of one car; true if the car was moved.
    bool tratamentoColisaoComPredios(Carro* carro);
    bool tratamentoColisaoComLimites(Carro* carro);

    // The four side tests; X arguments are tile columns, Y arguments rows.
    bool verificarColisaoPorCimaPredios(Carro* carro, int primeiroX, int ultimoX, int ultimoY);
    bool verificarColisaoPorBaixoPredios(Carro* carro, int primeiroX, int ultimoX, int primeiroY);
    bool verificarColisaoPelaDireitaPredios(Carro* carro, int primeiroX, int primeiroY, int ultimoY);
    bool verificarColisaoPelaEsquerdaPredios(Carro* carro, int ultimoX, int primeiroY, int ultimoY);

    // Wall running horizontally: the vertical velocity reverses, damped by 0.7.
    void tratamentoColisaoHorizontal(Carro* carro);
    // Wall running vertically: the horizontal velocity reverses, damped by 0.7.
    void tratamentoColisaoVertical(Carro* carro);

    // Car against car: if the rectangles overlap, exchange velocities, spin,
    // knock into neutral and separate. True if they overlapped.
    bool tratamentoColisaoEntreCarros(Carro* carroA, Carro* carroB);

    // The car's rectangle, screen order.
    Poligono calcularPontosQuinas(Carro* carro);

    // Exact overlap of two four-cornered polygons: boxes first, then the
    // separating-axis test. Touching edges or corners overlap.
    bool checaColisao(const Poligono& extremidades1, const Poligono& extremidades2);
    Caixa calcularCoordenadasExtremas(const Poligono& ponto);
    bool verificarBoundingBox(const Caixa& coordenada1, const Caixa& coordenada2);
    Eixos versoresParalelos(const Poligono& pontos);
    // Interval of the polygon on the axis: x = lower end, y = upper end.
    Vetor projetarPoligono(const Poligono& pontos, Vetor vetor);
    bool verificarColisaoEntrePoligonos(const Poligono& pontos1, const Poligono& pontos2);

private:
    // Vertical and horizontal half-extents of the car at its heading.
    float calcularMeiaAlturaVertical(Carro* carro);
    float calcularMeiaLarguraHorizontal(Carro* carro);
    // Walks the cells row by row; at the first building that overlaps the
    // car, moves the car one pixel clear of `borda` in direction `sentido`
    // (vertically or horizontally) and reflects that velocity component.
    bool empurrarParaForaDePredio(Carro* carro, int primeiraLinha, int ultimaLinha, int primeiraColuna,
                                  int ultimaColuna, bool vertical, float borda, float sentido);
    // Sets the vertical (posicao.x) or horizontal (posicao.y) position and
    // reflects that velocity component, as against a wall across that axis.
    void reposicionar(Carro* carro, bool vertical, float valor);
    // Half the diagonal: the radius of the circle around the car's rectangle.
    float calcularMeiaDiagonal(Carro* carro);
    // Cheap test that rules out pairs too far apart for their rectangles to touch.
    bool podemSeTocar(Carro* carroA, Carro* carroB);
    // The same for a car and the square of tile column `coluna`, row `linha`.
    bool podeTocarTile(Carro* carro, int coluna, int linha);

    // The collision map: a row table into one block of cells.
    bool** matrizColisao;
    int altura;
    int largura;
    bool carregado;
    std::unique_ptr<bool[]> celulas;
    std::unique_ptr<bool*[]> linhas;
};

#endif
