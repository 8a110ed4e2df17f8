#include "EscolhaMicrofone.h"

#include "ComandosEntrada.h"
#include "Preferencias.h"

EscolhaMicrofone::EscolhaMicrofone()
    : controle(DispositivosCaptura::getControleNenhum()), preferencias(nullptr), lista(), cursor(0), aberta(false),
      pedido(), aSalvar() {}

std::string EscolhaMicrofone::getPedido() const {
    if (!pedido.empty()) return pedido;
    return preferencias ? preferencias->getMicrofone() : controle.getEmUso();
}

void EscolhaMicrofone::abrir() {
    lista = controle.listar();
    if (lista.empty()) return;
    const std::string de = getPedido();
    cursor = 0;
    for (size_t i = 0; i < lista.size(); i++) {
        if (lista[i].nome == de) cursor = static_cast<int>(i);
    }
    aberta = true;
}

bool EscolhaMicrofone::comandar(unsigned comandos) {
    using C = ComandosEntrada;
    if (!aberta) return false;
    const int n = static_cast<int>(lista.size());
    if (comandos & (C::SETA_CIMA | C::MENU_CIMA)) cursor = (cursor + n - 1) % n;
    if (comandos & (C::SETA_BAIXO | C::MENU_BAIXO)) cursor = (cursor + 1) % n;
    if (comandos & C::VOLTAR) aberta = false;
    if (!(comandos & (C::ENTRAR | C::MENU_APERTAR)) || !aberta) return false;
    aberta = false;
    pedido = aSalvar = lista[cursor].nome;
    controle.trocar(pedido);
    return true;
}

void EscolhaMicrofone::acompanhar() {
    if (aSalvar.empty()) return;
    if (controle.getFalha() == aSalvar) {
        aSalvar.clear();  // said on the page, kept from the file
    } else if (controle.getEmUso() == aSalvar) {
        if (preferencias) preferencias->setMicrofone(aSalvar);
        aSalvar.clear();
    }
}

std::string EscolhaMicrofone::getDescricao() const {
    const std::string nome = controle.getEmUso();
    for (const DispositivoCaptura& d : lista) {
        if (d.nome == nome && !d.descricao.empty()) return d.descricao + " (" + nome + ")";
    }
    return nome;
}
