#include "EscolhaCidade.h"

EscolhaCidade::EscolhaCidade() : lista(), indice(0), corrida() {}

void EscolhaCidade::carregar(const std::string& arquivo) {
    const int mapa = getEscolhida().mapa;
    lista.carregar(arquivo);
    indice = 0;
    escolherMapa(mapa);
}

void EscolhaCidade::escolherMapa(int mapa) {
    const int i = lista.indiceDoMapa(mapa);
    if (i >= 0) indice = i;
}
