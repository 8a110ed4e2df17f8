#include "Preferencias.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const SENSIBILIDADE = "sensitivity";
const char* const MICROFONE = "microphone";
const char* const ACELERADOR_TECLADO = "keyboard_throttle";
const std::vector<std::string> OPCOES_ACELERADOR = {"without_microphone", "always"};
const char* const ESCALA = "scale";
const std::vector<std::string> OPCOES_ESCALA = {"auto", "1", "2", "3"};
const char* const TELA_CHEIA = "fullscreen";
const char* const PIXEL_PERFEITO = "pixel_perfect";
const std::vector<std::string> OPCOES_SIM_NAO = {"false", "true"};
const char* const MUSICA = "music";
const std::vector<std::string> OPCOES_MUSICA = {"off", "on"};
const char* const VOLUME_MUSICA = "music_volume";
const char* const FANTASMA = "ghost";
const char* const CALIBRACAO = "calibration";
const std::vector<std::string> OPCOES_CALIBRACAO = {"none", "done", "skipped"};
const char* const CIDADE = "city";

// A setting takes a new value, and the file the text for it, only when it
// changes: an unchanged setting never rewrites the file.
template <class T>
void mudar(Configuracoes& arquivo, T& atual, T novo, const char* chave, const std::string& texto) {
    if (novo == atual) return;
    atual = novo;
    arquivo.definir(chave, texto);
}

}  // namespace

Preferencias::Preferencias(std::FILE* console)
    : arquivo(console), sensibilidade(1.0f), microfone("default"), aceleradorTeclado(SEM_MICROFONE), escala(0),
      telaCheia(false), pixelPerfeito(false), musica(true), volumeMusica(100), cidade(1), fantasma(true),
      calibracao(CALIBRACAO_NENHUMA) {}

Preferencias::~Preferencias() {}

void Preferencias::carregar(const std::string& caminho) {
    arquivo.carregar(caminho);
    sensibilidade =
        static_cast<float>(arquivo.getNumero(SENSIBILIDADE, 1.0, SENSIBILIDADE_MINIMA, SENSIBILIDADE_MAXIMA));
    microfone = arquivo.getTexto(MICROFONE, "default");
    aceleradorTeclado = static_cast<AceleradorTeclado>(arquivo.getEscolha(ACELERADOR_TECLADO, 0, OPCOES_ACELERADOR));
    escala = arquivo.getEscolha(ESCALA, 0, OPCOES_ESCALA);
    telaCheia = arquivo.getEscolha(TELA_CHEIA, 0, OPCOES_SIM_NAO) == 1;
    pixelPerfeito = arquivo.getEscolha(PIXEL_PERFEITO, 0, OPCOES_SIM_NAO) == 1;
    musica = arquivo.getEscolha(MUSICA, 1, OPCOES_MUSICA) == 1;
    volumeMusica = static_cast<int>(std::lround(arquivo.getNumero(VOLUME_MUSICA, 100, 0, 100)));
    cidade = static_cast<int>(std::lround(arquivo.getNumero(CIDADE, 1, 1, 99)));
    fantasma = arquivo.getEscolha(FANTASMA, 1, OPCOES_MUSICA) == 1;
    const bool sensibilidadeSalva = arquivo.getValor(SENSIBILIDADE) != nullptr;
    calibracao = static_cast<Calibracao>(
        arquivo.getEscolha(CALIBRACAO, sensibilidadeSalva ? CALIBRACAO_FEITA : CALIBRACAO_NENHUMA, OPCOES_CALIBRACAO));
}

void Preferencias::setSensibilidade(float s) {
    // Two decimals, as the file shows it: what is saved is what plays.
    s = std::round(std::clamp(s, SENSIBILIDADE_MINIMA, SENSIBILIDADE_MAXIMA) * 100.0f) / 100.0f;
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.2f", s);
    mudar(arquivo, sensibilidade, s, SENSIBILIDADE, texto);
}

void Preferencias::setMicrofone(const std::string& nome) {
    if (!nome.empty()) mudar(arquivo, microfone, nome, MICROFONE, nome);
}

void Preferencias::setAceleradorTeclado(AceleradorTeclado a) {
    mudar(arquivo, aceleradorTeclado, a, ACELERADOR_TECLADO, OPCOES_ACELERADOR[a]);
}

void Preferencias::setEscala(int e) {
    e = std::clamp(e, 0, 3);
    mudar(arquivo, escala, e, ESCALA, OPCOES_ESCALA[e]);
}

void Preferencias::setTelaCheia(bool sim) { mudar(arquivo, telaCheia, sim, TELA_CHEIA, OPCOES_SIM_NAO[sim]); }

void Preferencias::setPixelPerfeito(bool sim) {
    mudar(arquivo, pixelPerfeito, sim, PIXEL_PERFEITO, OPCOES_SIM_NAO[sim]);
}

void Preferencias::setMusicaLigada(bool sim) { mudar(arquivo, musica, sim, MUSICA, OPCOES_MUSICA[sim]); }

void Preferencias::setVolumeMusica(int v) {
    v = std::clamp(v, 0, 100);
    mudar(arquivo, volumeMusica, v, VOLUME_MUSICA, std::to_string(v));
}

void Preferencias::setCidade(int c) {
    c = std::clamp(c, 1, 99);
    mudar(arquivo, cidade, c, CIDADE, std::to_string(c));
}

void Preferencias::setFantasmaLigado(bool sim) { mudar(arquivo, fantasma, sim, FANTASMA, OPCOES_MUSICA[sim]); }
void Preferencias::setCalibracao(Calibracao c) { mudar(arquivo, calibracao, c, CALIBRACAO, OPCOES_CALIBRACAO[c]); }
