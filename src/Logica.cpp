#include "Logica.h"

#include <cmath>

#include "CapturaAudio.h"
#include "Carro.h"
#include "CarroCalculos.h"
#include "Cronometro.h"
#include "EstadoJogadores.h"
#include "EstadoJogo.h"
#include "LogicaColisao.h"
#include "LogicaNPC.h"
#include "NomesAssets.h"
#include "RepartidorGravacao.h"
#include "TratadorEntradas.h"
#include "VerificadorMicrofone.h"

namespace {

// The menu buttons (Play, Instructions, Exit, Records, the instruction
// pages' Back and Next, the records page's Back, the pause menu's Resume and
// Quit) are NomesAssets::BOTAO_*: the asset generator paints the same
// rectangles that are clicked here.
using namespace NomesAssets;

// Player controls.
const float FREIO_ACIONADO = 0.5f;
const float FREIO_SOLTO = 1.0f;
const double PASSO_VOLANTE = 0.08725;
const float LIMITE_VOLANTE = 0.8f;
const double ZONA_MORTA_VOLANTE = 0.1745;
const double RETORNO_VOLANTE = 0.9;
const int MARCHA_MAIS_ALTA = 3;
const int MARCHA_RE = -1;

bool contem(int conjunto, int primo) { return EstadoJogo::contem(conjunto, primo); }

// The page with the microphone check.
bool isPrimeiraPaginaInstrucoes(int s) {
    return contem(s, EstadoJogo::SUB_INSTRUCOES_1) && !contem(s, EstadoJogo::SUB_INSTRUCOES_2) &&
           !contem(s, EstadoJogo::SUB_MENU_PRINCIPAL);
}

}  // namespace

Logica::Logica(TratadorEntradas* t)
    : tiles(), posicoes(), angulos(), tiposCarro(), estado(new EstadoJogo()), estadoJogadores(new EstadoJogadores()),
      colisao(nullptr), npc(nullptr), entradas(nullptr), calculosFisicos(new CarroCalculos()), repartidor(nullptr),
      microfone(nullptr), verificacaoMicrofone(nullptr), timer(nullptr), fantasma(),
      rastro(ULTIMA_LINHA, ULTIMA_COLUNA), preferenciasPadrao(), preferencias(&preferenciasPadrao), navegacao(),
      linhaChegada(), cidades() {
    entradas = t;
    // The race and the microphone check each hear every recorded buffer.
    repartidor = new RepartidorGravacao(CapturaAudio::getFonteGravacao());
    microfone = repartidor->criarCaptura(0);
    verificacaoMicrofone = new VerificadorMicrofone(repartidor, 1);
    verificacaoMicrofone->setPreferencias(preferencias);
    timer = new Cronometro();
}

void Logica::setPreferencias(Preferencias* p) {
    preferencias = p ? p : &preferenciasPadrao;
    cidades.setPreferencias(p);
    verificacaoMicrofone->setPreferencias(preferencias);
}

Logica::~Logica() {
    // main keeps the driver for the whole run; releasing everything here
    // keeps short-lived drivers (tests, tools) from leaking.
    gameOver();
    delete timer;
    delete verificacaoMicrofone;
    delete microfone;
    delete repartidor;
    delete calculosFisicos;
    delete estadoJogadores;
    delete estado;
}

void Logica::gameOver() {
    delete npc;
    npc = nullptr;
    delete colisao;
    colisao = nullptr;
}

int Logica::getMusicasCalar() { return estado->getMusicasToStop(); }

int Logica::getMusicasCantar() { return estado->getMusicasToPlay(); }

void Logica::fimDeCiclo() {
    estado->zerarMusicas();
    estado->zerarTransicaoEstadoGlobal();
    estado->zerarTransicaoSubEstado();
    posicoes.clear();
    tiles.clear();
    angulos.clear();
    tiposCarro.clear();
}

