#include "FonteMemoria.h"

#include <algorithm>
#include <cstring>

#include "Relogio.h"

FonteMemoria::FonteMemoria(const std::vector<uint16_t>& amostras_, int bytesPorBuffer_, int leiturasPorBuffer_,
                           bool repetir_)
    : amostras(amostras_), continuo(false), inicioMs(0), entregueAte(0),
      bytesPorBuffer(bytesPorBuffer_ > 0 ? bytesPorBuffer_ : 0),
      leiturasPorBuffer(leiturasPorBuffer_ > 0 ? leiturasPorBuffer_ : 1), repetir(repetir_),
      respostaInicio(bytesPorBuffer), parada(false), leituras(0), entregues(0) {}

FonteMemoria::~FonteMemoria() {}

FonteMemoria FonteMemoria::continua(const std::vector<uint16_t>& amostras, bool repetir, int bytesPorBuffer) {
    FonteMemoria f(amostras, bytesPorBuffer, 1, repetir);
    f.continuo = true;
    return f;
}

FonteGravacao FonteMemoria::getFonte() {
    FonteGravacao f = {iniciar, ler, this, continuo};
    return f;
}

int FonteMemoria::lerContinua(uint16_t* destino, int capacidadeBytes) {
    const int ms = Relogio::getMilissegundos();
    if (leituras == 1) inicioMs = ms - 40;
    const long long tamanho = static_cast<long long>(amostras.size());
    long long agora = static_cast<long long>(ms - inicioMs) * 441 / 10;
    if (!repetir) agora = std::min(agora, tamanho);
    if (tamanho == 0 || agora <= entregueAte) return 0;
    entregueAte = agora;
    // In runs: silence before the start, then the sound, going round.
    const int n = std::min(bytesPorBuffer, capacidadeBytes) / 2;
    int i = 0;
    for (; i < n && agora - n + i < 0; i++) destino[i] = 32768;
    while (i < n) {
        const long long t = (agora - n + i) % tamanho;
        const int pedaco = static_cast<int>(std::min<long long>(n - i, tamanho - t));
        std::memcpy(destino + i, amostras.data() + t, static_cast<size_t>(pedaco) * 2);
        i += pedaco;
    }
    entregues++;
    return 1;
}

int FonteMemoria::getBuffersInteiros() const {
    int amostrasPorBuffer = bytesPorBuffer / 2;
    if (amostrasPorBuffer == 0) return 0;
    return static_cast<int>(amostras.size() / amostrasPorBuffer);
}

int FonteMemoria::iniciar(void* dados, int, int, int) { return static_cast<FonteMemoria*>(dados)->respostaInicio; }

int FonteMemoria::ler(void* dados, void* destino, int capacidadeBytes) {
    FonteMemoria* f = static_cast<FonteMemoria*>(dados);
    if (f->parada) return 0;
    if (f->continuo) {
        f->leituras++;
        return f->lerContinua(static_cast<uint16_t*>(destino), capacidadeBytes);
    }
    int leitura = f->leituras++;
    if (leitura % f->leiturasPorBuffer != 0) return 0;
    int inteiros = f->getBuffersInteiros();
    if (inteiros == 0) return 0;
    int indice = leitura / f->leiturasPorBuffer;
    if (indice >= inteiros) {
        if (!f->repetir) return 0;
        indice %= inteiros;
    }
    int bytes = f->bytesPorBuffer - f->bytesPorBuffer % 2;
    if (bytes > capacidadeBytes) bytes = capacidadeBytes;
    std::memcpy(destino, f->amostras.data() + static_cast<size_t>(indice) * (f->bytesPorBuffer / 2), bytes);
    f->entregues++;
    return 1;
}
