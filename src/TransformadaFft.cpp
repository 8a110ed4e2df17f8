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

void TransformadaFft::transformar(double* rex, float* imx) const {
    for (size_t t = 0; t < trocas.size(); t += 2) {
        std::swap(rex[trocas[t]], rex[trocas[t + 1]]);
        std::swap(imx[trocas[t]], imx[trocas[t + 1]]);
    }
    // The butterflies of one stage are independent of each other: they run
    // block by block with the twiddle index innermost, over contiguous
    // memory, which the compiler vectorises.
    const int n = 1 << m;
    for (int l = 1; l <= m; l++) {
        const int le2 = 1 << (l - 1);
        const float* __restrict wr = ur.data() + (le2 - 1);
        const float* __restrict wi = ui.data() + (le2 - 1);
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
}
