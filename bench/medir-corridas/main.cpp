// medir-corridas [RACES [FIRST_SEED]]
// medir-corridas --levels [RACES]
// medir-corridas --medals [RACES]
//
// Can a race always be finished? Plays RACES seeded races (200 by default)
// with the game's own logic on the generated city, each from the main menu
// to the finish, for each of three gear policies of a driver who ignores the
// traffic (Piloto): first gear only, up to second, and the best gear (the
// one that pulls hardest at the speed, up to third). The throttle is the
// engine buzz in the microphone, the keys are written as a player holds
// them, the clock moves 40 ms per frame. For each policy it prints the share
// of races finished within 3 minutes of race time, the median race time,
// the knocks into neutral, the pile-ups (three or more cars touching the
// player's) and the traffic cars seen per race, and where every lost race
// ended.
//
// --levels: how the microphone's level decides the race. The same buzz
// peaking at -30, -24, -18, -12 and -6 dBFS drives RACES races (10 by
// default) in the best gear at sensitivity 1, and again after one
// calibration on the microphone check page with that buzz; then W (no
// microphone) for comparison. Prints the finished share and median time of
// each, and the sensitivity each calibration set.
//
// --medals: the reference run the medal times are set from: RACES races (20
// by default) at full throttle (W held, no microphone) in the best gear;
// prints their median and fastest time and the medal times that follow
// (gold 5 % over the median, silver 20 %, bronze 50 %), for the asset
// generator's medal file.
//
// Runs on the asset tree ../jogo beside this program's folder (build/jogo),
// or where RONCO_JOGO points; records are written in a scratch directory.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "CalibracaoVoz.h"
#include "Cronometro.h"
#include "JogoSemTela.h"
#include "LogicaColisao.h"
#include "LogicaNPC.h"
#include "Piloto.h"
#include "Pintor.h"

namespace fs = std::filesystem;

