// The desktop icon: the red car seen from behind on the sunset road of the
// menus, with engine-noise waves on both sides. Every size is drawn about
// 1024 pixels wide, where the scene's skyline has the proportions of the
// menus, and averaged down, so that its edges are smooth and its corners
// transparent; it is written as PNG (the library itself writes only BMP,
// PCX and TGA).

#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Cena.h"
#include "Desenho.h"
#include "Partes.h"

using namespace desenho;

namespace {

const int LADO_DESENHO = 1024;

// The picture, S pixels wide; magenta is transparent.
BITMAP* desenharGrande(int S) {
    BITMAP* cena = criar(S, S, 0);
    cena::porDoSol(cena, S * 55 / 100);
    int cx = S / 2, base = S * 86 / 100, L = S * 46 / 100;
    // Waves either side of the car, as the microphone page draws them.
    int amarelo = rgb(255, 220, 60), contorno = rgb(60, 30, 20);
    int cy = base - L / 4;
    for (int k = 0; k < 3; k++) {
        float r = L * 0.62f + k * S * 0.075f, meia = S * 0.018f;
        for (int y = 0; y < S; y++) {
            for (int x = 0; x < S; x++) {
                float dx = std::fabs(float(x - cx)), dy = float(y - cy);
                float d = std::sqrt(dx * dx + dy * dy);
                if (dx < std::fabs(dy) * 1.5f || std::fabs(d - r) > meia + S * 0.008f) continue;
                _putpixel32(cena, x, y, std::fabs(d - r) <= meia ? amarelo : contorno);
            }
        }
    }
    cena::carroDeTras(cena, cx, base, L, rgb(220, 30, 30));

    // A rounded tile with a dark rim; outside it stays transparent.
    BITMAP* b = criar(S, S, magenta());
    int m = S / 24, raio = S / 5, aro = S / 40;
    retanguloArredondado(b, m, m, S - 1 - m, S - 1 - m, raio, rgb(40, 20, 60));
    BITMAP* dentro = criar(S, S, 0);
    retanguloArredondado(dentro, m + aro, m + aro, S - 1 - m - aro, S - 1 - m - aro, raio - aro, 1);
    for (int y = 0; y < S; y++)
        for (int x = 0; x < S; x++)
            if (_getpixel32(dentro, x, y)) _putpixel32(b, x, y, _getpixel32(cena, x, y));
    destroy_bitmap(dentro);
    destroy_bitmap(cena);
    return b;
}

// Averages each block of the big picture into one RGBA pixel whose alpha is
// the share of the block that is not transparent.
std::vector<unsigned char> reduzirComAlfa(BITMAP* g, int tamanho, int fator) {
    std::vector<unsigned char> rgba;
    rgba.reserve(size_t(tamanho) * tamanho * 4);
    for (int y = 0; y < tamanho; y++) {
        for (int x = 0; x < tamanho; x++) {
            long s[3] = {0, 0, 0};
            int n = 0;
            for (int j = 0; j < fator; j++) {
                for (int i = 0; i < fator; i++) {
                    int c = _getpixel32(g, x * fator + i, y * fator + j);
                    if (c == magenta()) continue;
                    s[0] += getr32(c);
                    s[1] += getg32(c);
                    s[2] += getb32(c);
                    n++;
                }
            }
            for (long v : s) rgba.push_back(static_cast<unsigned char>(n ? v / n : 0));
            rgba.push_back(static_cast<unsigned char>(n * 255 / (fator * fator)));
        }
    }
    return rgba;
}

void bigEndian(std::vector<unsigned char>& v, unsigned long x) {
    for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<unsigned char>(x >> s));
}

void bloco(std::FILE* f, const char* tipo, const std::vector<unsigned char>& dados) {
    std::vector<unsigned char> v;
    bigEndian(v, dados.size());
    v.insert(v.end(), tipo, tipo + 4);
    v.insert(v.end(), dados.begin(), dados.end());
    bigEndian(v, crc32(crc32(0, nullptr, 0), v.data() + 4, static_cast<uInt>(v.size() - 4)));
    std::fwrite(v.data(), 1, v.size(), f);
}

// An 8-bit RGBA PNG: every row unfiltered, the whole image in one IDAT.
bool salvarPng(const std::string& caminho, int tamanho, const std::vector<unsigned char>& rgba) {
    std::vector<unsigned char> linhas;
    for (int y = 0; y < tamanho; y++) {
        linhas.push_back(0);
        auto inicio = rgba.begin() + long(y) * tamanho * 4;
        linhas.insert(linhas.end(), inicio, inicio + tamanho * 4);
    }
    uLongf tamanhoZ = compressBound(linhas.size());
    std::vector<unsigned char> z(tamanhoZ);
    if (compress2(z.data(), &tamanhoZ, linhas.data(), linhas.size(), 9) != Z_OK) return false;
    z.resize(tamanhoZ);
    std::vector<unsigned char> cabecalho;
    bigEndian(cabecalho, tamanho);
    bigEndian(cabecalho, tamanho);
    cabecalho.insert(cabecalho.end(), {8, 6, 0, 0, 0});
    criarPastas(caminho);
    std::FILE* f = std::fopen(caminho.c_str(), "wb");
    if (!f) return false;
    std::fwrite("\x89PNG\r\n\x1a\n", 1, 8, f);
    bloco(f, "IHDR", cabecalho);
    bloco(f, "IDAT", z);
    bloco(f, "IEND", {});
    return std::fclose(f) == 0;
}

}  // namespace

namespace icone {

void gerar(const std::string& pasta) {
    for (int tamanho : {48, 64, 128, 256}) {
        int fator = LADO_DESENHO / tamanho;
        BITMAP* g = desenharGrande(tamanho * fator);
        std::string caminho = pasta + "/" + std::to_string(tamanho) + "x" + std::to_string(tamanho) + "/apps/ronco.png";
        bool escrito = salvarPng(caminho, tamanho, reduzirComAlfa(g, tamanho, fator));
        destroy_bitmap(g);
        if (!escrito) {
            std::fprintf(stderr, "gerador-assets: cannot write %s\n", caminho.c_str());
            std::exit(1);
        }
    }
}

}  // namespace icone
