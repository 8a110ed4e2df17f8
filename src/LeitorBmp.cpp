#include "LeitorBmp.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

struct Fechar {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

BITMAP* LeitorBmp::carregar(const std::string& caminho) {
    // Only where the pink of the file is the library's mask colour as it is.
    if (get_color_depth() != 32 || makecol32(255, 0, 255) != MASK_COLOR_32) return nullptr;
    std::unique_ptr<std::FILE, Fechar> f(std::fopen(caminho.c_str(), "rb"));
    if (!f) return nullptr;
    unsigned char cabecalho[54];
    if (std::fread(cabecalho, 1, sizeof cabecalho, f.get()) != sizeof cabecalho) return nullptr;
    const uint32_t inicio = le32(cabecalho + 10);
    const int32_t largura = static_cast<int32_t>(le32(cabecalho + 18));
    const int32_t alturaComSinal = static_cast<int32_t>(le32(cabecalho + 22));
    if (cabecalho[0] != 'B' || cabecalho[1] != 'M' || le32(cabecalho + 14) < 40 || le16(cabecalho + 26) != 1 ||
        le16(cabecalho + 28) != 24 || le32(cabecalho + 30) != 0 || largura <= 0 || largura > 65536 ||
        alturaComSinal == 0 || alturaComSinal < -65536 || alturaComSinal > 65536) {
        return nullptr;
    }
    const bool deBaixoParaCima = alturaComSinal > 0;
    const int altura = deBaixoParaCima ? alturaComSinal : -alturaComSinal;
    const size_t passo = (static_cast<size_t>(largura) * 3 + 3) & ~static_cast<size_t>(3);
    std::vector<unsigned char> dados(passo * altura);
    if (std::fseek(f.get(), static_cast<long>(inicio), SEEK_SET) != 0 ||
        std::fread(dados.data(), 1, dados.size(), f.get()) != dados.size()) {
        return nullptr;
    }
    BITMAP* b = create_bitmap_ex(32, largura, altura);
    if (b == nullptr) return nullptr;
    for (int y = 0; y < altura; ++y) {
        const unsigned char* p = &dados[passo * static_cast<size_t>(deBaixoParaCima ? altura - 1 - y : y)];
        uint32_t* destino = reinterpret_cast<uint32_t*>(b->line[y]);
        for (int x = 0; x < largura; ++x, p += 3) destino[x] = static_cast<uint32_t>(makecol32(p[2], p[1], p[0]));
    }
    return b;
}
