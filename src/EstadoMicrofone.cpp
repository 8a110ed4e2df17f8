#include "EstadoMicrofone.h"

#include <algorithm>

#include "Relogio.h"

EstadoMicrofone::EstadoMicrofone(bool gravando, std::FILE* console_)
    : situacao(gravando ? FUNCIONANDO : AUSENTE), console(console_), msSemBuffer(0), ultimoBufferMs(-1),
      ultimaLeituraMs(-1), msSoZeros(0), silencioDito(false) {}

void EstadoMicrofone::registrarLeitura(bool bufferNovo, bool soZeros) {
    if (situacao == AUSENTE) return;
    const int agora = Relogio::getMilissegundos();
    std::FILE* saida = console ? console : stdout;
    const int passo = ultimaLeituraMs < 0 ? 0 : std::clamp(agora - ultimaLeituraMs, 0, INTERVALO_MAXIMO_MS);
    if (bufferNovo) {
        msSoZeros = soZeros ? msSoZeros + passo : 0;
        if (isSoSilencio() && !silencioDito) {
            silencioDito = true;
            std::fprintf(saida,
                         "\nThe microphone sends only silence (muted, or nothing connected to it): "
                         "W gives gas until it sends sound.\n");
        }
        msSemBuffer = 0;
        ultimoBufferMs = agora;
        if (situacao == PARADO) {
            situacao = FUNCIONANDO;
            std::fprintf(saida, "\nThe microphone is back: your voice is the throttle again.\n");
        }
    } else if (ultimaLeituraMs >= 0) {
        msSemBuffer += passo;
        if (situacao == FUNCIONANDO && msSemBuffer > LIMITE_SILENCIO_MS) {
            situacao = PARADO;
            std::fprintf(saida,
                         "\nThe microphone has stopped sending sound: hold W for throttle until it comes back.\n");
        }
    }
    ultimaLeituraMs = agora;
}
