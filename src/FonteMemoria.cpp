#include "FonteMemoria.h"

#include <cstring>

FonteMemoria::FonteMemoria(const std::vector<uint16_t>& amostras_, int bytesPorBuffer_,
                           int leiturasPorBuffer_, bool repetir_)
    : amostras(amostras_),
      bytesPorBuffer(bytesPorBuffer_ > 0 ? bytesPorBuffer_ : 0),
      leiturasPorBuffer(leiturasPorBuffer_ > 0 ? leiturasPorBuffer_ : 1),
      repetir(repetir_),
      respostaInicio(bytesPorBuffer),
      parada(false),
      leituras(0),
      entregues(0) {}

FonteMemoria::~FonteMemoria() {}

FonteGravacao FonteMemoria::getFonte() {
    FonteGravacao f = {iniciar, ler, this};
    return f;
}

int FonteMemoria::getBuffersInteiros() const {
    int amostrasPorBuffer = bytesPorBuffer / 2;
    if (amostrasPorBuffer == 0) return 0;
    return static_cast<int>(amostras.size() / amostrasPorBuffer);
}

int FonteMemoria::iniciar(void* dados, int, int, int) {
    return static_cast<FonteMemoria*>(dados)->respostaInicio;
}

int FonteMemoria::ler(void* dados, void* destino, int capacidadeBytes) {
    FonteMemoria* f = static_cast<FonteMemoria*>(dados);
    if (f->parada) return 0;
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
