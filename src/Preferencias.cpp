#include "Preferencias.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const SENSIBILIDADE = "sensitivity";
const char* const MICROFONE = "microphone";
const char* const ACELERADOR_TECLADO = "keyboard_throttle";
const std::vector<std::string> OPCOES_ACELERADOR = {"without_microphone", "always"};

}  // namespace

Preferencias::Preferencias(std::FILE* console)
    : arquivo(console), sensibilidade(1.0f), microfone("default"), aceleradorTeclado(SEM_MICROFONE) {}

Preferencias::~Preferencias() {}

void Preferencias::carregar(const std::string& caminho) {
    arquivo.carregar(caminho);
    sensibilidade = static_cast<float>(
        arquivo.getNumero(SENSIBILIDADE, 1.0, SENSIBILIDADE_MINIMA, SENSIBILIDADE_MAXIMA));
    microfone = arquivo.getTexto(MICROFONE, "default");
    aceleradorTeclado = static_cast<AceleradorTeclado>(arquivo.getEscolha(ACELERADOR_TECLADO, 0, OPCOES_ACELERADOR));
}

void Preferencias::setSensibilidade(float s) {
    // Two decimals, as the file shows it: what is saved is what plays.
    s = std::round(std::clamp(s, SENSIBILIDADE_MINIMA, SENSIBILIDADE_MAXIMA) * 100.0f) / 100.0f;
    if (s == sensibilidade) return;
    sensibilidade = s;
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.2f", s);
    arquivo.definir(SENSIBILIDADE, texto);
}

void Preferencias::setMicrofone(const std::string& nome) {
    if (nome.empty() || nome == microfone) return;
    microfone = nome;
    arquivo.definir(MICROFONE, nome);
}

void Preferencias::setAceleradorTeclado(AceleradorTeclado a) {
    if (a == aceleradorTeclado) return;
    aceleradorTeclado = a;
    arquivo.definir(ACELERADOR_TECLADO, OPCOES_ACELERADOR[a]);
}
