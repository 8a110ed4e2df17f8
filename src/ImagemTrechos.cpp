#include "ImagemTrechos.h"

#include <cstring>

ImagemTrechos::ImagemTrechos(BITMAP* origem, int deslocX, int deslocY)
    : profundidade(bitmap_color_depth(origem)), bytesPorPixel((profundidade + 7) / 8), tocaBorda(false) {
    const int mascara = bitmap_mask_color(origem);
    for (int j = 0; j < origem->h; ++j) {
        for (int i = 0; i < origem->w;) {
            if (getpixel(origem, i, j) == mascara) {
                ++i;
                continue;
            }
            Trecho t{deslocX + i, deslocY + j, 0, static_cast<int>(pixels.size() / bytesPorPixel)};
            const int inicio = i;
            while (i < origem->w && getpixel(origem, i, j) != mascara) ++i;
            t.n = i - inicio;
            const unsigned char* linha = origem->line[j] + inicio * bytesPorPixel;
            pixels.insert(pixels.end(), linha, linha + t.n * bytesPorPixel);
            trechos.push_back(t);
            contorno = contorno.unir(Retangulo(t.x, t.y, t.x + t.n - 1, t.y));
            tocaBorda = tocaBorda || j == 0 || j == origem->h - 1 || inicio == 0 || i == origem->w;
        }
    }
}

bool ImagemTrechos::desenhar(BITMAP* destino, int x, int y) const {
    if (destino == nullptr || !is_memory_bitmap(destino) || bitmap_color_depth(destino) != profundidade) {
        return false;
    }
    for (const Trecho& t : trechos) {
        const int dy = y + t.y;
        if (dy < destino->ct || dy >= destino->cb) continue;
        int dx = x + t.x;
        int n = t.n;
        int pular = 0;
        if (dx < destino->cl) {
            pular = destino->cl - dx;
            dx = destino->cl;
            n -= pular;
        }
        if (dx + n > destino->cr) n = destino->cr - dx;
        if (n <= 0) continue;
        std::memcpy(destino->line[dy] + dx * bytesPorPixel, &pixels[(t.pixel + pular) * bytesPorPixel],
                    n * bytesPorPixel);
    }
    return true;
}
