#include "Pintor.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "AvisosCorrida.h"
#include "CaminhosAssets.h"
#include "CarregadorMidia.h"
#include "EscolhaCidade.h"
#include "EstadoJogo.h"
#include "Janela.h"
#include "LinhaChegada.h"
#include "NomesAssets.h"
#include "PainelChegada.h"
#include "PainelCidade.h"
#include "PainelControle.h"
#include "PainelMicrofone.h"
#include "PainelRecordes.h"

namespace {

const int LARGURA_BARRA = 20;
const int ALTURA_BARRA = 80;
// Radians to the library's angle units (256 to a full turn).
const double RADIANOS_PARA_ALLEGRO = 40.764377;

bool temFator(int subEstado, int p) { return EstadoJogo::contem(subEstado, p); }

using E = EstadoJogo;

}  // namespace

Pintor::Pintor()
    : camada(), camada3(nullptr), camada4(nullptr), buffer(nullptr),
      bufferPausa(nullptr), carros{nullptr, nullptr, nullptr, nullptr},
      carroJogador(nullptr), frescuras{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
      barraAceleracao(nullptr), barraCheiaAbaixo(-1), numeros{}, tamanhoMapa(0.0f, 0.0f), vista(), frasesUsadas{},
      verificacaoMicrofone(nullptr), navegacao(nullptr), linhaChegada(nullptr), escolha(nullptr),
      limiteCamada(LIMITE_CAMADA), alvo(nullptr), funcaoEspera(nullptr), sinalSaida(nullptr), vinhaDaPausa(false) {
    camada3 = create_bitmap(1, 1);
    clear_bitmap(camada3);
    buffer = create_bitmap(LARGURA_TELA, ALTURA_TELA);
    bufferPausa = create_bitmap(LARGURA_TELA, ALTURA_TELA);
    clear_bitmap(buffer);
    clear_bitmap(bufferPausa);
    barraAceleracao = create_bitmap(LARGURA_BARRA, ALTURA_BARRA);
    clear_bitmap(barraAceleracao);
    camada4 = CarregadorMidia::imagem(CaminhosAssets::mouse());
    for (int i = 0; i < 10; ++i) {
        numeros[i] = CarregadorMidia::imagem(CaminhosAssets::numero(i));
    }
    for (bool& usada : frasesUsadas) {
        usada = false;
    }
}

Pintor::~Pintor() {
    CarregadorMidia::liberar(camada3);
    CarregadorMidia::liberar(camada4);
    CarregadorMidia::liberar(buffer);
    CarregadorMidia::liberar(bufferPausa);
    for (BITMAP*& b : carros) CarregadorMidia::liberar(b);
    CarregadorMidia::liberar(carroJogador);
    for (BITMAP*& b : frescuras) CarregadorMidia::liberar(b);
    CarregadorMidia::liberar(barraAceleracao);
    for (BITMAP*& b : numeros) CarregadorMidia::liberar(b);
}

void Pintor::setAlvo(BITMAP* novo) { alvo = novo; }

void Pintor::setEspera(FuncaoEspera espera) { funcaoEspera = espera; }

void Pintor::setVerificacaoMicrofone(const VerificadorMicrofone* v) { verificacaoMicrofone = v; }

void Pintor::setNavegacao(const NavegacaoMenu* n) { navegacao = n; }

void Pintor::setLinhaChegada(const LinhaChegada* l) { linhaChegada = l; }

void Pintor::mostrarBuffer() { CarregadorMidia::mostrar(alvo, buffer); }

void Pintor::esperar(unsigned int ms) { CarregadorMidia::esperar(funcaoEspera, ms, sinalSaida); }

void Pintor::desenharPonteiro(const cavalete& c) {
    PainelControle::desenhar(buffer, navegacao, c.estado, c.subEstado);
    // Where the pointer is in the picture, whatever the window's scale.
    const GeometriaTela::Ponto p = Janela::getPonteiro();
    CarregadorMidia::desenharMascarado(buffer, camada4, p.x, p.y);
}

// ---------------------------------------------------------------- dispatch

void Pintor::pintar(cavalete c) {
    if (c.transicaoEstadoGlobal) {
        clear_to_color(buffer, 0);
    }
    bool pausa = false;
    switch (c.estado) {
        case menu: pintarMenu(c); break;
        case carregando: pintarCarregamento(c); break;
        case jogando:
            if (c.transicaoEstadoGlobal) {
                carregarMapa(c);
            }
            if (temFator(c.subEstado, E::SUB_PAUSA)) {
                pintarMenuPausa(c);
                pausa = true;
            } else if (temFator(c.subEstado, E::SUB_CORRENDO)) {
                pintarJogo(c);
            } else if (temFator(c.subEstado, E::SUB_LARGADA)) {
                pintarLargada(c);
            }
            break;
        case finalizando:
            pintarJogo(c);
            if (linhaChegada != nullptr && (linhaChegada->isDefinida() || linhaChegada->hasMedalhas())) {
                PainelChegada::desenhar(buffer, *linhaChegada);
                mostrarBuffer();
            }
            esperar(5000);
            break;
        case abertura:
        case sair: break;
    }
    vinhaDaPausa = pausa;
}

// ---------------------------------------------------------------- map

void Pintor::carregarMapa(cavalete c) {
    camada.liberar();
    tamanhoMapa = Vetor(0.0f, 0.0f);
    // A bad file is reported by the reader. What it did read is drawn (cells
    // it never reached hold 0, no tile); with bad dimensions there is no grid
    // and the race is drawn on black.
    mapa.carregarMapa(CaminhosAssets::mapa(c.fase));
    // Read for the first race of its city, not at start-up: 12 MB the menus
    // never use. Before the map layer exists, so that the two never add up.
    reparador.usarFolha(CaminhosAssets::folha(escolha != nullptr ? escolha->getCorrida().folha : "tiles.bmp"));
    if (camada.criar(mapa.getAltura(), mapa.getLargura(), limiteCamada)) tamanhoMapa = camada.getTamanho();
    reparador.desenharMapa(&camada, &mapa);
    carregarFrescuras();
    carregarCarros();
}

void Pintor::carregarCarros() {
    sprites.limpar();
    for (BITMAP*& b : carros) CarregadorMidia::liberar(b);
    CarregadorMidia::liberar(carroJogador);
    for (int i = 1; i <= CaminhosAssets::TIPOS_CARRO; ++i) {
        carros[i] = CarregadorMidia::imagem(CaminhosAssets::carro(i));
    }
    carroJogador = CarregadorMidia::imagem(CaminhosAssets::carroJogador());
}

void Pintor::carregarFrescuras() {
    sprites.limpar();
    for (BITMAP*& b : frescuras) CarregadorMidia::liberar(b);
    for (int i = 0; i < CaminhosAssets::NUMERO_IMAGENS; ++i) {
        frescuras[i] = CarregadorMidia::imagem(CaminhosAssets::imagem(i));
    }
}

// ---------------------------------------------------------------- race view

Vetor Pintor::calcularCantoVista(Vetor posicao, Vetor tamanho) {
    // Along one axis: the player centred, unless that shows past an edge.
    auto canto = [](float p, float mapa, int tela) {
        int x = static_cast<int>(p);
        if (x < tela / 2) return 0;
        if (static_cast<float>(x) <= mapa - tela / 2) return x - tela / 2;
        return static_cast<int>(mapa) - tela;
    };
    return Vetor(static_cast<float>(canto(posicao.getX(), tamanho.getX(), LARGURA_TELA)),
                 static_cast<float>(canto(posicao.getY(), tamanho.getY(), ALTURA_TELA)));
}

void Pintor::desenharCarro(BITMAP* imagem, Vetor centro, float angulo) {
    if (camada.getBitmap() == nullptr || imagem == nullptr) {
        return;
    }
    int x = static_cast<int>(centro.getX()) - imagem->w / 2;
    int y = static_cast<int>(centro.getY()) - imagem->h / 2;
    // Traffic comes near well outside the view; drawn there it would never
    // be shown, only erased again next frame.
    reparador.marcarDesenho(camada.girar(sprites, imagem, x, y, ftofix(angulo * RADIANOS_PARA_ALLEGRO), vista));
}

void Pintor::pintarCamadasDinamicamente(cavalete c) {
    if (camada.getBitmap() == nullptr) {
        return;
    }
    reparador.repararInferior(c.itTilesInicio, c.itTilesFim);
    if (c.fantasmaVisivel && carroJogador != nullptr) {
        // Placed on the map's whole pixels first: a piece of a window of the
        // layer lies to the left of the map's origin, where truncating would
        // round the other way.
        const int x = static_cast<int>(c.posicaoFantasma.getX()), y = static_cast<int>(c.posicaoFantasma.getY());
        const int raio = (carroJogador->w + carroJogador->h) / 2 + 4;
        reparador.marcarDesenho(camada.desenharEm(
            Retangulo(x - raio, y - raio, x + raio, y + raio), vista, [&](int dx, int dy, const Retangulo& so) {
                const Vetor centro(static_cast<float>(x + dx), static_cast<float>(y + dy));
                return fantasma.desenharCarro(camada.getBitmap(), carroJogador, centro, c.anguloFantasma, so);
            }));
    }
    desenharCarro(carroJogador, c.posicaoJogador1, c.anguloJogador1);
    pintarNPCs(c);
    reparador.repararSuperior();
}

void Pintor::pintarNPCs(cavalete c) {
    auto posicao = c.itPosicaoInicio;
    auto angulo = c.itAnguloInicio;
    auto tipo = c.itTipoCarro;
    for (int i = 0; i < c.numeroNPCs && posicao != c.itPosicaoFim; ++i) {
        int n = *tipo;
        if (n < 1 || n > CaminhosAssets::TIPOS_CARRO) {
            std::printf("erro");
        } else {
            desenharCarro(carros[n], *posicao, *angulo);
        }
        ++posicao;
        ++angulo;
        ++tipo;
    }
}

void Pintor::colarNaTelaJogo(cavalete c) {
    Vetor canto = calcularCantoVista(c.posicaoJogador1, tamanhoMapa);
    vista =
        Retangulo(static_cast<int>(canto.getX()), static_cast<int>(canto.getY()),
                  static_cast<int>(canto.getX()) + LARGURA_TELA - 1, static_cast<int>(canto.getY()) + ALTURA_TELA - 1);
    camada.acompanhar(vista, [this](int linha, int coluna) { reparador.desenharCelula(linha, coluna); });
    pintarCamadasDinamicamente(c);
    if (camada.getBitmap() == nullptr) {
        clear_to_color(buffer, 0);
        return;
    }
    camada.copiar(vista, buffer);
}

void Pintor::pintarMostrador(float velocidade) {
    BITMAP* painel = frescuras[1];
    if (painel != nullptr) {
        sprites.desenhar(buffer, painel, LARGURA_TELA - painel->w, ALTURA_TELA - painel->h);
    }
    // A speed of 60 turns the needle a quarter turn (64 of the library's 256).
    BITMAP* ponteiro = frescuras[2];
    if (ponteiro != nullptr) {
        sprites.girar(buffer, ponteiro, LARGURA_TELA - ponteiro->w / 2, ALTURA_TELA - ponteiro->h,
                      ftofix(velocidade * 64.0 / 60.0));
    }
}

void Pintor::pintarJogo(cavalete c) {
    if (c.transicaoSubEstado && !temFator(c.subEstado, E::SUB_LARGADA)) {
        esperar(100);
    }
    colarNaTelaJogo(c);
    pintarMostrador(c.velocidadeJogador1);
    pintarAceleracao(c);
    pintarRelogio(c);
    if (c.temDiferenca) PainelFantasma::desenharDiferenca(buffer, c.diferencaFantasma);
    pintarTrechoCompleto(c);
    mostrarBuffer();
}

// ---------------------------------------------------------------- screens

void Pintor::pintarMenu(cavalete c) {
    int s = c.subEstado;
    if (c.transicaoSubEstado || c.transicaoEstadoGlobal) {
        std::string pagina;
        if (temFator(s, E::SUB_MENU_PRINCIPAL)) {
            pagina = CaminhosAssets::menuPrincipal();
        } else if (temFator(s, E::SUB_INSTRUCOES_2)) {
            // Page two holds page one's prime too: tested first.
            pagina = CaminhosAssets::menuInstrucoes2();
        } else if (temFator(s, E::SUB_INSTRUCOES_1)) {
            pagina = CaminhosAssets::menuInstrucoes();
        } else if (temFator(s, E::SUB_RECORDES)) {
            pagina = CaminhosAssets::menuRecordes();
        }
        if (!pagina.empty()) {
            CarregadorMidia::liberar(camada3);
            camada3 = CarregadorMidia::imagem(pagina);
        }
    }
    clear_to_color(buffer, 0);
    bool paginaDeArquivo =
        temFator(s, E::SUB_MENU_PRINCIPAL) || temFator(s, E::SUB_INSTRUCOES_2) || temFator(s, E::SUB_INSTRUCOES_1);
    if (!paginaDeArquivo && temFator(s, E::SUB_RECORDES)) {
        CarregadorMidia::desenharMascarado(buffer, camada3, 0, 0);
        PainelCidade::desenharRecordes(buffer, escolha, camada3 != nullptr);
    } else {
        CarregadorMidia::desenharMascarado(buffer, camada3, 0, 0);
        if (temFator(s, E::SUB_MENU_PRINCIPAL)) PainelCidade::desenharMenu(buffer, escolha, c.fantasmaLigado);
        if (verificacaoMicrofone != nullptr && !temFator(s, E::SUB_MENU_PRINCIPAL) &&
            !temFator(s, E::SUB_INSTRUCOES_2) && temFator(s, E::SUB_INSTRUCOES_1)) {
            PainelMicrofone::desenhar(buffer, *verificacaoMicrofone);
        }
    }
    desenharPonteiro(c);
    mostrarBuffer();
}

void Pintor::pintarMenuPausa(cavalete c) {
    if (c.transicaoSubEstado || !vinhaDaPausa) {
        CarregadorMidia::liberar(camada3);
        camada3 = CarregadorMidia::imagem(CaminhosAssets::menuPausa());
        // The race as it was when paused stays visible under the page.
        CarregadorMidia::desenharMascarado(buffer, camada3, 0, 0);
        blit(buffer, bufferPausa, 0, 0, 0, 0, LARGURA_TELA, ALTURA_TELA);
        esperar(200);
    }
    blit(bufferPausa, buffer, 0, 0, 0, 0, LARGURA_TELA, ALTURA_TELA);
    desenharPonteiro(c);
    mostrarBuffer();
}

void Pintor::pintarCarregamento(cavalete c) {
    if (c.transicaoEstadoGlobal) {
        clear_to_color(buffer, 0);
        for (bool& usada : frasesUsadas) usada = false;
    }
    int s = c.subEstado;
    int passo = 0;
    const int passos[] = {E::SUB_CARREGA_MAPA, E::SUB_CARREGA_TRANSITO, E::SUB_CARREGA_FIGURAS, E::SUB_CARREGA_JOGADOR,
                          E::SUB_CARREGA_FIM};
    for (int k = 0; k < 5 && passo == 0; k++) {
        if (temFator(s, passos[k])) passo = k + 1;
    }
    BITMAP* imagem = CarregadorMidia::imagem(CaminhosAssets::carregando(passo));
    if (imagem != nullptr) {
        draw_sprite(buffer, imagem, 400 - imagem->w / 2, 300 - imagem->h / 2);
        destroy_bitmap(imagem);
    }

    // No phrase twice in one loading; should a loading ever last longer than
    // there are phrases, they start over rather than the draw never ending.
    bool todasUsadas = true;
    for (bool usada : frasesUsadas) todasUsadas = todasUsadas && usada;
    if (todasUsadas) {
        for (bool& usada : frasesUsadas) usada = false;
    }
    int i;
    do {
        i = std::rand() % CaminhosAssets::NUMERO_FRASES;
    } while (frasesUsadas[i]);
    frasesUsadas[i] = true;
    BITMAP* frase = CarregadorMidia::imagem(CaminhosAssets::frase(i));
    if (frase != nullptr) {
        draw_sprite(buffer, frase, 400 - frase->w / 2, 300 + 3 * frase->h);
    }
    mostrarBuffer();
    CarregadorMidia::liberar(frase);
    esperar(static_cast<unsigned int>(std::rand() % 1000 + 1));
}

void Pintor::pintarCaixaLuzes(int acesas) {
    const int L = LARGURA_TELA - 350;
    rectfill(buffer, L, 0, LARGURA_TELA, 144, makecol(0, 0, 0));
    for (int i = 0; i < E::LUZES; ++i) {
        BITMAP* luz = i < acesas ? frescuras[6] : frescuras[5];
        sprites.desenhar(buffer, luz, L + 15 + 68 * i, 12);
    }
}

void Pintor::pintarLargada(cavalete c) {
    const int L = LARGURA_TELA - 350;
    int s = c.subEstado;
    int acesa = -1;
    for (int k = 0; k < E::LUZES; ++k) {
        if (temFator(s, E::SUB_LUZES[k])) {
            acesa = k;
            break;
        }
    }
    if (c.transicaoEstadoGlobal || vinhaDaPausa) {
        // After a pause the pause page is still in the buffer: draw the view
        // and the box again, with the lights already lit before it.
        colarNaTelaJogo(c);
        pintarCaixaLuzes(c.transicaoEstadoGlobal ? 0 : acesa);
    }
    if (acesa >= 0) {
        sprites.desenhar(buffer, frescuras[6], L + 15 + 68 * acesa, 12);
    }
    pintarMostrador(c.velocidadeJogador1);
    pintarAceleracao(c);
    pintarTrechoCompleto(c);
    mostrarBuffer();
    if (temFator(s, E::SUB_LUZES[E::LUZES - 1])) {
        esperar(static_cast<unsigned int>(std::rand() % 4000 + 1));
    } else {
        esperar(500);
    }
}

// ---------------------------------------------------------------- HUD

void Pintor::pintarAceleracao(cavalete c) {
    const int h = ALTURA_BARRA, w = LARGURA_BARRA;
    float a = c.acelleracao;
    if (!(a >= 0.0f)) a = 0.0f;  // NaN too
    if (a > 1.0f) a = 1.0f;
    // Fills from the bottom, green at the bottom to red at the top; redrawn
    // only when another row is reached.
    const int cheiaAbaixo = static_cast<int>(h - h * a);
    if (cheiaAbaixo != barraCheiaAbaixo) {
        clear_to_color(barraAceleracao, 0);
        for (int i = h; cheiaAbaixo < i; --i)
            line(barraAceleracao, 0, i, w, i, makecol((h - i) * 255 / h, i * 255 / h, 0));
        barraCheiaAbaixo = cheiaAbaixo;
    }
    // No pixel of it is the mask colour (its blue is 0): copied whole.
    blit(barraAceleracao, buffer, 0, 0, LARGURA_TELA - 110, ALTURA_TELA - h, w, h);
    if (c.marcha >= 0 && c.marcha <= 9) {
        sprites.desenhar(buffer, numeros[c.marcha], LARGURA_TELA - 110, ALTURA_TELA - 115);
    }
    AvisosCorrida::desenhar(buffer, c);
}

void Pintor::pintarRelogio(cavalete c) {
    BITMAP* moldura = frescuras[4];
    int m = (LARGURA_TELA - (moldura != nullptr ? moldura->w : 0)) / 2;
    sprites.desenhar(buffer, moldura, m, 0);
    auto digito = [&](int d, int x) {
        d = std::abs(d) % 10;
        sprites.desenhar(buffer, numeros[d], m + x, 13);
    };
    digito(c.minutos / 10 % 10, 19);
    digito(c.minutos % 10, 42);
    sprites.desenhar(buffer, frescuras[3], m + 65, 13);
    digito(c.segundos / 10, 73);
    digito(c.segundos % 10, 96);
    sprites.desenhar(buffer, frescuras[3], m + 119, 13);
    digito(c.centesimos / 10, 127);
    digito(c.centesimos % 10, 150);
}

void Pintor::pintarTrechoCompleto(cavalete c) {
    rectfill(buffer, 0, 0, LARGURA_TELA, 6, makecol(0, 0, 0));
    // The finish where the race's city has it (city 1's: 744 to 776).
    const int marca =
        escolha != nullptr && tamanhoMapa.getX() > 0.0f
            ? static_cast<int>(std::lround(escolha->getCorrida().chegada * LARGURA_TELA / tamanhoMapa.getX()))
            : 760;
    rectfill(buffer, marca - 16, 0, marca + 16, 6, makecol(255, 255, 255));
    if (tamanhoMapa.getX() > 0.0f) {
        if (c.fantasmaVisivel) {
            PainelFantasma::desenharMarca(
                buffer, static_cast<int>(std::lround(c.posicaoFantasma.getX() * LARGURA_TELA / tamanhoMapa.getX())));
        }
        int p = static_cast<int>(std::lround(c.posicaoJogador1.getX() * LARGURA_TELA / tamanhoMapa.getX()));
        rectfill(buffer, p - 3, 0, p + 3, 6, makecol(0, 100, 100));
    }
}
