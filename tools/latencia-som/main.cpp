// The instruments of scripts/medir-latencia.sh, which times how late the
// game's voice detector hears an engine buzz that starts and stops. Every
// time they give is in ms on one monotonic clock, so the logs of the sound's
// writer, of the sound server's own recording and of the game's console can
// be set side by side.
//
//   latencia-som stamp
//       copies stdin to stdout, each line preceded by the time it arrived
//   latencia-som play BUZZ BURSTS LOG PIPE
//       writes raw sound (signed 16-bit mono, 44100 Hz) into the named pipe
//       PIPE in 10 ms blocks at real-time pace: silence until SIGUSR1, then
//       BURSTS times 2.5 s of the raw file BUZZ and 2.5 s of silence, then
//       silence until ended; LOG gets "TIME start K" and "TIME end K" when a
//       burst's first and last blocks are written. A reader that closes the
//       pipe is waited for again (a device opened anew).
//   latencia-som onsets
//       reads the same raw sound from stdin and prints "TIME on" when a
//       sound arrives after silence, "TIME off" when silence begins
//   latencia-som report SOURCE WRITER-LOG CONSOLE [ONSETS]
//       one table row of medians (see medir-latencia.sh); one line per
//       burst on stderr

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

const int TAXA = 44100;
const int BLOCO = TAXA / 100;       // 10 ms
const int BLOCOS_POR_METADE = 250;  // 2.5 s of buzz, then 2.5 s of silence
const int LIMIAR_SOM = 1000;        // |sample| that starts a sound (-30 dBFS)
const int LIMIAR_SILENCIO = 100;    // below this for a whole block: silence
const char* const NIVEL = "======NIVEL RONCO = ";
// The writer logs a block once written; a reader may have it a moment sooner.
const double FOLGA_MS = 5;
// Where a burst's heard and level > 0.5 are decided, from its floor onset.
const double INICIO_DECISIVO_MS = 1000;

double agoraMs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

int uso() {
    std::fprintf(stderr,
                 "usage: latencia-som stamp\n"
                 "       latencia-som play BUZZ.raw BURSTS LOG PIPE\n"
                 "       latencia-som onsets\n"
                 "       latencia-som report SOURCE WRITER-LOG CONSOLE [ONSETS]\n");
    return 2;
}

int carimbar() {
    char* linha = nullptr;
    size_t tamanho = 0;
    while (getline(&linha, &tamanho, stdin) > 0) {
        std::printf("%.1f %s", agoraMs(), linha);
        std::fflush(stdout);
    }
    std::free(linha);
    return 0;
}

volatile std::sig_atomic_t comecar = 0;
void aoSinal(int) { comecar = 1; }

// One block into the pipe, opened (and waited for) whenever it has no reader.
void escrever(const char* cano, int& fd, const int16_t* bloco) {
    const char* p = reinterpret_cast<const char*>(bloco);
    size_t falta = BLOCO * sizeof(int16_t);
    while (falta > 0) {
        while (fd < 0 && (fd = open(cano, O_WRONLY)) < 0 && errno == EINTR) {
        }
        if (fd < 0) {
            std::perror(cano);
            std::exit(1);
        }
        const ssize_t n = write(fd, p, falta);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            close(fd);
            fd = -1;
            continue;
        }
        p += n;
        falta -= static_cast<size_t>(n);
    }
}

// Until the reader has taken everything written (2 s at most). Sound that
// piled up in the pipe (while a server client was still connecting, or a
// reader lagged) would otherwise stay there as a lag of the writer's own.
void esvaziar(int fd) {
    const double limite = agoraMs() + 2000;
    int n = 0;
    while (ioctl(fd, FIONREAD, &n) == 0 && n > 0 && agoraMs() < limite) usleep(1000);
}

