#include "CaminhosAssets.h"

#include "NomesAssets.h"

namespace {
std::string comNumero(const char* prefixo, int n, const char* sufixo) {
    return std::string(prefixo) + std::to_string(n) + sufixo;
}
}  // namespace

std::string CaminhosAssets::tiles() { return "mapas/tiles.bmp"; }
std::string CaminhosAssets::mouse() { return "graficos/mouse.bmp"; }
std::string CaminhosAssets::numero(int d) { return comNumero("graficos/numeros/", d, ".bmp"); }
std::string CaminhosAssets::carro(int t) { return comNumero("graficos/carros/", t, ".bmp"); }
std::string CaminhosAssets::carroJogador() { return "graficos/carros/jogador.bmp"; }
std::string CaminhosAssets::imagem(int i) { return comNumero("graficos/imagens/", i, ".bmp"); }
std::string CaminhosAssets::menuPrincipal() { return "graficos/menus/menu principal.bmp"; }
std::string CaminhosAssets::menuInstrucoes() { return "graficos/menus/menu_instrucoes.bmp"; }
std::string CaminhosAssets::menuInstrucoes2() { return "graficos/menus/menu_instrucoes_2.bmp"; }
std::string CaminhosAssets::menuPausa() { return "graficos/menus/menu_pausa.bmp"; }
std::string CaminhosAssets::menuRecordes() { return NomesAssets::MENU_RECORDES; }
std::string CaminhosAssets::avisoSemMicrofone() { return NomesAssets::AVISO_SEM_MICROFONE; }
std::string CaminhosAssets::carregando(int p) { return comNumero("graficos/carregamento/carregando", p, ".bmp"); }
std::string CaminhosAssets::frase(int i) { return comNumero("graficos/carregamento/", i, ".bmp"); }
// The map reader owns the names of its own formats.
std::string CaminhosAssets::mapa(int f) { return "mapas/" + std::to_string(f) + ".txt"; }
std::string CaminhosAssets::cidades() { return "mapas/cidades.txt"; }
std::string CaminhosAssets::folha(const std::string& nome) { return "mapas/" + nome; }
std::string CaminhosAssets::transito(int f) { return "mapas/" + std::to_string(f) + "trans.txt"; }
std::string CaminhosAssets::medalhas(int f) { return "mapas/" + std::to_string(f) + "medalhas.txt"; }
std::string CaminhosAssets::dadosCarro(int t) { return comNumero("dados/carros/", t, ".car"); }

std::string CaminhosAssets::aberturaImagem(int i) { return comNumero("graficos/abertura/abertura ", i, ".bmp"); }
std::string CaminhosAssets::aberturaFinal() { return "graficos/abertura/abertura final.bmp"; }
std::string CaminhosAssets::somMotor() { return "soms/abertura/motor3 3seg.wav"; }
std::string CaminhosAssets::somFerrari() { return "soms/abertura/motor ferrari 9seg.wav"; }
std::string CaminhosAssets::animacaoFundo() { return "graficos/abertura/animacao/fundo animacao.bmp"; }
std::string CaminhosAssets::animacaoCarro() { return "graficos/abertura/animacao/fusca amarelo.bmp"; }
std::string CaminhosAssets::animacaoRodaDianteira() {
    return "graficos/abertura/animacao/roda dianteira fusca amarelo.bmp";
}
std::string CaminhosAssets::animacaoRodaTraseira() {
    return "graficos/abertura/animacao/roda traseira fusca amarelo.bmp";
}

std::string CaminhosAssets::musicaMenu() { return "soms/musicas/musica menu.wav"; }
std::string CaminhosAssets::musicaJogo() { return "soms/musicas/musica jogo1.wav"; }
std::string CaminhosAssets::somIgnicao() { return "soms/ignicao 3seg.wav"; }

std::vector<std::string> CaminhosAssets::todos() {
    std::vector<std::string> lista;
    lista.push_back(tiles());
    lista.push_back(mouse());
    for (int i = 0; i <= 9; ++i) lista.push_back(numero(i));
    for (int t = 1; t <= TIPOS_CARRO; ++t) lista.push_back(carro(t));
    lista.push_back(carroJogador());
    for (int i = 0; i < NUMERO_IMAGENS; ++i) lista.push_back(imagem(i));
    lista.push_back(menuPrincipal());
    lista.push_back(menuInstrucoes());
    lista.push_back(menuInstrucoes2());
    lista.push_back(menuPausa());
    lista.push_back(menuRecordes());
    lista.push_back(avisoSemMicrofone());
    for (int p = 0; p < NUMERO_PASSOS_CARREGAMENTO; ++p) lista.push_back(carregando(p));
    for (int i = 0; i < NUMERO_FRASES; ++i) lista.push_back(frase(i));
    lista.push_back(mapa(FASE_UNICA));
    lista.push_back(transito(FASE_UNICA));
    lista.push_back(cidades());
    lista.push_back(medalhas(FASE_UNICA));
    for (int t = 1; t <= TIPOS_CARRO; ++t) lista.push_back(dadosCarro(t));
    for (int i = 1; i <= 6; ++i) lista.push_back(aberturaImagem(i));
    lista.push_back(aberturaFinal());
    lista.push_back(somMotor());
    lista.push_back(somFerrari());
    lista.push_back(animacaoFundo());
    lista.push_back(animacaoCarro());
    lista.push_back(animacaoRodaDianteira());
    lista.push_back(animacaoRodaTraseira());
    lista.push_back(musicaMenu());
    lista.push_back(musicaJogo());
    lista.push_back(somIgnicao());
    return lista;
}
