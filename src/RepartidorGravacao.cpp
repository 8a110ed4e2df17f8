#include "RepartidorGravacao.h"

#include <algorithm>
#include <cstring>

#include "CapturaAudio.h"

RepartidorGravacao::RepartidorGravacao(const FonteGravacao& origem_)
    : origem(origem_), iniciado(false), respostaInicio(0), ultimo(), geracao(0) {
    for (Ouvinte& o : ouvintes) {
        o.dono = this;
        o.geracaoVista = 0;
    }
}

RepartidorGravacao::~RepartidorGravacao() {}

FonteGravacao RepartidorGravacao::getOuvinte(int ouvinte) {
    FonteGravacao f = {iniciar, ler, &ouvintes[ouvinte], origem.recente};
    return f;
}

CapturaAudio* RepartidorGravacao::criarCaptura(int ouvinte) {
    const FonteGravacao anterior = CapturaAudio::getFonteGravacao();
    CapturaAudio::setFonteGravacao(getOuvinte(ouvinte));
    CapturaAudio* captura = new CapturaAudio(16, 44100);
    CapturaAudio::setFonteGravacao(anterior);
    return captura;
}

int RepartidorGravacao::iniciar(void* dados, int freq, int bits, int stereo) {
    RepartidorGravacao* r = static_cast<Ouvinte*>(dados)->dono;
    if (!r->iniciado) {
        r->respostaInicio = r->origem.iniciar(r->origem.dados, freq, bits, stereo);
        r->iniciado = true;
    }
    return r->respostaInicio;
}

int RepartidorGravacao::ler(void* dados, void* destino, int capacidadeBytes) {
    Ouvinte* o = static_cast<Ouvinte*>(dados);
    RepartidorGravacao* r = o->dono;
    // The library's recorder copies a whole buffer whatever room it is
    // given: the copy holds at least what start answered.
    const size_t tamanho = static_cast<size_t>(std::max(std::max(capacidadeBytes, r->respostaInicio), 0));
    if (r->ultimo.size() < tamanho) r->ultimo.resize(tamanho);
    if (!r->ultimo.empty() &&
        r->origem.ler(r->origem.dados, r->ultimo.data(), static_cast<int>(r->ultimo.size())) > 0) {
        r->geracao++;
    }
    if (o->geracaoVista == r->geracao) return 0;
    o->geracaoVista = r->geracao;
    // Only what a buffer holds: a microphone hands one over every frame, and
    // the room behind it (ten seconds) would be copied for nothing.
    size_t bytes = std::min(r->ultimo.size(), static_cast<size_t>(capacidadeBytes));
    if (r->respostaInicio > 0) bytes = std::min(bytes, static_cast<size_t>(r->respostaInicio));
    std::memcpy(destino, r->ultimo.data(), bytes);
    return 1;
}
