// City 2, downtown: the avenue the race starts on ends in a block of towers,
// and the route zig-zags between two avenues through eight crossings, up and
// down one-way streets, to a finish near the right edge. Two-way side
// streets cross it from edge to edge with their traffic.

#include <array>

#include "Cidade.h"

using namespace desenho;

namespace cidade {

namespace {

constexpr int LINHAS = 40;
constexpr int COLUNAS = 150;
constexpr int ALTA = 4, BAIXA = 30;  // the two avenues' first rows, three lanes each
// The one-way streets between them (first column, three lanes), full height.
constexpr std::array<int, 4> SUBIDAS = {27, 57, 87, 117};
constexpr std::array<int, 5> LATERAIS = {12, 42, 72, 102, 132};  // two-way side streets, columns c and c + 1
constexpr int COLUNA_LARGADA = 1, COLUNA_CHEGADA = 142;

Paleta paleta() {
    Paleta p;
    p.asfalto = {58, 60, 66};
    p.calcada = {176, 178, 182}, p.junta = {150, 152, 158}, p.meioFio = {128, 130, 136};
    p.grama = {70, 130, 70}, p.folhas = {50, 104, 52};
    p.praca = {196, 194, 188}, p.pracaJunta = {168, 166, 160};
    const Cor torres[7] = {{60, 80, 110},  {110, 116, 124}, {50, 52, 58},   {160, 160, 156},
                           {50, 110, 120}, {90, 70, 60},    {210, 212, 216}};
    const Paleta::Telhado telhados[7] = {Paleta::NERVURAS, Paleta::LISO,     Paleta::LISO, Paleta::NERVURAS,
                                         Paleta::LISO,     Paleta::FILEIRAS, Paleta::LISO};
    for (int i = 0; i < 7; i++) p.predios[i] = torres[i], p.telhados[i] = telhados[i];
    p.arvore = Paleta::CANTEIRO;
    p.heliportos = true;
    p.extras = true;
    return p;
}

}  // namespace

Cidade cidade2() {
    Cidade cidade{2,
                  "DOWNTOWN",
                  "tiles-2.bmp",
                  paleta(),
                  50,
                  (BAIXA + 1) * TILE + 38,
                  COLUNA_CHEGADA * TILE + TILE / 2,
                  50,
                  4999,
                  {{BAIXA + 1, 0}},
                  Mapa(LINHAS, COLUNAS)};
    cidade.referencia = 30600;  // medir-corridas --medals 200
    Mapa& m = cidade.mapa;
    // The avenues, each from one one-way street to the next, and the route
    // along them: up the first street, down the second, up the third.
    std::vector<Via> vias;
    int inicio = 0;
    for (size_t i = 0; i <= SUBIDAS.size(); i++) {
        const int primeira = i % 2 == 0 ? BAIXA : ALTA;
        const int fim = i < SUBIDAS.size() ? SUBIDAS[i] + 2 : COLUNAS - 1;
        vias.push_back({true, primeira, 3, inicio, fim, 1});
        if (i < SUBIDAS.size()) {
            const int outra = i % 2 == 0 ? ALTA : BAIXA;
            vias.push_back({false, SUBIDAS[i], 3, 0, LINHAS - 1, i % 2 == 0 ? -1 : 1});
            cidade.rota.push_back({primeira + 1, SUBIDAS[i] + 1});
            cidade.rota.push_back({outra + 1, SUBIDAS[i] + 1});
            inicio = SUBIDAS[i];
        }
    }
    const int ultima = SUBIDAS.size() % 2 == 0 ? BAIXA : ALTA;
    cidade.rota.push_back({ultima + 1, COLUNA_CHEGADA + 4});
    for (int c : LATERAIS) vias.push_back({false, c, 2, 0, LINHAS - 1, 0});
    const auto rua = tracarVias(m, vias);
    auto ehRua = [&](int r, int c) { return static_cast<bool>(rua[r][c]); };
    for (int r = BAIXA; r < BAIXA + 3; r++) m.inferior[r][COLUNA_LARGADA] = LARGADA;
    for (int r = ultima; r < ultima + 3; r++) m.inferior[r][COLUNA_CHEGADA] = CHEGADA;

    Aleatorio sorte(2024);
    Quadras q;
    q.parquesPorCento = 8;
    q.profundidadeMaxima = 5;
    construirQuadras(
        m, ehRua, [](int, int) { return false; }, q, sorte);
    taparBolsos(m, [&](int r, int c) { return static_cast<bool>(rua[r][c]); });
    // Downtown's parks are paved squares with trees in planters.
    for (auto& linha : m.inferior)
        for (int& codigo : linha)
            if (codigo == GRAMA || codigo == FLORES) codigo = PRACA;

    // Planters along the avenues' sidewalks, a gantry before each turn
    // showing the way, and the finish banner.
    auto calcada = [&](int r, int c) {
        return m.dentro(r, c) && m.inferior[r][c] >= CALCADA && m.inferior[r][c] < CALCADA + 16;
    };
    for (int c = 0; c < COLUNAS; c++)
        for (int r : {ALTA - 1, ALTA + 3, BAIXA - 1, BAIXA + 3})
            if (c % 6 == 3 && calcada(r, c) && calcada(r, c - 1) && calcada(r, c + 1)) m.superior[r][c] = ARVORE;
    for (int r = 0; r < LINHAS; r++)
        for (int s : SUBIDAS)
            for (int c : {s - 1, s + 3})
                if (r % 6 == 3 && calcada(r, c) && calcada(r - 1, c) && calcada(r + 1, c))
                    m.superior[r][c] = (r / 6) % 2 ? ARVORE : ARVORE_FLORIDA;
    for (size_t i = 0; i < SUBIDAS.size(); i++) {
        const int primeira = i % 2 == 0 ? BAIXA : ALTA;
        portico(m, SUBIDAS[i] - 5, primeira, primeira + 2, i % 2 == 0 ? PORTICO_SETA_CIMA : PORTICO_SETA_BAIXO);
    }
    faixaChegada(m, COLUNA_CHEGADA + 1, ultima);

    // Traffic: up the one-way streets the route climbs, down the one it
    // descends, each from its edge in its right-hand lane; down and up the
    // side streets.
    for (size_t i = 0; i < SUBIDAS.size(); i++) {
        if (i % 2 == 0) {
            m.transito[LINHAS - 1][SUBIDAS[i] + 2] = ENTRA_CIMA;
        } else {
            m.transito[0][SUBIDAS[i]] = ENTRA_BAIXO;
        }
    }
    for (int c : LATERAIS) {
        m.transito[0][c] = ENTRA_BAIXO;
        m.transito[LINHAS - 1][c + 1] = ENTRA_CIMA;
    }
    return cidade;
}

}  // namespace cidade