void Logica::calcularLogica() {
    entradas->lerEntradas();
    const unsigned comandos = cidades.acompanharPagina(*estado, *entradas);
    navegacao.iniciarQuadro(NavegacaoMenu::chavePagina(estado->getEstadoGlobal(), estado->getSubEstado()), comandos);
    switch (estado->getEstadoGlobal()) {
        case menu:
            if (estado->hasTransicaoEstadoGlobal()) {
                estado->addMusicaStartada(EstadoJogo::MUSICA_MENU);
                getRecordes().carregar(false);  // the best time on the main menu
            }
            if (!verificacaoMicrofone->isListaAberta()) analisarMenus();  // an open list takes the keys
            verificacaoMicrofone->acompanhar(isPrimeiraPaginaInstrucoes(estado->getSubEstado()),
                                             entradas->getComandos(), entradas->isFocado());
            if (verificacaoMicrofone->tomarCorrida()) iniciarCarregamento();
            break;
        case jogando:
            entradas->juntarPausaAoEsc();
            calcularLogicaJogo();
            break;
        case finalizando: finalizarCorrida(); break;
        case carregando: carregandoJogo(); break;
        case abertura:
        case sair: break;
    }
    if (entradas->isComando(ComandosEntrada::FANTASMA)) {
        preferencias->setFantasmaLigado(!preferencias->isFantasmaLigado());
    }
}

bool Logica::isClicado(const NomesAssets::RetanguloBotao& r) {
    // Where the button went down, in the picture's pixels.
    const int x = entradas->getCliqueX(), y = entradas->getCliqueY();
    const bool rato =
        entradas->isPressed(TratadorEntradas::BOTAO_MOUSE) && x >= r.x1 && x <= r.x2 && y >= r.y1 && y <= r.y2;
    return navegacao.isApertado(r) || rato;
}

void Logica::analisarMenus() {
    const bool esc = entradas->isPressed(TratadorEntradas::TECLA_ESC);
    const int s = estado->getSubEstado();

    if (contem(s, EstadoJogo::SUB_MENU_PRINCIPAL)) {
        const bool jogar = isClicado(BOTAO_JOGAR);
        // Until the voice was calibrated once, Play leads to the microphone
        // check first (the race follows from there).
        const bool afinar = jogar && verificacaoMicrofone->oferecerAfinacao(*microfone);
        if (jogar && !afinar) {
            iniciarCarregamento();
        } else if (afinar || isClicado(BOTAO_INSTRUCOES)) {
            estado->addSubEstado(EstadoJogo::SUB_INSTRUCOES_1);
            estado->remSubEstado(EstadoJogo::SUB_MENU_PRINCIPAL);
        } else if (isClicado(BOTAO_SAIR) || esc) {
            estado->setEstadoGlobal(sair);
        } else if (isClicado(BOTAO_RECORDES)) {
            estado->addSubEstado(EstadoJogo::SUB_RECORDES);
            estado->remSubEstado(EstadoJogo::SUB_MENU_PRINCIPAL);
            getRecordes().carregar();
        }
    } else if (contem(s, EstadoJogo::SUB_INSTRUCOES_2)) {
        if (isClicado(BOTAO_VOLTAR_PAGINA_2) || esc) {
            estado->remSubEstado(EstadoJogo::SUB_INSTRUCOES_2);
        }
    } else if (contem(s, EstadoJogo::SUB_INSTRUCOES_1)) {
        if (isClicado(BOTAO_VOLTAR_PAGINA_1) || esc) {
            estado->addSubEstado(EstadoJogo::SUB_MENU_PRINCIPAL);
            estado->remSubEstado(EstadoJogo::SUB_INSTRUCOES_1);
        }
        if (isClicado(BOTAO_PROXIMA_PAGINA)) {
            estado->addSubEstado(EstadoJogo::SUB_INSTRUCOES_2);
        }
    } else if (contem(s, EstadoJogo::SUB_RECORDES)) {
        if (isClicado(BOTAO_VOLTAR_RECORDES) || esc) {
            estado->remSubEstado(EstadoJogo::SUB_RECORDES);
            estado->addSubEstado(EstadoJogo::SUB_MENU_PRINCIPAL);
        }
    }
}

