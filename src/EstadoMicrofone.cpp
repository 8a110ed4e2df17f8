#include "EstadoMicrofone.h"

#include <algorithm>

#include "Relogio.h"

EstadoMicrofone::EstadoMicrofone(bool gravando, std::FILE* console_)
    : situacao(gravando ? FUNCIONANDO : AUSENTE),
      console(console_),
      msSemBuffer(0),
      ultimoBufferMs(-1),
      ultimaLeituraMs(-1) {}

void EstadoMicrofone::registrarLeitura(bool bufferNovo) {
    if (situacao == AUSENTE) return;
    const int agora = Relogio::getMilissegundos();
    std::FILE* saida = console ? console : stdout;
    if (bufferNovo) {
        msSemBuffer = 0;
        ultimoBufferMs = agora;
        if (situacao == PARADO) {
            situacao = FUNCIONANDO;
            std::fprintf(saida, "\nThe microphone is back: your voice is the throttle again.\n");
        }
    } else if (ultimaLeituraMs >= 0) {
        msSemBuffer += std::clamp(agora - ultimaLeituraMs, 0, INTERVALO_MAXIMO_MS);
        if (situacao == FUNCIONANDO && msSemBuffer > LIMITE_SILENCIO_MS) {
            situacao = PARADO;
            std::fprintf(saida, "\nThe microphone has stopped sending sound: hold W for throttle until it comes back.\n");
        }
    }
    ultimaLeituraMs = agora;
}
