#include "CidadeBase.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace desenho;

namespace cidade {

Mapa::Mapa(int linhas, int colunas)
    : linhas(linhas), colunas(colunas), inferior(linhas, std::vector<int>(colunas, 0)), superior(inferior),
      transito(inferior) {}

int mascaraVizinhos(int r, int c, const std::function<bool(int, int)>& teste) {
    return (teste(r - 1, c) ? 1 : 0) | (teste(r, c + 1) ? 2 : 0) | (teste(r + 1, c) ? 4 : 0) |
           (teste(r, c - 1) ? 8 : 0);
}

void construirQuadras(Mapa& m, const std::function<bool(int, int)>& ehRua,
                      const std::function<bool(int, int)>& reservada, const Quadras& q, Aleatorio& sorte) {
    auto rua = [&](int r, int c) { return m.dentro(r, c) && ehRua(r, c); };
    // Building plots: every cell that is neither street, sidewalk nor
    // reserved. Plot ids by cell: 0 = none yet, -1 = taken.
    Grade lote(m.linhas, std::vector<int>(m.colunas, 0));
    for (int r = 0; r < m.linhas; r++) {
        for (int c = 0; c < m.colunas; c++) {
            bool calcada = false;
            for (int dr = -1; dr <= 1; dr++)
                for (int dc = -1; dc <= 1; dc++) calcada = calcada || rua(r + dr, c + dc);
            if (rua(r, c) || reservada(r, c)) {
                lote[r][c] = -1;
            } else if (calcada) {
                m.inferior[r][c] = CALCADA + mascaraVizinhos(r, c, rua);
                lote[r][c] = -1;
            }
        }
    }
    auto livre = [&](int r, int c) { return m.dentro(r, c) && lote[r][c] == 0; };
    std::vector<int> estilo(1, 0);  // by plot id
    for (int r = 0; r < m.linhas; r++) {
        for (int c = 0; c < m.colunas; c++) {
            if (!livre(r, c)) continue;
            int profundidade = 0;
            while (livre(r + profundidade, c)) profundidade++;
            // Deep blocks are split into a front and a back row of buildings.
            if (profundidade >= 4) profundidade = sorte.entre(0, 2) == 0 ? profundidade : 2;
            profundidade = std::min(profundidade, q.profundidadeMaxima);
            int largura = sorte.entre(2, 5);
            int w = 0;
            while (w < largura) {
                bool cabe = true;
                for (int k = 0; k < profundidade; k++) cabe = cabe && livre(r + k, c + w);
                if (!cabe) break;
                w++;
            }
            int id = static_cast<int>(estilo.size());
            // Some plots are parks; the others get a roof style.
            estilo.push_back(sorte.entre(0, 99) < q.parquesPorCento ? -1 : sorte.entre(0, q.estilos - 1));
            for (int k = 0; k < profundidade; k++)
                for (int j = 0; j < w; j++) lote[r + k][c + j] = id;
        }
    }
    for (int r = 0; r < m.linhas; r++) {
        for (int c = 0; c < m.colunas; c++) {
            int id = lote[r][c];
            if (id <= 0) continue;
            if (estilo[id] < 0) {
                m.inferior[r][c] = sorte.entre(0, 3) == 0 ? FLORES : GRAMA;
                if (sorte.entre(0, 2) != 0) m.superior[r][c] = sorte.entre(0, 3) ? ARVORE : ARVORE_FLORIDA;
                continue;
            }
            auto mesmo = [&](int rr, int cc) { return m.dentro(rr, cc) && lote[rr][cc] == id; };
            m.inferior[r][c] = PREDIO + estilo[id] * 16 + mascaraVizinhos(r, c, mesmo);
        }
    }
}

std::vector<std::vector<bool>> tracarVias(Mapa& m, const std::vector<Via>& vias) {
    Grade tipo(m.linhas, std::vector<int>(m.colunas, 0));  // 1 along a horizontal road, 2 a vertical one
    for (const Via& v : vias)
        for (int a = v.de; a <= v.ate; a++)
            for (int k = 0; k < v.faixas; k++) {
                const int r = v.horizontal ? v.primeira + k : a, c = v.horizontal ? a : v.primeira + k;
                if (m.dentro(r, c)) tipo[r][c] |= v.horizontal ? 1 : 2;
            }
    auto cruzamento = [&](int r, int c) { return m.dentro(r, c) && tipo[r][c] == 3; };
    for (const Via& v : vias) {
        for (int a = v.de; a <= v.ate; a++) {
            for (int k = 0; k < v.faixas; k++) {
                const int r = v.horizontal ? v.primeira + k : a, c = v.horizontal ? a : v.primeira + k;
                if (!m.dentro(r, c) || tipo[r][c] == 3) continue;
                const bool ultima = k == v.faixas - 1, seta = v.horizontal ? a % 14 == 7 : a % 8 == 4;
                int codigo = ASFALTO;
                if (v.sentido == 0) {  // two lanes: down on the left, up on the right
                    const bool desce = k == 0;
                    codigo = a % 6 == 4 ? (desce ? SETA_BAIXO : SETA_CIMA_CENTRO_ESQ)
                             : desce    ? VIA_CENTRO_DIR
                                        : VIA_CENTRO_ESQ;
                } else if (v.horizontal) {
                    codigo = seta ? (v.sentido > 0 ? (ultima ? SETA_DIREITA : SETA_DIREITA_TRACEJADA) : SETA_ESQUERDA)
                             : ultima ? ASFALTO
                                      : FAIXA_TRACEJADA;
                } else {
                    codigo = seta     ? (v.sentido > 0 ? SETA_BAIXO_SIMPLES : SETA_CIMA)
                             : ultima ? ASFALTO
                                      : FAIXA_TRACEJADA_VERTICAL;
                }
                if (v.horizontal && (cruzamento(r, c - 1) || cruzamento(r, c + 1))) codigo = ZEBRA_HORIZONTAL;
                if (!v.horizontal && (cruzamento(r - 1, c) || cruzamento(r + 1, c))) codigo = ZEBRA_VERTICAL;
                m.inferior[r][c] = codigo;
            }
        }
    }
    std::vector<std::vector<bool>> rua(m.linhas, std::vector<bool>(m.colunas, false));
    for (int r = 0; r < m.linhas; r++)
        for (int c = 0; c < m.colunas; c++) {
            rua[r][c] = tipo[r][c] != 0;
            if (tipo[r][c] == 3) m.inferior[r][c] = ASFALTO;
        }
    return rua;
}

void taparBolsos(Mapa& m, const std::function<bool(int, int)>& ehRua) {
    auto livre = [&](int r, int c) {
        return m.dentro(r, c) && (m.inferior[r][c] < PREDIO || m.inferior[r][c] > PREDIO_ULTIMO);
    };
    for (bool mudou = true; mudou;) {
        mudou = false;
        for (int r = 0; r < m.linhas; r++)
            for (int c = 0; c < m.colunas; c++) {
                if (!livre(r, c) || ehRua(r, c)) continue;
                const int lados = livre(r - 1, c) + livre(r + 1, c) + livre(r, c - 1) + livre(r, c + 1);
                bool giro = false;
                for (int dr : {-1, 1})
                    for (int dc : {-1, 1})
                        giro = giro || (livre(r + dr, c) && livre(r, c + dc) && livre(r + dr, c + dc));
                if (lados >= 2 && giro) continue;
                // A kiosk of the plainest roof, alone on its plot.
                m.inferior[r][c] = PREDIO + 3 * 16;
                m.superior[r][c] = 0;
                mudou = true;
            }
    }
}

void portico(Mapa& m, int c, int primeira, int ultima, int sinal) {
    m.superior[primeira - 1][c] = PORTICO_POSTE_CIMA;
    m.superior[ultima + 1][c] = PORTICO_POSTE_BAIXO;
    for (int r = primeira; r <= ultima; r++) m.superior[r][c] = sinal;
}

void faixaChegada(Mapa& m, int c, int primeira) {
    m.superior[primeira - 1][c] = FAIXA_CHEGADA_CIMA;
    m.superior[primeira + 3][c] = FAIXA_CHEGADA_BAIXO;
    for (int k = 0; k < 3; k++) m.superior[primeira + k][c] = FAIXA_CHEGADA_LETRAS + k;
}

// ---------------------------------------------------------------- files

namespace {

void escreverGrade(std::ofstream& f, const Grade& g) {
    f << g.size() << ' ' << g[0].size() << '\n';
    for (const auto& linha : g) {
        for (size_t c = 0; c < linha.size(); c++) f << (c ? " " : "") << linha[c];
        f << '\n';
    }
}

void verificar(const std::ofstream& f, const std::string& caminho) {
    if (!f) {
        std::fprintf(stderr, "gerador-assets: cannot write %s\n", caminho.c_str());
        std::exit(1);
    }
}

void escreverTexto(const std::string& caminho, const std::vector<const Grade*>& camadas) {
    criarPastas(caminho);
    std::ofstream f(caminho);
    for (size_t i = 0; i < camadas.size(); i++) {
        if (i) f << '\n';
        escreverGrade(f, *camadas[i]);
    }
    verificar(f, caminho);
}

}  // namespace

void escrever(const std::string& raiz, const Cidade& cidade) {
    const std::string n = std::to_string(cidade.numero);
    escreverTexto(raiz + "/mapas/" + n + ".txt", {&cidade.mapa.inferior, &cidade.mapa.superior});
    escreverTexto(raiz + "/mapas/" + n + "trans.txt", {&cidade.mapa.transito});
    desenharFolha(cidade.paleta, raiz + "/mapas/" + cidade.folha);
}

void escreverLista(const std::string& raiz, const std::vector<Cidade>& cidades) {
    const std::string caminho = raiz + "/mapas/cidades.txt";
    criarPastas(caminho);
    std::ofstream f(caminho);
    f << "# The cities of the main menu, in its order: one [city] block each.\n"
         "#   map      N: the city map mapas/N.txt and its traffic table mapas/Ntrans.txt\n"
         "#   name     as the menu shows it\n"
         "#   tiles    the tile sheet, a file under mapas/\n"
         "#   start    the car's start, map pixels across and down\n"
         "#   finish   the race ends when the car's centre is this far across\n"
         "#   traffic  cars in the traffic's fleet, and the ms a start tile rests between two\n"
         "#   route    the cells (row,column) the race is laid out along: the start,\n"
         "#            each turn, and a cell past the finish\n";
    for (const Cidade& c : cidades) {
        f << "\n[city]\nmap = " << c.numero << "\nname = " << c.nome << "\ntiles = " << c.folha
          << "\nstart = " << c.largadaX << ' ' << c.largadaY << "\nfinish = " << c.chegada << "\ntraffic = " << c.carros
          << ' ' << c.esperaTransito << "\nroute =";
        for (const Celula& p : c.rota) f << ' ' << p.linha << ',' << p.coluna;
        f << '\n';
    }
    verificar(f, caminho);
}

}  // namespace cidade