int tocar(const char* arquivo, int pulsos, const char* registro, const char* cano) {
    std::ifstream entrada(arquivo, std::ios::binary | std::ios::ate);
    std::vector<int16_t> amostras(entrada ? static_cast<size_t>(entrada.tellg()) / 2 : 0);
    entrada.seekg(0);
    entrada.read(reinterpret_cast<char*>(amostras.data()), static_cast<std::streamsize>(amostras.size() * 2));
    std::FILE* log = std::fopen(registro, "w");
    if (amostras.size() < BLOCO || !log) {
        std::fprintf(stderr, "latencia-som: cannot read %s or write %s\n", arquivo, registro);
        return 1;
    }
    struct sigaction sa = {};
    sa.sa_handler = aoSinal;
    sigaction(SIGUSR1, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);

    int fd = -1;
    int16_t bloco[BLOCO];
    size_t lido = 0;        // where the buzz goes on
    long desdeInicio = -1;  // blocks since the bursts began
    double proximo = agoraMs();
    for (;; proximo += 10) {
        if (desdeInicio < 0 && comecar) desdeInicio = 0;
        const long pulso = desdeInicio < 0 ? -1 : desdeInicio / (2 * BLOCOS_POR_METADE);
        const long posicao = desdeInicio % (2 * BLOCOS_POR_METADE);
        const bool som = pulso >= 0 && pulso < pulsos && posicao < BLOCOS_POR_METADE;
        for (int i = 0; i < BLOCO; i++) {
            bloco[i] = som ? amostras[lido] : 0;
            if (som) lido = (lido + 1) % amostras.size();
        }
        if (som && posicao == 0 && fd >= 0) {
            esvaziar(fd);
            proximo = agoraMs();
        }
        // Held up (by a reader not there yet, or a full pipe), the writer
        // goes on from now, as a microphone would, instead of rushing the
        // blocks it owes.
        proximo = std::max(proximo, agoraMs() - 20);
        const timespec t = {static_cast<time_t>(proximo / 1000), static_cast<long>(std::fmod(proximo, 1000) * 1e6)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
        }
        escrever(cano, fd, bloco);
        if (som && (posicao == 0 || posicao == BLOCOS_POR_METADE - 1)) {
            std::fprintf(log, "%.1f %s %ld\n", agoraMs(), posicao == 0 ? "start" : "end", pulso + 1);
            std::fflush(log);
        }
        if (desdeInicio >= 0) desdeInicio++;
    }
}

int detectar() {
    int16_t bloco[BLOCO];
    bool soando = false;
    int quietas = 0;  // quiet samples in a row
    double inicioQuieto = 0;
    ssize_t n;
    while ((n = read(STDIN_FILENO, bloco, sizeof bloco)) > 0 || (n < 0 && errno == EINTR)) {
        const double t = agoraMs();
        for (ssize_t i = 0; i < n / 2; i++) {
            const int a = std::abs(static_cast<int>(bloco[i]));
            if (!soando && a > LIMIAR_SOM) {
                soando = true;
                std::printf("%.1f on\n", t);
                std::fflush(stdout);
            }
            if (a >= LIMIAR_SILENCIO) {
                quietas = 0;
                continue;
            }
            if (quietas++ == 0) inicioQuieto = t;
            if (soando && quietas == BLOCO) {
                soando = false;
                std::printf("%.1f off\n", inicioQuieto);
                std::fflush(stdout);
            }
        }
    }
    return 0;
}

// --- report ---

struct Linha {
    double t;
    bool ronco;  // the frame was judged an engine
    double nivel;
};

std::vector<std::pair<double, std::string>> lerEventos(const char* arquivo) {
    std::vector<std::pair<double, std::string>> eventos;
    std::ifstream f(arquivo);
    double t;
    std::string nome;
    while (f >> t >> nome) {
        eventos.emplace_back(t, nome);
        std::getline(f, nome);
    }
    return eventos;
}

std::vector<Linha> lerConsole(const char* arquivo) {
    std::vector<Linha> linhas;
    std::ifstream f(arquivo);
    std::string s;
    while (std::getline(f, s)) {
        const size_t espaco = s.find(' ');
        const size_t nivel = s.find(NIVEL);
        if (espaco == std::string::npos || nivel == std::string::npos) continue;
        linhas.push_back(
            {std::atof(s.c_str()), nivel == espaco + 1, std::atof(s.c_str() + nivel + std::strlen(NIVEL))});
    }
    return linhas;
}

// When the first event of NOME comes at or after T (NAN: none).
double primeiro(const std::vector<std::pair<double, std::string>>& eventos, const std::string& nome, double t) {
    for (const auto& e : eventos) {
        if (e.second == nome && e.first >= t) return e.first;
    }
    return NAN;
}

template <class Condicao>
double primeiraLinha(const std::vector<Linha>& linhas, double de, double ate, Condicao c) {
    for (const auto& l : linhas) {
        if (l.t > de && l.t < ate && c(l)) return l.t;
    }
    return NAN;
}