void Logica::iniciarCarregamento() {
    estado->addMusicaStartada(EstadoJogo::MUSICA_CARREGANDO);
    estado->addMusicaStopada(EstadoJogo::MUSICA_MENU);
    estado->setEstadoGlobal(carregando);
    estado->remSubEstado(estado->getSubEstado());
    estado->addSubEstado(EstadoJogo::SUB_CARREGA_MAPA);
}

void Logica::voltarAoMenu() {
    estado->setEstadoGlobal(menu);
    estado->remSubEstado(estado->getSubEstado());
    estado->addSubEstado(EstadoJogo::SUB_MENU_PRINCIPAL);
    getRecordes().carregar(false);
}

void Logica::calcularLogicaJogo() {
    const int s = estado->getSubEstado();
    Carro* jogador = estadoJogadores->getJogador1();

    if (contem(s, EstadoJogo::SUB_PAUSA)) {
        if (entradas->isPressed(TratadorEntradas::TECLA_ESC) || isClicado(BOTAO_CONTINUAR)) {
            estado->remSubEstado(EstadoJogo::SUB_PAUSA);
            // A pause taken during the countdown never started the
            // stopwatch, so leaving it must not either: the first running
            // frame starts it.
            if (contem(s, EstadoJogo::SUB_CORRENDO)) {
                timer->pause();
            }
        } else if (isClicado(BOTAO_DESISTIR)) {
            voltarAoMenu();
            estado->addMusicaStartada(EstadoJogo::MUSICA_MENU);
            estado->addMusicaStopada(EstadoJogo::MUSICA_CORRIDA);
        }
    } else if (contem(s, EstadoJogo::SUB_CORRENDO)) {
        if (contem(s, EstadoJogo::SUB_LARGADA)) {
            estado->remSubEstado(EstadoJogo::SUB_LARGADA);
            timer->pause();
            // A gear tapped in during the last light's wait takes now.
            analisarEntradaJogador(jogador);
            // Escape (or a lost focus) pauses from the next frame, before
            // the car moves.
            entradas->manterEscape();
        } else if (entradas->isPressed(TratadorEntradas::TECLA_ESC) || entradas->isFocoPerdido()) {
            // A player who switches to another window is not racing.
            estado->addSubEstado(EstadoJogo::SUB_PAUSA);
            timer->pause();
        } else {
            const Vetor p = jogador->getPosicao();
            npc->trabalhar(p.getX(), p.getY());
            calcularDeslocamentoJogador(jogador);
            verificarColisao();
        }
        if (timer->isContando()) fantasma.gravar(timer->getTempoCorrida(), *jogador);
        if (hasObjetivoConcluido()) {
            estado->setEstadoGlobal(finalizando);
            estado->addMusicaStopada(EstadoJogo::MUSICA_CORRIDA);
            // Stopped here; a finish in the frame that paused has already
            // stopped it, and a second toggle would restart it.
            if (timer->isContando()) {
                timer->pause();
            }
            const int tempo = timer->getTotalTime();
            cidades.getPlacarCorrida().registrarChegada(tempo, fantasma.concluir(tempo), linhaChegada);
        }
    } else if (contem(s, EstadoJogo::SUB_LARGADA)) {
        logicaLargada();
    }
}

void Logica::finalizarCorrida() {
    // The time is already in the record file (a file that cannot be
    // written was reported then); the game goes back to the menu anyway.
    voltarAoMenu();
    estado->addMusicaStartada(EstadoJogo::MUSICA_MENU);
}

void Logica::desistirDoCarregamento() {
    // The reader has already said which file and what is wrong; racing on
    // an empty world would only hide it.
    gameOver();
    voltarAoMenu();
    estado->addMusicaStartada(EstadoJogo::MUSICA_MENU);
}