namespace {

const int QUADROS_LIMITE = 3 * 60 * 25;  // 3 minutes of race time
const int QUADROS_SEM_AVANCO = 30 * 25;  // a lost race "pinned": no ground in its last 30 s
const int TILE = 64;

struct Resultado {
    unsigned semente = 0;
    bool terminou = false;
    int ms = 0;
    int batidas = 0;  // times a collision threw the player's car into neutral
    int pilhas = 0;   // times the player's car came to touch three or more cars
    int vistos = 0;   // traffic cars that came into the player's 800 x 600 view
    // Where a lost race ended.
    int coluna = 0, linha = 0, marcha = 0, tocando = 0;
    float avanco = 0;  // pixels gained towards the finish in the last 30 s
};

fs::path arvoreDeRecursos(const char* programa) {
    if (const char* env = std::getenv("RONCO_JOGO")) return env;
    std::error_code erro;
    fs::path exe = fs::read_symlink("/proc/self/exe", erro);
    if (erro) exe = fs::absolute(programa);
    return exe.parent_path().parent_path() / "jogo";
}

// While the game logic runs, stdout (the traffic's insertion lines) goes to
// /dev/null; the report is written in between.
class Calado {
public:
    Calado() : salvo(dup(1)) {
        std::fflush(stdout);
        std::FILE* nulo = std::fopen("/dev/null", "w");
        dup2(fileno(nulo), 1);
        std::fclose(nulo);
    }
    ~Calado() {
        std::fflush(stdout);
        dup2(salvo, 1);
        close(salvo);
    }

private:
    int salvo;
};

bool naVista(const Carro& carro, Vetor canto) {
    const Vetor p = carro.getPosicao();
    return p.getY() >= canto.getX() && p.getY() < canto.getX() + Pintor::LARGURA_TELA && p.getX() >= canto.getY() &&
           p.getX() < canto.getY() + Pintor::ALTURA_TELA;
}

// What the player's voice is: the microphone's sound (nullptr: the loud
// buzz; empty: no microphone, W held all race), calibrated first or not.
struct Voz {
    const std::vector<int16_t>* som = nullptr;
    bool calibrar = false;
    float sensibilidade = 1.0f;  // what the calibration set
};

Resultado correr(const fs::path& arvore, unsigned semente, Piloto::Politica politica, Voz* voz = nullptr) {
    Resultado r;
    r.semente = semente;
    JogoSemTela jogo(semente, voz ? voz->som : nullptr);
    for (const char* pasta : {"mapas", "dados"}) {
        fs::create_directory_symlink(arvore / pasta, jogo.dir.getCaminho() / pasta);
    }
    const Piloto piloto(politica);
    jogo.quadro();
    if (voz && voz->calibrar) {
        // The microphone check: C, three seconds of roaring, Back.
        jogo.clicar(723, 222);
        JogoSemTela::apertar(KEY_C);
        for (int i = 0; i < CalibracaoVoz::QUADROS + 5; i++) jogo.quadro(), JogoSemTela::apertar(KEY_C, false);
        jogo.clicar(155, 567);
        jogo.quadro();
    }
    if (voz) voz->sensibilidade = jogo.logica->getPreferencias().getSensibilidade();
    const bool teclado = voz && voz->som && voz->som->empty();
    JogoSemTela::apertar(KEY_W, teclado);
    jogo.clicar(344, 374);  // Play

    std::vector<float> progresso;  // the car's y in every race frame
    std::vector<bool> visto;       // by traffic slot, since the car entered
    int marchaAntes = 0, contatosAntes = 0;
    for (int quadros = 0; quadros < 200 + QUADROS_LIMITE; quadros++) {
        if (Carro* c = jogo.jogador()) piloto.dirigir(*c);
        const Quadro q = jogo.quadro();
        if (q.estado == finalizando) {
            r.terminou = true;
            r.ms = jogo.logica->getTimer()->getTotalTime();
            jogo.quadro();  // the record, and back to the menu
            break;
        }
        if (q.estado != jogando || q.subEstado != 11) continue;

        Carro* jogador = jogo.jogador();
        const int marcha = jogador->getMarcha();
        r.batidas += marcha == 0 && marchaAntes != 0;
        marchaAntes = marcha;
        r.pilhas += jogador->colidiu > 2 && contatosAntes <= 2;
        contatosAntes = jogador->colidiu;
        progresso.push_back(jogador->getPosicao().getY());

        LogicaNPC* npc = jogo.logica->getNPC();
        LogicaColisao* colisao = jogo.logica->getColisao();
        const Vetor canto = Pintor::calcularCantoVista(
            Vetor(jogador->getPosicao().getY(), jogador->getPosicao().getX()),
            Vetor(static_cast<float>(colisao->getLargura() * TILE), static_cast<float>(colisao->getAltura() * TILE)));
        visto.resize(npc->getMaxCarros());
        for (int i = 0; i < npc->getMaxCarros(); i++) {
            if (npc->isEstacionado(i)) {
                visto[i] = false;
            } else if (!visto[i] && naVista(*npc->getCarro(i), canto)) {
                visto[i] = true;
                r.vistos++;
            }
        }
        if (static_cast<int>(progresso.size()) >= QUADROS_LIMITE) {
            const Vetor p = jogador->getPosicao();
            r.coluna = static_cast<int>(p.getY()) / TILE;
            r.linha = static_cast<int>(p.getX()) / TILE;
            r.marcha = marcha;
            r.tocando = jogador->colidiu;
            r.avanco = progresso.back() - progresso[progresso.size() - QUADROS_SEM_AVANCO];
            break;
        }
    }
    return r;
}

double mediana(std::vector<int> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2.0;
}

bool preso(const Resultado& r) { return r.avanco < TILE; }

// "8/10, 41.3 s" for a set of races.
std::string resumo(const std::vector<int>& tempos, int corridas) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%zu/%d, %.1f s", tempos.size(), corridas, mediana(tempos) / 1000.0);
    return tempos.empty() ? std::to_string(0) + "/" + std::to_string(corridas) : texto;
}

std::vector<int> tempos(const fs::path& arvore, int corridas, Voz& voz) {
    std::vector<int> t;
    for (int i = 0; i < corridas; i++) {
        Calado calado;
        const Resultado r = correr(arvore, static_cast<unsigned>(i + 1), Piloto::MELHOR, &voz);
        if (r.terminou) t.push_back(r.ms);
    }
    return t;
}

int medirNiveis(const fs::path& arvore, int corridas) {
    std::printf("%d races each, best gear, a driver who ignores the traffic; finished in 3 min and median time\n",
                corridas);
    std::printf("| Buzz peak | At sensitivity 1 | Calibrated to | After calibration |\n|---|---|---|---|\n");
    for (int db : {-30, -24, -18, -12, -6}) {
        const std::vector<int16_t> som = SinaisSintetizados::ronco(10, db);
        Voz simples{&som, false}, calibrada{&som, true};
        const std::string a = resumo(tempos(arvore, corridas, simples), corridas);
        const std::string b = resumo(tempos(arvore, corridas, calibrada), corridas);
        std::printf("| %d dBFS | %s | x%.2f | %s |\n", db, a.c_str(), calibrada.sensibilidade, b.c_str());
        std::fflush(stdout);
    }
    const std::vector<int16_t> nada;
    Voz teclado{&nada, false};
    std::printf("| W key, no microphone | %s | | |\n", resumo(tempos(arvore, corridas, teclado), corridas).c_str());
    return 0;
}