// After DE, when the level fell below 0.5 to stay there until ATE (the
// next burst): a frame or two the detector rejects within a burst only dip
// it (NAN: it never fell).
double voltaAbaixo(const std::vector<Linha>& linhas, double de, double ate) {
    double queda = NAN;
    for (const auto& l : linhas) {
        if (l.t <= de || l.t >= ate) continue;
        if (l.nivel >= 0.5)
            queda = NAN;
        else if (std::isnan(queda))
            queda = l.t;
    }
    return queda;
}

std::string ms(double v) { return std::isnan(v) ? "-" : std::to_string(std::lround(v)); }

struct Coluna {
    std::vector<double> valores;
    void somar(double v) {
        if (!std::isnan(v)) valores.push_back(v);
    }
    std::string mediana() {
        if (valores.empty()) return "-";
        std::sort(valores.begin(), valores.end());
        const size_t n = valores.size();
        return ms(n % 2 ? valores[n / 2] : (valores[n / 2 - 1] + valores[n / 2]) / 2);
    }
};

int relatar(const char* fonte, const char* registro, const char* console, const char* chao) {
    const auto escritor = lerEventos(registro);
    const auto piso = chao ? lerEventos(chao) : decltype(escritor)();
    const auto linhas = lerConsole(console);
    std::vector<double> inicios, fins;
    for (const auto& e : escritor) (e.second == "start" ? inicios : fins).push_back(e.first);
    Coluna pisoOn, pisoOff, ouvido, ouvidoPiso, acima, acimaPiso, abaixo, abaixoPiso;
    int completos = 0;
    double anterior = 0;  // the previous burst's level back below 0.5
    for (size_t k = 0; k < inicios.size() && k < fins.size(); k++) {
        const double inicio = inicios[k], fim = fins[k];
        const double proximo = k + 1 < inicios.size() ? inicios[k + 1] : INFINITY;
        const double on = primeiro(piso, "on", inicio - FOLGA_MS), off = primeiro(piso, "off", fim - FOLGA_MS);
        // A server that dropped sound early in a burst, where hearing it and
        // the level's rise are decided, gave the game a silence of its own:
        // no figure of that burst counts.
        if (primeiro(piso, "off", on) < std::min(fim - FOLGA_MS, on + INICIO_DECISIVO_MS)) {
            std::fprintf(stderr, "%s burst %zu: left out, the floor heard a gap in its first second\n", fonte, k + 1);
            continue;
        }
        const double de = std::max(inicio, anterior);
        const double t1 = primeiraLinha(linhas, de, proximo, [](const Linha& l) { return l.ronco; });
        const double t2 = primeiraLinha(linhas, de, proximo, [](const Linha& l) { return l.nivel > 0.5; });
        const double t3 = std::isnan(t2) ? NAN : voltaAbaixo(linhas, std::max(fim, t2), proximo);
        if (!std::isnan(t3)) anterior = t3;
        if (!std::isnan(t1) && !std::isnan(t3)) completos++;
        pisoOn.somar(on - inicio);
        pisoOff.somar(off - fim);
        ouvido.somar(t1 - inicio);
        ouvidoPiso.somar(t1 - on);
        acima.somar(t2 - inicio);
        acimaPiso.somar(t2 - on);
        abaixo.somar(t3 - fim);
        abaixoPiso.somar(t3 - off);
        std::fprintf(stderr,
                     "%s burst %zu, ms from the writer: floor %s / %s, heard %s, level > 0.5 %s, back < 0.5 %s\n",
                     fonte, k + 1, ms(on - inicio).c_str(), ms(off - fim).c_str(), ms(t1 - inicio).c_str(),
                     ms(t2 - inicio).c_str(), ms(t3 - fim).c_str());
    }
    auto par = [](Coluna& a, Coluna& b) { return a.mediana() + " / " + b.mediana(); };
    std::printf("%-9s %5d/%-3zu %-13s %-13s %-13s %-13s\n", fonte, completos, inicios.size(),
                par(pisoOn, pisoOff).c_str(), par(ouvido, ouvidoPiso).c_str(), par(acima, acimaPiso).c_str(),
                par(abaixo, abaixoPiso).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string modo = argc > 1 ? argv[1] : "";
    if (modo == "stamp" && argc == 2) return carimbar();
    if (modo == "play" && argc == 6) return tocar(argv[2], std::atoi(argv[3]), argv[4], argv[5]);
    if (modo == "onsets" && argc == 2) return detectar();
    if (modo == "report" && (argc == 5 || argc == 6))
        return relatar(argv[2], argv[3], argv[4], argc == 6 ? argv[5] : nullptr);
    return uso();
}