void Logica::carregandoJogo() {
    const int s = estado->getSubEstado();
    if (contem(s, EstadoJogo::SUB_CARREGA_MAPA)) {
        estado->addSubEstado(EstadoJogo::SUB_CARREGA_TRANSITO);
        // The previous race's world is released before the new one is made.
        delete colisao;
        colisao = new LogicaColisao();
        cidades.iniciarCorrida();
        colisao->gerarMapaColisao(cidades.getCorrida().mapa);
        rastro = RastroCarros(std::max(colisao->getAltura() - 1, 0), std::max(colisao->getLargura() - 1, 0));
        estado->remSubEstado(EstadoJogo::SUB_CARREGA_MAPA);
        if (!colisao->isCarregado()) {
            desistirDoCarregamento();
        }
    } else if (contem(s, EstadoJogo::SUB_CARREGA_TRANSITO)) {
        estado->addSubEstado(EstadoJogo::SUB_CARREGA_FIGURAS);
        delete npc;
        npc = new LogicaNPC(cidades.getCorrida().carros, cidades.getCorrida().esperaTransito);
        npc->carregarMatrizTransito(cidades.getCorrida().mapa);
        estado->remSubEstado(EstadoJogo::SUB_CARREGA_TRANSITO);
        if (!npc->isCarregado()) {
            desistirDoCarregamento();
        }
    } else if (contem(s, EstadoJogo::SUB_CARREGA_FIGURAS)) {
        estado->addSubEstado(EstadoJogo::SUB_CARREGA_JOGADOR);
        estado->remSubEstado(EstadoJogo::SUB_CARREGA_FIGURAS);
    } else if (contem(s, EstadoJogo::SUB_CARREGA_JOGADOR)) {
        estado->addSubEstado(EstadoJogo::SUB_CARREGA_FIM);
        estado->setFaseAtual(cidades.getCorrida().mapa);
        configuracoesIniciaisPartida();
        fantasma.iniciar(cidades.getCorrida().mapa, cidades.getPlacarCorrida().getFantasma(),
                         ProgressoRota(cidades.getCorrida().rota));
        estado->remSubEstado(EstadoJogo::SUB_CARREGA_JOGADOR);
    } else if (contem(s, EstadoJogo::SUB_CARREGA_FIM)) {
        estado->setEstadoGlobal(jogando);
        estado->addSubEstado(EstadoJogo::SUB_LARGADA);
        // Zero and standing still until the first running frame.
        timer->start();
        timer->pause();
        estado->remSubEstado(EstadoJogo::SUB_CARREGA_FIM);
    } else {
        estado->remSubEstado(s);
    }
    // Escape cannot act while loading: it pauses the countdown that
    // follows. A load given up has already gone back to the menu, which is
    // what it asked for (there it would quit).
    if (estado->getEstadoGlobal() != menu) {
        entradas->manterEscape();
    }
}

void Logica::configuracoesIniciaisPartida() {
    config_iniciais configuracoes;
    configuracoes.id1 = 1;
    configuracoes.foto1 = 1;
    configuracoes.id2 = 2;
    configuracoes.foto2 = 2;
    configuracoes.posJogador1 = cidades.getCorrida().largada;
    configuracoes.posJogador2 = Vetor(0.0f, 0.0f);
    estadoJogadores->inicializarCarrosJogadores(configuracoes);
    acelerador.iniciarCorrida();
}

