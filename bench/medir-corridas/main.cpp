// medir-corridas [RACES [FIRST_SEED]] [--city N]
// medir-corridas --levels [RACES]
// medir-corridas --medals [RACES] [--city N]
//
// Can a race always be finished, in every city? For each city of the
// generated list (or city N alone) it prints the route's length, then plays
// RACES seeded races (200 by default) with the game's own logic, each from
// the main menu to the finish:
//  - a driver who follows the route with the throttle open (W, no
//    microphone) in the best gear: the share finished and the median time,
//    what a good driver needs;
//  - a careless driver who ignores the traffic (Piloto), the throttle the
//    engine buzz in the microphone, for each of three gear policies: first
//    gear only, up to second, and the best gear (the one that pulls hardest
//    at the speed, up to third). For each policy it prints the share of
//    races finished within 3 minutes of race time, the median race time,
//    the knocks into neutral, the pile-ups (three or more cars touching the
//    player's), the traffic cars seen per race and per minute, and where
//    every lost race ended.
// The keys are written as a player holds them, the clock moves 40 ms per
// frame.
//
// --levels: how the microphone's level decides the race (city 1). The same
// buzz peaking at -30, -24, -18, -12 and -6 dBFS drives RACES races (10 by
// default) in the best gear at sensitivity 1, and again after one
// calibration on the microphone check page with that buzz; then W (no
// microphone) for comparison. Prints the finished share and median time of
// each, and the sensitivity each calibration set.
//
// --medals: the reference run each city's medal times are set from: RACES
// races (20 by default) following the city's route at full throttle (W
// held, no microphone) in the best gear; prints their median and fastest
// time and the medal times that follow (gold 5 % over the median, silver
// 20 %, bronze 50 %), for the asset generator's medal files.
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
#include "CaminhosAssets.h"
#include "Cronometro.h"
#include "JogoSemTela.h"
#include "ListaCidades.h"
#include "LogicaColisao.h"
#include "LogicaNPC.h"
#include "Piloto.h"
#include "Pintor.h"

namespace fs = std::filesystem;

