// City 3, the long ride: a road more than three times the avenue's length
// through the lake country, around a lake by a road above it and over the
// river by a bridge below, crossed all along by busy side streets.

#include <array>
#include <cstdlib>

#include "Cidade.h"

using namespace desenho;

namespace cidade {

namespace {

constexpr int LINHAS = 24;
constexpr int COLUNAS = 480;
constexpr int PRINCIPAL = 10;  // the main road's first row, three lanes
constexpr int ALTA = 2;        // the road round the lake
constexpr int BAIXA = 18;      // the road to the bridge
// The detours: the columns of the streets that leave the main road and
// come back to it (first column, three lanes each).
constexpr int LAGO_SAIDA = 84, LAGO_VOLTA = 130;
constexpr int PONTE_SAIDA = 271, PONTE_VOLTA = 331;
// The lake (rows, columns) and the river (columns, all rows).
constexpr int LAGO_R1 = 8, LAGO_R2 = 19, LAGO_C1 = 90, LAGO_C2 = 125;
constexpr int RIO_C1 = 300, RIO_C2 = 303;
constexpr std::array<int, 16> LATERAIS = {14, 38, 62, 145, 165, 185, 205, 225, 245, 345, 365, 385, 405, 425, 445, 462};
constexpr int COLUNA_LARGADA = 1, COLUNA_CHEGADA = 470;

Paleta paleta() {
    Paleta p;
    p.asfalto = {92, 90, 88};
    p.calcada = {214, 202, 176}, p.junta = {190, 176, 150}, p.meioFio = {170, 160, 140};
    p.grama = {120, 172, 70}, p.folhas = {92, 140, 52};
    p.praca = {222, 208, 176}, p.pracaJunta = {198, 182, 150};
    const Cor casas[7] = {{200, 90, 60},  {220, 170, 90}, {235, 230, 220}, {220, 150, 150},
                          {80, 150, 150}, {170, 60, 50},  {0, 0, 0}};
    const Paleta::Telhado telhados[7] = {Paleta::FILEIRAS, Paleta::FILEIRAS, Paleta::LISO, Paleta::FILEIRAS,
                                         Paleta::NERVURAS, Paleta::FILEIRAS, Paleta::LISO};
    for (int i = 0; i < 7; i++) p.predios[i] = casas[i], p.telhados[i] = telhados[i];
    p.arvore = Paleta::PALMEIRA;
    p.estiloAgua = 6;
    p.agua = {46, 120, 176};
    p.areia = {230, 214, 160};
    p.extras = true;
    return p;
}

bool ehAgua(int r, int c) {
    const bool lago = r >= LAGO_R1 && r <= LAGO_R2 && c >= LAGO_C1 && c <= LAGO_C2;
    const bool rio = c >= RIO_C1 && c <= RIO_C2 && !(r >= BAIXA && r < BAIXA + 3);
    return lago || rio;
}

}  // namespace

Cidade cidade3() {
    Cidade cidade{3,
                  "THE LONG RIDE",
                  "tiles-3.bmp",
                  paleta(),
                  50,
                  (PRINCIPAL + 1) * TILE + 38,
                  COLUNA_CHEGADA * TILE + TILE / 2,
                  90,
                  2000,
                  {{PRINCIPAL + 1, 0},
                   {PRINCIPAL + 1, LAGO_SAIDA + 1},
                   {ALTA + 1, LAGO_SAIDA + 1},
                   {ALTA + 1, LAGO_VOLTA + 1},
                   {PRINCIPAL + 1, LAGO_VOLTA + 1},
                   {PRINCIPAL + 1, PONTE_SAIDA + 1},
                   {BAIXA + 1, PONTE_SAIDA + 1},
                   {BAIXA + 1, PONTE_VOLTA + 1},
                   {PRINCIPAL + 1, PONTE_VOLTA + 1},
                   {PRINCIPAL + 1, COLUNA_CHEGADA + 6}},
                  Mapa(LINHAS, COLUNAS)};
    cidade.referencia = 56840;  // medir-corridas --medals 200
    Mapa& m = cidade.mapa;
    std::vector<Via> vias = {
        {true, PRINCIPAL, 3, 0, LAGO_SAIDA + 2, 1},           {false, LAGO_SAIDA, 3, ALTA, PRINCIPAL + 2, -1},
        {true, ALTA, 3, LAGO_SAIDA, LAGO_VOLTA + 2, 1},       {false, LAGO_VOLTA, 3, ALTA, PRINCIPAL + 2, 1},
        {true, PRINCIPAL, 3, LAGO_VOLTA, PONTE_SAIDA + 2, 1}, {false, PONTE_SAIDA, 3, PRINCIPAL, BAIXA + 2, 1},
        {true, BAIXA, 3, PONTE_SAIDA, PONTE_VOLTA + 2, 1},    {false, PONTE_VOLTA, 3, PRINCIPAL, BAIXA + 2, -1},
        {true, PRINCIPAL, 3, PONTE_VOLTA, COLUNAS - 1, 1},
    };
    for (int c : LATERAIS) vias.push_back({false, c, 2, 0, LINHAS - 1, 0});
    const auto rua = tracarVias(m, vias);
    for (int r = PRINCIPAL; r < PRINCIPAL + 3; r++) {
        m.inferior[r][COLUNA_LARGADA] = LARGADA;
        m.inferior[r][COLUNA_CHEGADA] = CHEGADA;
    }
    for (int r = BAIXA; r < BAIXA + 3; r++)
        for (int c = RIO_C1; c <= RIO_C2; c++) m.inferior[r][c] = PONTE + (r - BAIXA);

    // Water, with a beach round it where no road runs.
    auto agua = [&](int r, int c) { return m.dentro(r, c) && ehAgua(r, c); };
    auto praia = [&](int r, int c) {
        if (agua(r, c) || rua[r][c]) return false;
        for (int dr = -1; dr <= 1; dr++)
            for (int dc = -1; dc <= 1; dc++)
                if (agua(r + dr, c + dc)) return true;
        return false;
    };
    for (int r = 0; r < LINHAS; r++)
        for (int c = 0; c < COLUNAS; c++) {
            if (agua(r, c)) m.inferior[r][c] = PREDIO + 6 * 16 + mascaraVizinhos(r, c, agua);
            if (praia(r, c)) m.inferior[r][c] = AREIA;
        }
    Aleatorio sorte(3003);
    Quadras q;
    q.parquesPorCento = 35;
    q.estilos = 6;  // the seventh is the water
    q.profundidadeMaxima = 3;
    construirQuadras(
        m, [&](int r, int c) { return static_cast<bool>(rua[r][c]); },
        [&](int r, int c) { return agua(r, c) || praia(r, c); }, q, sorte);

    taparBolsos(m, [&](int r, int c) { return static_cast<bool>(rua[r][c]); });
    // Palms along the roads the race takes and on the beaches, gantries
    // before the turns, the finish banner.
    auto calcada = [&](int r, int c) {
        return m.dentro(r, c) && m.inferior[r][c] >= CALCADA && m.inferior[r][c] < CALCADA + 16;
    };
    for (int r = 0; r < LINHAS; r++)
        for (int c = 0; c < COLUNAS; c++) {
            const bool beira =
                calcada(r, c) && calcada(r, c - 1) && calcada(r, c + 1) && (r == PRINCIPAL - 1 || r == PRINCIPAL + 3);
            if ((beira && c % 7 == 3) || (m.inferior[r][c] == AREIA && (r * 5 + c * 3) % 11 == 0))
                m.superior[r][c] = (c / 7) % 3 ? ARVORE : ARVORE_FLORIDA;
        }
    portico(m, LAGO_SAIDA - 5, PRINCIPAL, PRINCIPAL + 2, PORTICO_SETA_CIMA);
    portico(m, PONTE_SAIDA - 5, PRINCIPAL, PRINCIPAL + 2, PORTICO_SETA_BAIXO);
    faixaChegada(m, COLUNA_CHEGADA + 1, PRINCIPAL);

    // Busy side streets from edge to edge: down their left lane from the
    // top, up their right lane from the bottom.
    for (int c : LATERAIS) {
        m.transito[0][c] = ENTRA_BAIXO;
        m.transito[LINHAS - 1][c + 1] = ENTRA_CIMA;
    }
    return cidade;
}

}  // namespace cidade