void Logica::logicaLargada() {
    if (entradas->isPressed(TratadorEntradas::TECLA_ESC) || entradas->isFocoPerdido()) {
        estado->addSubEstado(EstadoJogo::SUB_PAUSA);
        return;
    }
    analisarEntradaJogador(estadoJogadores->getJogador1());

    // One light per frame: each prime makes way for the next, the last for
    // the race.
    const int* luzes = EstadoJogo::SUB_LUZES;
    const int s = estado->getSubEstado();
    int adicionar = luzes[0];
    int remover = EstadoJogo::SUB_NENHUM;
    for (int i = 0; i < EstadoJogo::LUZES; i++) {
        if (contem(s, luzes[i])) {
            adicionar = i + 1 < EstadoJogo::LUZES ? luzes[i + 1] : EstadoJogo::SUB_CORRENDO;
            remover = luzes[i];
            break;
        }
    }
    if (remover == EstadoJogo::SUB_NENHUM) {
        estado->addMusicaStartada(EstadoJogo::MUSICA_CORRIDA);
    }
    estado->addSubEstado(adicionar);
    estado->remSubEstado(remover);
    if (contem(estado->getSubEstado(), EstadoJogo::SUB_CORRENDO)) {
        estado->zerarTransicaoSubEstado();
    }
}

bool Logica::hasObjetivoConcluido() { return cidades.isChegada(estadoJogadores->getJogador1()->getPosicao()); }

void Logica::calcularDeslocamentoJogador(Carro* jogador) {
    analisarEntradaJogador(jogador);
    calculosFisicos->calcularFisica(jogador, PASSO_QUADRO_F);
}

void Logica::analisarEntradaJogador(Carro* jogador) {
    // The recorder is polled every frame, so that it is noticed when it
    // stops or comes back.
    const bool ronco = microfone->rotinaCompleta();
    jogador->setAceleracao(acelerador.calcular(*microfone, ronco, *preferencias, entradas->isAceleradorApertado()));

    const int marcha = jogador->getMarcha();
    const bool e = entradas->isPressed(TratadorEntradas::TECLA_E);
    const bool q = entradas->isPressed(TratadorEntradas::TECLA_Q);
    if (e && marcha < MARCHA_MAIS_ALTA && !jogador->getMudancaMarcha()) {
        jogador->setMarcha(marcha + 1);
    } else if (q && marcha > MARCHA_RE && !jogador->getMudancaMarcha()) {
        jogador->setMarcha(marcha - 1);
    } else if (!e && !q) {
        jogador->zerarMudancaMarcha();
    }

    jogador->setFreio(entradas->isPressed(TratadorEntradas::TECLA_ESPACO) ? FREIO_ACIONADO : FREIO_SOLTO);

    float volante = jogador->getAnguloVolante();
    if (entradas->isPressed(TratadorEntradas::TECLA_A)) {
        volante = static_cast<float>(volante - PASSO_VOLANTE);
        if (volante < -LIMITE_VOLANTE) volante = -LIMITE_VOLANTE;
    } else if (entradas->isPressed(TratadorEntradas::TECLA_D)) {
        volante = static_cast<float>(volante + PASSO_VOLANTE);
        if (volante > LIMITE_VOLANTE) volante = LIMITE_VOLANTE;
    } else if (volante > -ZONA_MORTA_VOLANTE && volante < ZONA_MORTA_VOLANTE) {
        volante = 0.0f;
    } else {
        volante = static_cast<float>(volante * RETORNO_VOLANTE);
    }
    jogador->setAnguloVolante(volante);
}

void Logica::verificarColisao() { ColisoesCorrida::tratar(colisao, estadoJogadores->getJogador1(), npc); }

