#include "TransformadaFft.h"

#include <cmath>
#include <utility>

namespace {
const float PI_F = 3.1415927f;
}

TransformadaFft::TransformadaFft(int expoente) : m(expoente) {
    const int n = 1 << m;
    const int nd2 = n / 2;
    int j = nd2;
    for (int i = 1; i <= n - 1; i++) {
        if (i < j) {
            trocas.push_back(i);
            trocas.push_back(j);
        }
        int k = nd2;
        while (k <= j && k > 0) {
            j -= k;
            k /= 2;
        }
        j += k;
    }
    for (int l = 1; l <= m; l++) {
        const int le2 = (1 << l) / 2;
        float r = 1;
        float i = 0;
        const float sr = std::cos(PI_F / le2);
        const float si = std::sin(-PI_F / le2);
        for (int jj = 1; jj <= le2; jj++) {
            ur.push_back(r);
            ui.push_back(i);
            const float t = r;
            r = t * sr - i * si;
            i = t * si + i * sr;
        }
    }
}

// On x86-64 the stages are built twice, for the baseline and for AVX2
// (twice the doubles a register), and the processor's own picks at load
// time. AVX2 without FMA: the compiler cannot fuse a multiply and an add.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define TAMBEM_AVX2 __attribute__((target_clones("avx2", "default")))
#else
#define TAMBEM_AVX2
#endif

namespace {

// One stage's butterflies, block by block with the twiddle index innermost,
// over contiguous memory, which the compiler vectorises. With the half-block
// size known when compiling (the first stages, of 1, 2 and 4) the inner loop
// unrolls instead of paying its set-up for every one or two butterflies.
template <int LE2>
TAMBEM_AVX2 void etapa(double* rex, float* imx, int n, int le2Variavel, const float* __restrict wr,
                       const float* __restrict wi) {
    const int le2 = LE2 > 0 ? LE2 : le2Variavel;
    for (int bloco = 0; bloco < n; bloco += 2 * le2) {
        double* __restrict reA = rex + bloco;
        double* __restrict reB = reA + le2;
        float* __restrict imA = imx + bloco;
        float* __restrict imB = imA + le2;
        for (int k = 0; k < le2; k++) {
            const float tr = reB[k] * wr[k] - imB[k] * wi[k];
            const float ti = reB[k] * wi[k] + imB[k] * wr[k];
            reB[k] = reA[k] - tr;
            imB[k] = imA[k] - ti;
            reA[k] = reA[k] + tr;
            imA[k] = imA[k] + ti;
        }
    }
}

}  // namespace

TAMBEM_AVX2 void TransformadaFft::transformar(double* rex, float* imx) const {
    for (size_t t = 0; t < trocas.size(); t += 2) {
        std::swap(rex[trocas[t]], rex[trocas[t + 1]]);
        std::swap(imx[trocas[t]], imx[trocas[t + 1]]);
    }
    // The butterflies of one stage are independent of each other.
    const int n = 1 << m;
    for (int l = 1; l <= m; l++) {
        const int le2 = 1 << (l - 1);
        const float* wr = ur.data() + (le2 - 1);
        const float* wi = ui.data() + (le2 - 1);
        switch (le2) {
            case 1: etapa<1>(rex, imx, n, le2, wr, wi); break;
            case 2: etapa<2>(rex, imx, n, le2, wr, wi); break;
            case 4: etapa<4>(rex, imx, n, le2, wr, wi); break;
            default: etapa<0>(rex, imx, n, le2, wr, wi); break;
        }
    }
}
