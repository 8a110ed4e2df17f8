#include "ListaCidades.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <istream>
#include <sstream>

#include "ArquivoRegular.h"
#include "LeitorLinhas.h"

namespace {

// Map pixels a start or a finish may lie at: the map reader's largest map.
const double MAXIMO_PIXEL = 512.0 * 64.0;
const int MAXIMO_CELULA = 511;
const long MAXIMO_ESPERA = 60000;
const size_t MAXIMO_LINHA = 4096;

std::string aparar(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

// The whole value as numbers in [minimo, maximo], `quantos` of them.
bool numeros(const std::string& valor, size_t quantos, double minimo, double maximo, std::vector<double>& saida) {
    std::istringstream s(valor);
    saida.clear();
    double x;
    while (s >> x) {
        if (!std::isfinite(x) || x < minimo || x > maximo) return false;
        saida.push_back(x);
    }
    return s.eof() && saida.size() == quantos;
}

bool inteiro(double x) { return x == std::floor(x); }

// A tile sheet is named by a plain file name: nothing outside mapas/.
bool nomeDeArquivo(const std::string& v) {
    if (v.empty() || v.size() > 64 || v[0] == '.') return false;
    return std::all_of(v.begin(), v.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
               c == '_';
    });
}

bool nomeVisivel(const std::string& v) {
    return !v.empty() && v.size() <= ListaCidades::MAXIMO_NOME &&
           std::all_of(v.begin(), v.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

bool lerRota(const std::string& valor, std::vector<std::pair<int, int>>& rota) {
    std::istringstream s(valor);
    std::string par;
    rota.clear();
    while (s >> par) {
        int r, c, usados = 0;
        if (std::sscanf(par.c_str(), "%d,%d%n", &r, &c, &usados) != 2 || usados != static_cast<int>(par.size()) ||
            r < 0 || c < 0 || r > MAXIMO_CELULA || c > MAXIMO_CELULA || rota.size() >= 64)
            return false;
        rota.push_back({r, c});
    }
    return rota.size() >= 2;
}

// One block as it is read: the city, and which keys were given.
struct Bloco {
    ListaCidades::Cidade cidade;
    int linha = 0;  // of its "[city]"
    bool mapa = false, nome = false, largada = false, chegada = false;
    std::string erro;  // the first fault, with its line
};

// Applies one "key = value" line; an empty answer when it is fine.
std::string aplicar(Bloco& b, const std::string& chave, const std::string& valor) {
    ListaCidades::Cidade& c = b.cidade;
    std::vector<double> n;
    if (chave == "map") {
        if (!numeros(valor, 1, 1, ListaCidades::MAXIMO_MAPA, n) || !inteiro(n[0]))
            return "map is not a number from 1 to " + std::to_string(ListaCidades::MAXIMO_MAPA);
        c.mapa = static_cast<int>(n[0]);
        b.mapa = true;
    } else if (chave == "name") {
        if (!nomeVisivel(valor))
            return "name must be 1 to " + std::to_string(ListaCidades::MAXIMO_NOME) + " plain characters";
        c.nome = valor;
        b.nome = true;
    } else if (chave == "tiles") {
        if (!nomeDeArquivo(valor)) return "tiles must be a plain file name";
        c.folha = valor;
    } else if (chave == "start") {
        if (!numeros(valor, 2, 0, MAXIMO_PIXEL, n)) return "start is not two pixel positions (across, down)";
        c.largada = Vetor(static_cast<float>(n[1]), static_cast<float>(n[0]));
        b.largada = true;
    } else if (chave == "finish") {
        if (!numeros(valor, 1, 1, MAXIMO_PIXEL, n)) return "finish is not a pixel position";
        c.chegada = static_cast<float>(n[0]);
        b.chegada = true;
    } else if (chave == "traffic") {
        if (!numeros(valor, 2, 0, static_cast<double>(MAXIMO_ESPERA), n) || !inteiro(n[0]) || !inteiro(n[1]) ||
            n[0] > ListaCidades::MAXIMO_CARROS)
            return "traffic is not a fleet of 0 to " + std::to_string(ListaCidades::MAXIMO_CARROS) +
                   " cars and a rest of 0 to " + std::to_string(MAXIMO_ESPERA) + " ms";
        c.carros = static_cast<int>(n[0]);
        c.esperaTransito = static_cast<long>(n[1]);
    } else if (chave == "route") {
        if (!lerRota(valor, c.rota)) return "route is not a list of at least two cells row,column";
    } else {
        return "unknown key \"" + chave + "\"";
    }
    return "";
}

}  // namespace

ListaCidades::ListaCidades() : cidades(1) {}

const ListaCidades::Cidade& ListaCidades::getCidade(int indice) const {
    return cidades[static_cast<size_t>(std::clamp(indice, 0, getQuantidade() - 1))];
}

int ListaCidades::indiceDoMapa(int mapa) const {
    for (size_t i = 0; i < cidades.size(); i++)
        if (cidades[i].mapa == mapa) return static_cast<int>(i);
    return -1;
}

bool ListaCidades::carregar(const std::string& arquivo) {
    // Only a plain file, and never waiting to open it.
    ArquivoRegular f(arquivo, ArquivoRegular::LER);
    if (!f.isAberto()) {
        std::printf("%s: %s; racing city 1 only\n", arquivo.c_str(),
                    f.isAusente() ? "the city list is missing" : f.getProblema().c_str());
        cidades.assign(1, Cidade());
        return false;
    }
    LeitorLinhas leitor(f.getFd());
    return lerLinhas([&](std::string& linha) { return leitor.proxima(linha); }, arquivo);
}

bool ListaCidades::ler(std::istream& entrada, const std::string& nome) {
    return lerLinhas([&](std::string& linha) { return static_cast<bool>(std::getline(entrada, linha)); }, nome);
}

bool ListaCidades::lerLinhas(const std::function<bool(std::string&)>& proxima, const std::string& nome) {
    std::vector<Cidade> lidas;
    std::vector<Bloco> blocos;
    std::string texto;
    int numero = 0;
    bool problema = false;
    auto relatar = [&](int linha, const std::string& o_que) {
        std::printf("%s line %d: %s; that city is left out\n", nome.c_str(), linha, o_que.c_str());
        problema = true;
    };
    while (proxima(texto)) {
        numero++;
        const std::string linha = aparar(texto.size() > MAXIMO_LINHA ? texto.substr(0, MAXIMO_LINHA) : texto);
        if (linha.empty() || linha[0] == '#') continue;
        if (linha == "[city]") {
            blocos.emplace_back();
            blocos.back().linha = numero;
            continue;
        }
        const size_t igual = linha.find('=');
        std::string erro;
        if (blocos.empty()) {
            erro = "\"" + linha.substr(0, 40) + "\" is outside any [city] block";
        } else if (igual == std::string::npos || texto.size() > MAXIMO_LINHA) {
            erro = "not a line key = value";
        } else {
            erro = aplicar(blocos.back(), aparar(linha.substr(0, igual)), aparar(linha.substr(igual + 1)));
        }
        if (erro.empty()) continue;
        if (blocos.empty()) {
            relatar(numero, erro);
        } else if (blocos.back().erro.empty()) {
            blocos.back().erro = "line " + std::to_string(numero) + ": " + erro;
            relatar(numero, erro);
        }
    }
    for (Bloco& b : blocos) {
        if (!b.erro.empty()) continue;
        const Cidade& c = b.cidade;
        std::string falta;
        if (!b.mapa || !b.nome || !b.largada || !b.chegada) {
            falta = std::string("the city has no ") + (!b.mapa      ? "map"
                                                       : !b.nome    ? "name"
                                                       : !b.largada ? "start"
                                                                    : "finish");
        } else if (c.chegada <= c.largada.getY()) {
            falta = "the finish lies behind the start";
        } else if (std::any_of(lidas.begin(), lidas.end(), [&](const Cidade& o) { return o.mapa == c.mapa; })) {
            falta = "map " + std::to_string(c.mapa) + " is already another city's";
        } else if (static_cast<int>(lidas.size()) >= MAXIMO_CIDADES) {
            falta = "more than " + std::to_string(MAXIMO_CIDADES) + " cities";
        }
        if (!falta.empty()) {
            relatar(b.linha, falta);
            continue;
        }
        lidas.push_back(c);
    }
    if (lidas.empty()) {
        std::printf("%s: no city to race; racing city 1 only\n", nome.c_str());
        cidades.assign(1, Cidade());
        return false;
    }
    cidades = lidas;
    return !problema;
}
