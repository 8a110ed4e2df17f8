#include "DispositivosCaptura.h"

namespace {

std::string primeiraLinha(const std::string& s) { return s.substr(0, s.find('\n')); }

bool comeca(const std::string& s, const char* prefixo) { return s.rfind(prefixo, 0) == 0; }

std::vector<DispositivoCaptura> soPadrao() { return DispositivosCaptura::escolher({}); }
void naoTrocar(const std::string&) {}
std::string padrao() { return "default"; }
std::string nenhuma() { return ""; }

}  // namespace

DispositivosCaptura::Controle DispositivosCaptura::getControleNenhum() {
    return {soPadrao, naoTrocar, padrao, nenhuma};
}

std::vector<DispositivoCaptura> DispositivosCaptura::escolher(const std::vector<Dica>& dicas) {
    std::vector<DispositivoCaptura> servidores, placas;
    DispositivoCaptura padrao = {"default", "The system's default microphone"};
    for (const Dica& d : dicas) {
        if (d.direcao == "Output") continue;
        const DispositivoCaptura disp = {d.nome, primeiraLinha(d.descricao)};
        if (d.nome == "default") {
            if (!disp.descricao.empty()) padrao.descricao = disp.descricao;
        } else if (d.nome == "pulse" || d.nome == "pipewire") {
            servidores.push_back(disp);
        } else if (comeca(d.nome, "plughw:")) {
            placas.push_back(disp);
        }
    }
    std::vector<DispositivoCaptura> todos = {padrao};
    todos.insert(todos.end(), servidores.begin(), servidores.end());
    todos.insert(todos.end(), placas.begin(), placas.end());
    return todos;
}

const DispositivoCaptura& DispositivosCaptura::proximo(const std::vector<DispositivoCaptura>& lista,
                                                       const std::string& atual) {
    for (size_t i = 0; i < lista.size(); i++) {
        if (lista[i].nome == atual) return lista[(i + 1) % lista.size()];
    }
    return lista.front();
}
