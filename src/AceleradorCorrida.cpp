#include "AceleradorCorrida.h"

#include "AceleradorVoz.h"
#include "CapturaAudio.h"
#include "Preferencias.h"
#include "VerificadorMicrofone.h"

AceleradorCorrida::AceleradorCorrida() : pelaTecla(false), quadrosBaixos(0), quadrosDica(0), dicaDada(false) {}

void AceleradorCorrida::iniciarCorrida() { *this = AceleradorCorrida(); }

float AceleradorCorrida::calcular(const CapturaAudio& c, bool ronco, const Preferencias& p, bool teclaW) {
    const bool vozAtiva = c.isVozAtiva();
    const float voz =
        vozAtiva ? AceleradorVoz::calcular(ronco, c.getMediaA(), c.getNivelRonco(), p.getSensibilidade()) : 0.0f;
    pelaTecla = !vozAtiva || c.getEstadoMicrofone().isSoSilencio();
    // A pause in the roar neither counts nor starts over.
    if (ronco) quadrosBaixos = voz < VerificadorMicrofone::getInicioTracao(3) ? quadrosBaixos + 1 : 0;
    if (quadrosDica > 0) quadrosDica--;
    if (!dicaDada && quadrosBaixos >= QUADROS_ATE_DICA) {
        dicaDada = true;
        quadrosDica = QUADROS_DICA;
    }
    const bool tecla = pelaTecla || p.getAceleradorTeclado() == Preferencias::SEMPRE;
    return tecla && teclaW ? 1.0f : voz;
}