int medirMedalhas(const fs::path& arvore, int corridas) {
    const std::vector<int16_t> nada;
    Voz teclado{&nada, false};
    std::vector<int> t = tempos(arvore, corridas, teclado);
    if (t.empty()) return 1;
    const double m = mediana(t);
    std::printf("full throttle, best gear: %s, fastest %.2f s\n", resumo(t, corridas).c_str(),
                *std::min_element(t.begin(), t.end()) / 1000.0);
    // To the tenth of a second, as a player reads them.
    auto alvo = [m](double fator) { return std::lround(m * fator / 100) * 100; };
    std::printf("median %.0f ms\ngold %ld\nsilver %ld\nbronze %ld\n", m, alvo(1.05), alvo(1.20), alvo(1.50));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string modo = argc > 1 ? argv[1] : "";
    const bool niveis = modo == "--levels", medalhas = modo == "--medals";
    if (niveis || medalhas) argv++, argc--;
    const int corridas = argc > 1 ? std::atoi(argv[1]) : niveis ? 10 : medalhas ? 20 : 200;
    const unsigned primeira = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    const fs::path arvore = fs::absolute(arvoreDeRecursos(argv[0]));
    if (corridas <= 0 || !fs::exists(arvore / "mapas" / "1trans.txt")) {
        std::fprintf(stderr,
                     "usage: medir-corridas [RACES [FIRST_SEED]]\n"
                     "       medir-corridas --levels [RACES]\n"
                     "       medir-corridas --medals [RACES]\n"
                     "  needs the generated asset tree at %s (build the assets, or set RONCO_JOGO)\n",
                     arvore.c_str());
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, std::atexit) != 0) {
        std::fprintf(stderr, "medir-corridas: the library did not start\n");
        return 1;
    }
    if (niveis) return medirNiveis(arvore, corridas);
    if (medalhas) return medirMedalhas(arvore, corridas);

    std::printf("%d races per gear policy, seeds %u to %u, on %s; a driver who ignores the traffic\n", corridas,
                primeira, primeira + corridas - 1, arvore.c_str());
    std::printf("%-12s %18s %9s %12s %11s %10s %7s\n", "policy", "finished in 3 min", "median", "knocks/race",
                "piles/race", "seen/race", "pinned");
    std::vector<std::pair<Piloto::Politica, Resultado>> perdidas;
    for (Piloto::Politica politica : {Piloto::PRIMEIRA, Piloto::SEGUNDA, Piloto::MELHOR}) {
        std::vector<int> tempos;
        long batidas = 0, pilhas = 0, vistos = 0;
        int presos = 0;
        for (int i = 0; i < corridas; i++) {
            Resultado r;
            {
                Calado calado;
                r = correr(arvore, primeira + i, politica);
            }
            batidas += r.batidas;
            pilhas += r.pilhas;
            vistos += r.vistos;
            if (r.terminou) {
                tempos.push_back(r.ms);
            } else {
                perdidas.push_back({politica, r});
                presos += preso(r);
            }
        }
        char terminadas[64];
        std::snprintf(terminadas, sizeof terminadas, "%zu/%d %.1f %%", tempos.size(), corridas,
                      100.0 * tempos.size() / corridas);
        std::printf("%-12s %18s %7.1f s %12.2f %11.2f %10.1f %7d\n", Piloto::nome(politica), terminadas,
                    mediana(tempos) / 1000.0, static_cast<double>(batidas) / corridas,
                    static_cast<double>(pilhas) / corridas, static_cast<double>(vistos) / corridas, presos);
        std::fflush(stdout);
    }
    for (const auto& [politica, r] : perdidas) {
        std::printf(
            "lost: %s, seed %u: column %d, row %d, gear %d, touching %d cars, %.0f px gained in the last "
            "30 s%s\n",
            Piloto::nome(politica), r.semente, r.coluna, r.linha, r.marcha, r.tocando, r.avanco,
            preso(r) ? " (pinned)" : "");
    }
    return 0;
}
