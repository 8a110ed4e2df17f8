#ifndef TRANSFORMADAFFT_H
#define TRANSFORMADAFFT_H

#include <vector>

// The voice analysis's FFT of one size (2^m points, real part in double,
// imaginary part in float, in place). What the straightforward transform
// recomputed in every frame is kept from one frame to the next: the swaps
// of its bit-reversal permutation and, stage by stage, the single-precision
// twiddle factors exactly as the recurrence ur' = ur*sr - ui*si,
// ui' = ur*si + ui*sr produces them. The butterflies keep their arithmetic
// (double products with float twiddles, results rounded to float where the
// types say so; no fused multiply-add, no reassociation), so the spectrum
// is bit for bit the recurrence's.
class TransformadaFft {
public:
    explicit TransformadaFft(int m);

    int getExpoente() const { return m; }
    void transformar(double* rex, float* imx) const;

private:
    int m;
    std::vector<int> trocas;  // pairs (i, j), i < j, swapped in this order
    // Stage l (1..m) uses 2^(l-1) twiddles, starting at index 2^(l-1) - 1.
    std::vector<float> ur;
    std::vector<float> ui;
};

#endif
