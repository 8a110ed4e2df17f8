#ifndef CAMINHOSASSETS_H
#define CAMINHOSASSETS_H

#include <string>
#include <vector>

// Every file the game reads, relative to the directory it runs from. The
// loaders and the start-up check both take their names from here, so a file
// can never be loaded under one name and checked under another.
class CaminhosAssets {
public:
    static std::string tiles();
    static std::string mouse();
    static std::string numero(int digito);  // 0 to 9
    static std::string carro(int tipo);     // traffic, 1 to 3
    static std::string carroJogador();      // the player's own, sized as car 1
    static std::string imagem(int indice);  // 0 to 6
    static std::string menuPrincipal();
    static std::string menuInstrucoes();
    static std::string menuInstrucoes2();
    static std::string menuPausa();
    static std::string menuRecordes();
    static std::string avisoSemMicrofone();
    static std::string carregando(int passo);  // 0 to 5
    static std::string frase(int indice);      // 0 to 11
    static std::string mapa(int fase);
    // The list of cities, and a city's tile sheet by its file name.
    static std::string cidades();
    static std::string folha(const std::string& nome);
    static std::string transito(int fase);
    static std::string medalhas(int fase);
    static std::string dadosCarro(int tipo);  // 1 to 3

    static std::string aberturaImagem(int indice);  // 1 to 6
    static std::string aberturaFinal();
    static std::string somMotor();
    static std::string somFerrari();
    static std::string animacaoFundo();
    static std::string animacaoCarro();
    static std::string animacaoRodaDianteira();
    static std::string animacaoRodaTraseira();

    static std::string musicaMenu();
    static std::string musicaJogo();
    static std::string somIgnicao();

    // The whole set, in a stable order (the order of the messages).
    static std::vector<std::string> todos();

    static constexpr int NUMERO_FRASES = 12;
    static constexpr int NUMERO_PASSOS_CARREGAMENTO = 6;
    static constexpr int TIPOS_CARRO = 3;
    static constexpr int NUMERO_IMAGENS = 7;
    static constexpr int FASE_UNICA = 1;
};

#endif
