#include "FantasmaCorrida.h"

#include "Carro.h"

FantasmaCorrida::FantasmaCorrida() : melhor(), gravador(), reprodutor(), diferenca(), rota() {}

void FantasmaCorrida::iniciar(int cidade, const PercursoFantasma* m, const ProgressoRota& r) {
    melhor = m != nullptr ? *m : PercursoFantasma();
    rota = r;
    reprodutor.setPercurso(&melhor);
    diferenca.setPercurso(&melhor, rota);
    gravador.iniciar(cidade);
}

void FantasmaCorrida::gravar(int tempoMs, const Carro& jogador) {
    gravador.gravar(tempoMs, jogador.getPosicao(), jogador.getAngulo());
}

const PercursoFantasma* FantasmaCorrida::concluir(int tempoMs) {
    gravador.concluir(tempoMs);
    return gravador.isCompleto() ? &gravador.getPercurso() : nullptr;
}

void FantasmaCorrida::preencher(cavalete& c, int tempoMs, const Carro& jogador, bool comDiferenca) const {
    if (!reprodutor.isAtivo()) return;
    const ReprodutorFantasma::Pose pose = reprodutor.getPose(tempoMs);
    c.fantasmaVisivel = true;
    c.posicaoFantasma = Vetor(pose.posicao.getY(), pose.posicao.getX());
    c.anguloFantasma = pose.angulo;
    c.temDiferenca = comDiferenca && diferenca.calcular(tempoMs, rota.medir(jogador.getPosicao()), c.diferencaFantasma);
}