cavalete Logica::construirCavalete() {
    cavalete c;
    c.estado = estado->getEstadoGlobal();
    c.subEstado = estado->getSubEstado();
    c.transicaoEstadoGlobal = estado->hasTransicaoEstadoGlobal();
    c.transicaoSubEstado = estado->hasTransicaoSubEstado();
    c.fantasmaLigado = preferencias->isFantasmaLigado();
    if (c.estado != jogando && c.estado != finalizando) {
        return c;
    }
    const Carro* jogador = estadoJogadores->getJogador1();
    c.fase = estado->getFaseAtual();
    c.minutos = timer->getMinutos();
    c.segundos = timer->getSegundos();
    c.centesimos = timer->getCentesimos();
    c.acelleracao = jogador->getAceleracao();
    c.posicaoJogador1 = Vetor(jogador->getPosicao().getY(), jogador->getPosicao().getX());
    c.velocidadeJogador1 = jogador->getModuloVelocidade();
    c.anguloJogador1 = jogador->getAngulo();
    c.endFotoCarro1 = jogador->getEndFotoCarro();
    c.marcha = jogador->getMarcha() == MARCHA_RE ? 9 : jogador->getMarcha();
    c.microfonePerdido = microfone->getEstadoMicrofone().getSituacao() == EstadoMicrofone::PARADO;
    c.gasPelaTecla = acelerador.isPelaTecla();
    c.dicaCalibrar = acelerador.isDica();
    if (c.fantasmaLigado) {
        fantasma.preencher(c, timer->getTempoCorrida(), *jogador,
                           c.estado == jogando && contem(c.subEstado, EstadoJogo::SUB_CORRENDO));
    }
    if (!contem(c.subEstado, EstadoJogo::SUB_PAUSA)) {
        selcionarTilesARepintar(&c);
    }
    return c;
}

void Logica::acrescentarTilesDoCarro(const Carro* carro, int atualX, int atualY) {
    if (carro->isParado()) {
        return;
    }
    const Vetor p = carro->getPosicao();
    const Vetor v = carro->getVelocidade();
    const int meiaAltura = carro->getH() / 2;
    const int meiaLargura = carro->getW() / 2;
    // The corner where the car was a moment ago, in tiles.
    const float quocienteX = static_cast<float>(
        (static_cast<double>(p.getX()) - static_cast<double>(v.getX()) * PASSO_QUADRO - meiaAltura) / LADO_TILE);
    const float quocienteY = static_cast<float>(
        (static_cast<double>(p.getY()) - static_cast<double>(v.getY()) * PASSO_QUADRO - meiaLargura) / LADO_TILE);
    const int anteriorX = static_cast<int>(std::ceil(quocienteX));
    const int anteriorY = static_cast<int>(std::ceil(quocienteY));

    const int minX = std::max(std::min(atualX, anteriorX) - 1, 0);
    const int maxX = std::min(std::max(atualX, anteriorX) + 1, colisao ? colisao->getAltura() - 1 : ULTIMA_LINHA);
    const int minY = std::max(std::min(atualY, anteriorY) - 1, 0);
    const int maxY = std::min(std::max(atualY, anteriorY) + 1, colisao ? colisao->getLargura() - 1 : ULTIMA_COLUNA);
    for (int x = minX; x <= maxX; x++) {
        for (int y = minY; y <= maxY; y++) {
            tiles.push_front(Vetor(static_cast<float>(x), static_cast<float>(y)));
        }
    }
}

void Logica::selcionarTilesARepintar(cavalete* c) {
    const Carro* jogador = estadoJogadores->getJogador1();
    const Vetor p = jogador->getPosicao();
    const int atualX = static_cast<int>(std::floor((p.getX() - jogador->getH() / 2) / LADO_TILE));
    const int atualY = static_cast<int>(std::floor((p.getY() - jogador->getW() / 2) / LADO_TILE));
    acrescentarTilesDoCarro(jogador, atualX, atualY);
    rastro.marcar(jogador);
    // The ghost is drawn in the player's picture, under every car.
    const Vetor f = c->posicaoFantasma;
    if (c->fantasmaVisivel) rastro.marcar(Vetor(f.getY(), f.getX()), jogador->getW(), jogador->getH());

    const int visiveis = npc != nullptr ? selecionarTrafego(jogador, npc) : 0;
    rastro.listar(tiles);

    c->itTilesInicio = tiles.begin();
    c->itTilesFim = tiles.end();
    c->itAnguloInicio = angulos.begin();
    c->itPosicaoInicio = posicoes.begin();
    c->itPosicaoFim = posicoes.end();
    c->itTipoCarro = tiposCarro.begin();
    c->numeroNPCs = visiveis;
}
