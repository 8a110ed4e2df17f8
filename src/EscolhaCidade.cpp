#include "EscolhaCidade.h"

#include "ComandosEntrada.h"
#include "EstadoJogo.h"
#include "Preferencias.h"
#include "TratadorEntradas.h"

EscolhaCidade::EscolhaCidade() : lista(), indice(0), corrida(), preferencias(nullptr), placares() {}

void EscolhaCidade::carregar(const std::string& arquivo) {
    const int mapa = getEscolhida().mapa;
    lista.carregar(arquivo);
    indice = 0;
    escolherMapa(preferencias != nullptr ? preferencias->getCidade() : mapa);
    getRecordes().carregar(false);
}

void EscolhaCidade::setPreferencias(Preferencias* p) {
    preferencias = p;
    if (preferencias != nullptr) escolherMapa(preferencias->getCidade());
}

void EscolhaCidade::escolherMapa(int mapa) {
    const int i = lista.indiceDoMapa(mapa);
    if (i >= 0) indice = i;
}

void EscolhaCidade::mudar(int passo) {
    const int n = lista.getQuantidade();
    indice = ((indice + passo) % n + n) % n;
    if (preferencias != nullptr) preferencias->setCidade(getEscolhida().mapa);
    getRecordes().carregar(false);
}

unsigned EscolhaCidade::acompanhar(unsigned comandos, const NomesAssets::RetanguloBotao& linha, bool clicou, int x,
                                   int y) {
    const unsigned esquerda = ComandosEntrada::ANTERIOR | ComandosEntrada::MENU_ESQUERDA;
    const unsigned direita = ComandosEntrada::PROXIMA | ComandosEntrada::MENU_DIREITA;
    const bool naLinha = clicou && y >= linha.y1 && y <= linha.y2;
    if ((comandos & esquerda) || (naLinha && x >= linha.x1 && x < linha.x1 + NomesAssets::SETA_CIDADE_LARGURA))
        mudar(-1);
    if ((comandos & direita) || (naLinha && x <= linha.x2 && x > linha.x2 - NomesAssets::SETA_CIDADE_LARGURA)) mudar(1);
    return comandos & ~(ComandosEntrada::MENU_ESQUERDA | ComandosEntrada::MENU_DIREITA);
}

unsigned EscolhaCidade::acompanharPagina(const EstadoJogo& estado, const TratadorEntradas& entradas) {
    const unsigned comandos = entradas.getComandos();
    const int subEstado = estado.getSubEstado();
    const bool clicou = entradas.isPressed(TratadorEntradas::BOTAO_MOUSE);
    const int x = entradas.getCliqueX(), y = entradas.getCliqueY();
    if (estado.getEstadoGlobal() != menu) return comandos;
    if (subEstado == EstadoJogo::SUB_MENU_PRINCIPAL)
        return acompanhar(comandos, NomesAssets::CIDADE_MENU, clicou, x, y);
    if (subEstado == EstadoJogo::SUB_RECORDES) return acompanhar(comandos, NomesAssets::CIDADE_RECORDES, clicou, x, y);
    return comandos;
}

PlacarCidade& EscolhaCidade::placar(int mapa) const { return placares.try_emplace(mapa, mapa).first->second; }