namespace {

const int QUADROS_LIMITE = 3 * 60 * 25;  // 3 minutes of race time for a route as long as city 1's
const float COMPRIMENTO_1 = Piloto(Piloto::MELHOR).getComprimento();
const int QUADROS_SEM_AVANCO = 30 * 25;  // a lost race "pinned": no ground in its last 30 s
const int TILE = 64;

struct Resultado {
    unsigned semente = 0;
    bool terminou = false;
    int ms = 0;
    int batidas = 0;  // times a collision threw the player's car into neutral
    int pilhas = 0;   // times the player's car came to touch three or more cars
    int vistos = 0;   // traffic cars that came into the player's 800 x 600 view
    int quadros = 0;  // race frames
    // Where a lost race ended.
    int coluna = 0, linha = 0, marcha = 0, tocando = 0;
    float avanco = 0;  // how far the car got from where it was 30 s before, in pixels
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

Resultado correr(const fs::path& arvore, unsigned semente, Piloto::Politica politica, Voz* voz = nullptr,
                 const ListaCidades::Cidade& cidade = ListaCidades::Cidade()) {
    Resultado r;
    r.semente = semente;
    JogoSemTela jogo(semente, voz ? voz->som : nullptr);
    for (const char* pasta : {"mapas", "dados"}) {
        fs::create_directory_symlink(arvore / pasta, jogo.dir.getCaminho() / pasta);
    }
    jogo.logica->carregarCidades(CaminhosAssets::cidades());
    jogo.logica->getCidades().escolherMapa(cidade.mapa);
    Piloto piloto = cidade.rota.empty() ? Piloto(politica) : Piloto(politica, cidade.rota);
    // A longer route has longer to be finished in.
    const int limite = static_cast<int>(QUADROS_LIMITE * std::max(1.0f, piloto.getComprimento() / COMPRIMENTO_1));
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

    std::vector<Vetor> progresso;  // where the car was in every race frame
    std::vector<bool> visto;       // by traffic slot, since the car entered
    int marchaAntes = 0, contatosAntes = 0;
    for (int quadros = 0; quadros < 200 + limite; quadros++) {
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
        r.quadros++;
        const int marcha = jogador->getMarcha();
        r.batidas += marcha == 0 && marchaAntes != 0;
        marchaAntes = marcha;
        r.pilhas += jogador->colidiu > 2 && contatosAntes <= 2;
        contatosAntes = jogador->colidiu;
        progresso.push_back(jogador->getPosicao());

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
        if (static_cast<int>(progresso.size()) >= limite) {
            const Vetor p = jogador->getPosicao();
            r.coluna = static_cast<int>(p.getY()) / TILE;
            r.linha = static_cast<int>(p.getX()) / TILE;
            r.marcha = marcha;
            r.tocando = jogador->colidiu;
            const Vetor antes = progresso[progresso.size() - QUADROS_SEM_AVANCO];
            r.avanco = std::hypot(progresso.back().getX() - antes.getX(), progresso.back().getY() - antes.getY());
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

std::vector<int> tempos(const fs::path& arvore, int corridas, Voz& voz,
                        const ListaCidades::Cidade& cidade = ListaCidades::Cidade(), unsigned primeira = 1) {
    std::vector<int> t;
    for (int i = 0; i < corridas; i++) {
        Calado calado;
        const Resultado r = correr(arvore, primeira + static_cast<unsigned>(i), Piloto::MELHOR, &voz, cidade);
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

int medirMedalhas(const fs::path& arvore, int corridas, const ListaCidades::Cidade& cidade) {
    const std::vector<int16_t> nada;
    Voz teclado{&nada, false};
    std::vector<int> t = tempos(arvore, corridas, teclado, cidade);
    std::printf("\ncity %d, %s: ", cidade.mapa, cidade.nome.c_str());
    if (t.empty()) return std::printf("no race finished\n"), 1;
    const double m = mediana(t);
    std::printf("following the route, full throttle, best gear: %s, fastest %.2f s\n", resumo(t, corridas).c_str(),
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
    int soCidade = 0;
    if (argc > 2 && std::string(argv[argc - 2]) == "--city") {
        soCidade = std::atoi(argv[argc - 1]);
        argc -= 2;
    }
    const int corridas = argc > 1 ? std::atoi(argv[1]) : niveis ? 10 : medalhas ? 20 : 200;
    const unsigned primeira = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    const fs::path arvore = fs::absolute(arvoreDeRecursos(argv[0]));
    if (corridas <= 0 || !fs::exists(arvore / "mapas" / "1trans.txt")) {
        std::fprintf(stderr,
                     "usage: medir-corridas [RACES [FIRST_SEED]] [--city N]\n"
                     "       medir-corridas --levels [RACES]\n"
                     "       medir-corridas --medals [RACES] [--city N]\n"
                     "  needs the generated asset tree at %s (build the assets, or set RONCO_JOGO)\n",
                     arvore.c_str());
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, std::atexit) != 0) {
        std::fprintf(stderr, "medir-corridas: the library did not start\n");
        return 1;
    }
    if (niveis) return medirNiveis(arvore, corridas);

    ListaCidades lista;
    {
        DiretorioTemporario aqui;
        fs::create_directory_symlink(arvore / "mapas", "mapas");
        lista.carregar(CaminhosAssets::cidades());
    }
    if (medalhas) {
        int falhas = 0;
        for (int k = 0; k < lista.getQuantidade(); k++)
            if (soCidade <= 0 || lista.getCidade(k).mapa == soCidade)
                falhas += medirMedalhas(arvore, corridas, lista.getCidade(k));
        return falhas > 0;
    }
    std::printf("%d races each, seeds %u to %u, on %s\n", corridas, primeira, primeira + corridas - 1, arvore.c_str());
    const float comprimento1 = Piloto(Piloto::MELHOR, lista.getCidade(0).rota).getComprimento();
    for (int k = 0; k < lista.getQuantidade(); k++) {
        const ListaCidades::Cidade& cidade = lista.getCidade(k);
        if (soCidade > 0 && cidade.mapa != soCidade) continue;
        const float comprimento = Piloto(Piloto::MELHOR, cidade.rota).getComprimento();
        std::printf("\ncity %d, %s: route %.0f px (%.2f x city 1's), %d traffic cars, %ld ms between two at a start\n",
                    cidade.mapa, cidade.nome.c_str(), comprimento, comprimento / comprimento1, cidade.carros,
                    cidade.esperaTransito);
        const std::vector<int16_t> semMicrofone;
        Voz teclado{&semMicrofone, false};
        const std::vector<int> rota = tempos(arvore, corridas, teclado, cidade, primeira);
        std::printf("following the route, W held, best gear: %s\n", resumo(rota, corridas).c_str());
        std::printf("a driver who ignores the traffic, the engine buzz as the throttle:\n");
        std::printf("%-12s %18s %9s %12s %11s %10s %9s %7s\n", "policy", "finished in time", "median", "knocks/race",
                    "piles/race", "seen/race", "seen/min", "pinned");
        std::vector<std::pair<Piloto::Politica, Resultado>> perdidas;
        for (Piloto::Politica politica : {Piloto::PRIMEIRA, Piloto::SEGUNDA, Piloto::MELHOR}) {
            std::vector<int> tempos;
            long batidas = 0, pilhas = 0, vistos = 0, quadros = 0;
            int presos = 0;
            for (int i = 0; i < corridas; i++) {
                Resultado r;
                {
                    Calado calado;
                    r = correr(arvore, primeira + i, politica, nullptr, cidade);
                }
                batidas += r.batidas;
                pilhas += r.pilhas;
                vistos += r.vistos;
                quadros += r.quadros;
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
            std::printf("%-12s %18s %7.1f s %12.2f %11.2f %10.1f %9.1f %7d\n", Piloto::nome(politica), terminadas,
                        mediana(tempos) / 1000.0, static_cast<double>(batidas) / corridas,
                        static_cast<double>(pilhas) / corridas, static_cast<double>(vistos) / corridas,
                        vistos * 1500.0 / std::max(quadros, 1L), presos);
            std::fflush(stdout);
        }
        for (const auto& [politica, r] : perdidas) {
            std::printf(
                "lost: %s, seed %u: column %d, row %d, gear %d, touching %d cars, %.0f px from where it was "
                "30 s before%s\n",
                Piloto::nome(politica), r.semente, r.coluna, r.linha, r.marcha, r.tocando, r.avanco,
                preso(r) ? " (pinned)" : "");
        }
    }
    return 0;
}
