#include "ReparadorCamada.h"

#include "CarregadorMidia.h"

ReparadorCamada::ReparadorCamada()
    : parcial(true), camada(nullptr), folha(nullptr), emColuna(false), tilesNaFolha(0), mapa(nullptr), linhas(0),
      colunas(0), quadro(0) {}

ReparadorCamada::~ReparadorCamada() {
    if (folha != nullptr) destroy_bitmap(folha);
}

void ReparadorCamada::setFolha(BITMAP* nova) {
    if (folha != nullptr) destroy_bitmap(folha);
    folha = nova;
    emColuna = false;
    tilesNaFolha = folha != nullptr ? folha->w / LADO_TILE : 0;
    // A sheet shorter than a tile stays as it is: the library's clipping of
    // its missing rows must keep drawing nothing there.
    if (folha == nullptr || folha->h < LADO_TILE || tilesNaFolha == 0) return;
    BITMAP* coluna = create_bitmap_ex(bitmap_color_depth(folha), LADO_TILE, tilesNaFolha * LADO_TILE);
    if (coluna == nullptr) return;
    CarregadorMidia::pedirPaginasGrandes(coluna);
    for (int n = 0; n < tilesNaFolha; ++n)
        blit(folha, coluna, n * LADO_TILE, 0, 0, n * LADO_TILE, LADO_TILE, LADO_TILE);
    destroy_bitmap(folha);
    folha = coluna;
    emColuna = true;
}

void ReparadorCamada::usarFolha(const std::string& arquivo) {
    if (arquivo == arquivoFolha && folha != nullptr) return;
    setFolha(nullptr);
    setFolha(CarregadorMidia::imagem(arquivo));
    arquivoFolha = arquivo;
}

void ReparadorCamada::setParcial(bool sim) {
    parcial = sim;
    // What the plain repair left behind is not known cell by cell: from a
    // switch on, every cell counts as drawn over.
    for (int i = 0; i < linhas; ++i)
        for (int j = 0; j < colunas; ++j) sujo[i * colunas + j] = celula(i, j);
}

Retangulo ReparadorCamada::celula(int linha, int coluna) const {
    return Retangulo(coluna * LADO_TILE, linha * LADO_TILE, coluna * LADO_TILE + LADO_TILE - 1,
                     linha * LADO_TILE + LADO_TILE - 1);
}

void ReparadorCamada::desenharTile(int codigo, int linha, int coluna, const Retangulo& parte, bool mascarada) {
    if (camada == nullptr || folha == nullptr || codigo <= 0 || !camada->isPresente(linha, coluna)) {
        return;  // 0 is "no tile"; nothing left of the sheet, or of the cell in the window, either
    }
    if (codigo > tilesNaFolha) {
        return;  // beyond the sheet (checked before multiplying: a corrupt map may hold any int)
    }
    int origemX = parte.x1 - coluna * LADO_TILE;
    int origemY = parte.y1 - linha * LADO_TILE;
    (emColuna ? origemY : origemX) += (codigo - 1) * LADO_TILE;
    camada->paraCadaPedaco(parte, [&](int dx, int dy) {
        BITMAP* b = camada->getBitmap();
        const int w = parte.getLargura(), h = parte.getAltura();
        if (mascarada) {
            masked_blit(folha, b, origemX, origemY, parte.x1 + dx, parte.y1 + dy, w, h);
        } else {
            blit(folha, b, origemX, origemY, parte.x1 + dx, parte.y1 + dy, w, h);
        }
    });
}

void ReparadorCamada::desenharMapa(CamadaMapa* novaCamada, const LeitorMapa* novoMapa) {
    camada = novaCamada;
    mapa = novoMapa;
    const bool existe = camada != nullptr && camada->getBitmap() != nullptr;
    linhas = existe ? mapa->getAltura() : 0;
    colunas = existe ? mapa->getLargura() : 0;
    const size_t n = static_cast<size_t>(linhas) * colunas;
    sujo.assign(n, Retangulo());
    apagado.assign(n, Retangulo());
    listadoEm.assign(n, 0);
    listados.clear();
    if (!existe || camada->isJanela()) return;
    for (int i = 0; i < linhas; ++i)
        for (int j = 0; j < colunas; ++j) desenharTile(mapa->getInferior(i, j), i, j, celula(i, j), false);
    for (int i = 0; i < linhas; ++i)
        for (int j = 0; j < colunas; ++j) desenharTile(mapa->getSuperior(i, j), i, j, celula(i, j), true);
}

void ReparadorCamada::desenharCelula(int linha, int coluna) {
    if (!dentro(linha, coluna)) return;
    // Fresh from the sheet: whatever it held before was another cell's.
    const Retangulo inteira = celula(linha, coluna);
    desenharTile(mapa->getInferior(linha, coluna), linha, coluna, inteira, false);
    desenharTile(mapa->getSuperior(linha, coluna), linha, coluna, inteira, true);
    sujo[linha * colunas + coluna] = Retangulo();
}

void ReparadorCamada::repararInteiras(bool superior) {
    for (auto it = inicioLista; it != fimLista; ++it) {
        const int r = static_cast<int>(it->getX()), c = static_cast<int>(it->getY());
        if (dentro(r, c)) {
            desenharTile(superior ? mapa->getSuperior(r, c) : mapa->getInferior(r, c), r, c, celula(r, c), superior);
        }
    }
}

void ReparadorCamada::repararInferior(Iterador inicio, Iterador fim) {
    inicioLista = inicio;
    fimLista = fim;
    if (camada == nullptr) return;
    if (!parcial) {
        repararInteiras(false);
        return;
    }
    ++quadro;
    listados.clear();
    for (auto it = inicio; it != fim; ++it) {
        const int r = static_cast<int>(it->getX()), c = static_cast<int>(it->getY());
        if (!dentro(r, c)) continue;  // off the map: nothing to draw
        const int i = r * colunas + c;
        if (listadoEm[i] == quadro) continue;
        listadoEm[i] = quadro;
        listados.push_back(i);
        // Cars drawn here since the last repair: erase them (a cell without
        // a lower tile keeps them, as the whole-tile repair does; its upper
        // tile goes over them all the same).
        apagado[i] = sujo[i];
        sujo[i] = Retangulo();
        if (!apagado[i].isVazio()) desenharTile(mapa->getInferior(r, c), r, c, apagado[i], false);
    }
}

void ReparadorCamada::marcarDesenho(const Retangulo& r) {
    if (!parcial || linhas == 0) return;
    const Retangulo a = r.intersectar(Retangulo(0, 0, colunas * LADO_TILE - 1, linhas * LADO_TILE - 1));
    if (a.isVazio()) return;
    for (int i = a.y1 / LADO_TILE; i <= a.y2 / LADO_TILE; ++i)
        for (int j = a.x1 / LADO_TILE; j <= a.x2 / LADO_TILE; ++j)
            sujo[i * colunas + j] = sujo[i * colunas + j].unir(a.intersectar(celula(i, j)));
}

void ReparadorCamada::repararSuperior() {
    if (camada == nullptr) return;
    if (!parcial) {
        repararInteiras(true);
        return;
    }
    // Where the repair erased the upper tile, and where cars now cover it.
    for (int i : listados) {
        const Retangulo area = apagado[i].unir(sujo[i]);
        if (!area.isVazio())
            desenharTile(mapa->getSuperior(i / colunas, i % colunas), i / colunas, i % colunas, area, true);
    }
}
