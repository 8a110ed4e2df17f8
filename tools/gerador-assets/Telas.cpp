#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Cena.h"
#include "Desenho.h"
#include "NomesAssets.h"
#include "Partes.h"

using namespace desenho;

namespace telas {

namespace {

using Retangulo = NomesAssets::RetanguloBotao;
using NomesAssets::BOTAO_CONTINUAR;
using NomesAssets::BOTAO_DESISTIR;
using NomesAssets::BOTAO_INSTRUCOES;
using NomesAssets::BOTAO_JOGAR;
using NomesAssets::BOTAO_PROXIMA_PAGINA;
using NomesAssets::BOTAO_RECORDES;
using NomesAssets::BOTAO_SAIR;
using NomesAssets::BOTAO_VOLTAR_PAGINA_1;
using NomesAssets::BOTAO_VOLTAR_PAGINA_2;
using NomesAssets::BOTAO_VOLTAR_RECORDES;

int verde() { return rgb(40, 170, 70); }
int azul() { return rgb(40, 110, 210); }
int vermelho() { return rgb(210, 50, 50); }
int dourado() { return rgb(215, 150, 30); }

void botao(BITMAP* b, const Retangulo& r, const std::string& rotulo, int cor, int escalaMax = 4) {
    desenho::botao(b, r.x1, r.y1, r.x2, r.y2, rotulo, cor, escalaMax);
}

void titulo(BITMAP* b, const std::string& s, int cx, int y, int escala) { texto(b, s, cx, y, estiloTitulo(escala)); }

int linha(BITMAP* b, const std::string& s, int x, int y, int cor, int escala = 2, Alinhamento a = ESQUERDA) {
    EstiloTexto e;
    e.escalaX = e.escalaY = escala;
    e.cor = cor;
    e.sombra = escala >= 2 ? 2 : 1;
    e.corSombra = rgb(0, 0, 0);
    e.alinhamento = a;
    return texto(b, s, x, y, e);
}

// A keyboard key with its label, top-left at (x, y); returns its right edge.
int tecla(BITMAP* b, int x, int y, const std::string& rotulo, int largura = 44) {
    retanguloArredondado(b, x, y + 4, x + largura, y + 44, 8, rgb(30, 30, 36));
    retanguloArredondado(b, x, y, x + largura, y + 38, 8, rgb(120, 120, 130));
    retanguloArredondado(b, x + 4, y + 2, x + largura - 4, y + 30, 6, rgb(236, 236, 240));
    EstiloTexto e;
    e.escalaX = e.escalaY = 2;
    e.cor = rgb(30, 30, 40);
    e.alinhamento = CENTRO;
    texto(b, rotulo, x + largura / 2, y + 8, e);
    return x + largura;
}

// The city line's panel and arrows; the game writes the city in it.
void linhaCidade(BITMAP* b, const NomesAssets::RetanguloBotao& l) {
    const int amarelo = rgb(255, 210, 40), a = NomesAssets::SETA_CIDADE_LARGURA;
    retanguloArredondado(b, l.x1 + 3, l.y1 + 4, l.x2 + 3, l.y2 + 4, 8, rgb(0, 0, 0));
    retanguloArredondado(b, l.x1, l.y1, l.x2, l.y2, 8, amarelo);
    retanguloArredondado(b, l.x1 + 2, l.y1 + 2, l.x2 - 2, l.y2 - 2, 6, rgb(16, 18, 40));
    const int cy = (l.y1 + l.y2) / 2, meia = (l.y2 - l.y1) / 2 - 8;
    triangle(b, l.x1 + 10, cy, l.x1 + a - 10, cy - meia, l.x1 + a - 10, cy + meia, amarelo);
    triangle(b, l.x2 - 10, cy, l.x2 - a + 10, cy - meia, l.x2 - a + 10, cy + meia, amarelo);
}

BITMAP* fundoMenu() {
    BITMAP* b = criar(800, 600, rgb(0, 0, 0));
    cena::porDoSol(b, 380);
    cena::carroDeTras(b, 400, 560, 200, rgb(220, 30, 30));
    return b;
}

void salvarMenu(BITMAP* b, const std::string& raiz, const char* nome) {
    salvar(b, raiz + "/" + nome);
    destroy_bitmap(b);
}

void menuPrincipal(const std::string& raiz) {
    BITMAP* b = fundoMenu();
    titulo(b, "RONCO", 300, 14, 8);
    linha(b, "THE VOICE-POWERED STREET RACE", 300, 94, rgb(255, 255, 255), 2, CENTRO);
    botao(b, BOTAO_JOGAR, "PLAY", verde());
    botao(b, BOTAO_SAIR, "EXIT", vermelho());
    botao(b, BOTAO_RECORDES, "RECORDS", dourado());
    linhaCidade(b, NomesAssets::CIDADE_MENU);
    // "Instructions" is too long for the button at 2x: a big "?" above it.
    const Retangulo& r = BOTAO_INSTRUCOES;
    desenho::painel(b, r.x1, r.y1, r.x2, r.y2, 14, azul());
    EstiloTexto e;
    e.escalaX = e.escalaY = 4;
    e.cor = rgb(255, 255, 255);
    e.corBaixo = rgb(255, 236, 170);
    e.contorno = escurecer(azul(), 0.7f);
    e.sombra = 2;
    e.alinhamento = CENTRO;
    int cx = (BOTAO_INSTRUCOES.x1 + BOTAO_INSTRUCOES.x2 - 3) / 2;
    texto(b, "?", cx, BOTAO_INSTRUCOES.y1 + 10, e);
    e.escalaX = 1;
    e.escalaY = 2;
    texto(b, "INSTRUCTIONS", cx, BOTAO_INSTRUCOES.y2 - 30, e);
    rectfill(b, 0, 574, 799, 599, rgb(10, 10, 20));
    linha(b, "ROAR INTO THE MICROPHONE TO SPEED UP!", 400, 579, rgb(255, 220, 90), 2, CENTRO);
    // The game writes whether the ghost races in here.
    using namespace NomesAssets;
    retanguloArredondado(b, MENU_FANTASMA_X1 + 3, MENU_FANTASMA_Y1 + 4, MENU_FANTASMA_X2 + 3, MENU_FANTASMA_Y2 + 4, 8,
                         rgb(0, 0, 0));
    retanguloArredondado(b, MENU_FANTASMA_X1, MENU_FANTASMA_Y1, MENU_FANTASMA_X2, MENU_FANTASMA_Y2, 8,
                         rgb(200, 170, 255));
    retanguloArredondado(b, MENU_FANTASMA_X1 + 2, MENU_FANTASMA_Y1 + 2, MENU_FANTASMA_X2 - 2, MENU_FANTASMA_Y2 - 2, 6,
                         rgb(16, 18, 40));
    salvarMenu(b, raiz, "graficos/menus/menu principal.bmp");
}

BITMAP* fundoPagina(const std::string& cabecalho) {
    BITMAP* b = fundoMenu();
    cena::escurecerTudo(b, rgb(10, 10, 30), 0.55f);
    desenho::painel(b, 24, 16, 775, 540, 18, rgb(30, 50, 100));
    titulo(b, cabecalho, 400, 30, 4);
    return b;
}

void instrucoes1(const std::string& raiz) {
    BITMAP* b = fundoPagina("HOW TO PLAY");
    int branco = rgb(255, 255, 255), amarelo = rgb(255, 220, 90), verdeClaro = rgb(140, 240, 140);
    linha(b, "YOUR VOICE IS THE GAS PEDAL", 400, 72, amarelo, 2, CENTRO);
    cena::microfone(b, 118, 180, 124);
    int x = 214, y = 100;
    linha(b, "1. PLUG IN A MICROPHONE.", x, y, branco);
    linha(b, "2. IMITATE A CAR ENGINE:", x, y + 26, branco);
    texto(b, "VRRRROOOOM!", 490, y + 52, estiloTitulo(3));
    linha(b, "3. ROAR: THE LOUDER, THE MORE GAS.", x, y + 88, branco);
    linha(b, "4. GO QUIET TO EASE OFF.", x, y + 114, branco);
    linha(b, "A STEADY, DEEP RUMBLE WORKS BEST!", 400, y + 146, verdeClaro, 2, CENTRO);
    // The microphone check: the game draws it live in the transparent hole,
    // and its title (what to do now) on the frame above it.
    using namespace NomesAssets;
    desenho::painel(b, VERIFICACAO_X1 - 12, VERIFICACAO_Y1 - 30, VERIFICACAO_X2 + 12, VERIFICACAO_Y2 + 10, 14,
                    rgb(120, 90, 30));
    rectfill(b, VERIFICACAO_X1, VERIFICACAO_Y1, VERIFICACAO_X2, VERIFICACAO_Y2, rgb(255, 0, 255));
    linha(b, "PAGE 1/2", 400, 518, rgb(170, 180, 220), 1, CENTRO);
    botao(b, BOTAO_VOLTAR_PAGINA_1, "BACK", vermelho());
    botao(b, BOTAO_PROXIMA_PAGINA, "NEXT >", verde());
    salvarMenu(b, raiz, "graficos/menus/menu_instrucoes.bmp");
}

// A small key cap for the keys page's rows, 24 high, top-left at (x, y);
// returns its right edge.
int teclaPequena(BITMAP* b, int x, int y, const std::string& rotulo) {
    const int largura = std::max(26, larguraTexto(rotulo, 1) + 14);
    retanguloArredondado(b, x, y + 2, x + largura, y + 24, 5, rgb(30, 30, 36));
    retanguloArredondado(b, x, y, x + largura, y + 21, 5, rgb(120, 120, 130));
    retanguloArredondado(b, x + 2, y + 1, x + largura - 2, y + 18, 4, rgb(236, 236, 240));
    EstiloTexto e;
    e.escalaX = 1;
    e.escalaY = 2;
    e.cor = rgb(30, 30, 40);
    e.alinhamento = CENTRO;
    texto(b, rotulo, x + largura / 2 + 1, y + 2, e);
    return x + largura;
}

// One row of the keys page: its keys ("A D" is two caps), what they do.
struct LinhaTeclas {
    const char* teclas;
    const char* efeito;
};

// A column of rows from (x, y), every row `passo` below the last, the
// texts starting at `xTexto`; returns the y under the last row.
int colunaTeclas(BITMAP* b, int x, int xTexto, int y, int passo, const std::vector<LinhaTeclas>& linhas) {
    EstiloTexto e;
    e.escalaX = 1;
    e.escalaY = 2;
    e.cor = rgb(255, 255, 255);
    e.sombra = 1;
    e.corSombra = rgb(0, 0, 0);
    for (const LinhaTeclas& l : linhas) {
        int fim = x;
        std::string teclas = l.teclas;
        for (size_t i = 0; i < teclas.size();) {
            const size_t espaco = std::min(teclas.find(' ', i), teclas.size());
            if (espaco > i) fim = teclaPequena(b, fim == x ? x : fim + 4, y, teclas.substr(i, espaco - i));
            i = espaco + 1;
        }
        texto(b, l.efeito, xTexto, y + 3, e);
        y += passo;
    }
    return y;
}

// Every key the game answers to: the race and the menus on the left, the
// microphone check's on the right, the gamepad below. The left column
// keeps a free row for one more key.
void instrucoes2(const std::string& raiz) {
    BITMAP* b = fundoPagina("THE KEYS");
    const int amarelo = rgb(255, 220, 90), claro = rgb(190, 200, 230);
    auto alta = [b](const std::string& s, int x, int y, int cor, Alinhamento a = ESQUERDA) {
        EstiloTexto e;
        e.escalaX = 1;
        e.escalaY = 2;
        e.cor = cor;
        e.sombra = 1;
        e.corSombra = rgb(0, 0, 0);
        e.alinhamento = a;
        texto(b, s, x, y, e);
    };
    // Ten rows above the place where a gamepad's panel covers the page
    // (PainelControle).
    const int y = 92, passo = 27;
    alta("RACE AND MENUS", 40, y - 22, amarelo);
    colunaTeclas(b, 40, 196, y, passo,
                 {{"A D", "STEER LEFT / RIGHT"},
                  {"SPACE", "BRAKE"},
                  {"E Q", "SHIFT UP / DOWN"},
                  {"W", "GAS WITHOUT A MICROPHONE"},
                  {"ESC", "PAUSE, RESUME; MENUS: BACK"},
                  {"MOUSE", "CLICK THE BUTTONS"},
                  {"N", "MUSIC OFF / ON"},
                  {"G", "GHOST ON / OFF"},
                  {"F10", "WINDOW SIZE"},
                  {"F11 ALT+ENTER", "FULLSCREEN"}});
    alta("MICROPHONE CHECK (PAGE 1)", 430, y - 22, amarelo);
    const int fim = colunaTeclas(b, 430, 500, y, passo,
                                 {{"C", "CALIBRATE: ROAR 3 SECONDS"},
                                  {"+ -", "SENSITIVITY UP / DOWN"},
                                  {"0", "SENSITIVITY BACK TO X1"},
                                  {"K", "WHEN W GIVES GAS"},
                                  {"M", "LIST OF MICROPHONES:"}});
    colunaTeclas(b, 446, 556, fim, passo, {{"UP DOWN", "CHOOSE"}, {"ENTER", "TAKE IT"}, {"ESC", "GO BACK"}});
    const int yPad = y + 10 * passo + 8;
    alta("GAMEPAD", 40, yPad, amarelo);
    alta("STICK OR D-PAD: STEER, MOVE IN MENUS   RB / LB: SHIFT   B: BRAKE", 40, yPad + 20, claro);
    alta("A OR A TRIGGER: GAS (AS W), PRESS A BUTTON   START: PAUSE", 40, yPad + 40, claro);
    alta("THE CAR STARTS IN NEUTRAL: PRESS E DURING THE START LIGHTS!", 400, yPad + 68, amarelo, CENTRO);
    linha(b, "PAGE 2/2", 400, 508, rgb(170, 180, 220), 1, CENTRO);
    botao(b, BOTAO_VOLTAR_PAGINA_2, "BACK", vermelho());
    salvarMenu(b, raiz, "graficos/menus/menu_instrucoes_2.bmp");
}

// Shown at start-up when the sound card cannot record: what that means
// for the race, and what W does instead.
void semMicrofone(const std::string& raiz) {
    BITMAP* b = fundoPagina("NO MICROPHONE");
    const int branco = rgb(255, 255, 255), amarelo = rgb(255, 220, 90), claro = rgb(190, 200, 230);
    cena::microfone(b, 130, 196, 124);
    // Crossed out: no recording this time.
    for (int k = -4; k <= 4; k++) line(b, 70 + k, 130, 190 + k, 262, rgb(220, 40, 40));
    linha(b, "THE SOUND CARD CANNOT RECORD,", 230, 110, branco);
    linha(b, "SO YOUR VOICE CANNOT DRIVE", 230, 140, branco);
    linha(b, "THIS TIME.", 230, 170, branco);
    linha(b, "PLUG IN A MICROPHONE AND START", 230, 214, claro);
    linha(b, "THE GAME AGAIN TO ROAR.", 230, 238, claro);
    int fim = tecla(b, 150, 300, "W");
    linha(b, "IS YOUR THROTTLE:", fim + 16, 312, amarelo);
    linha(b, "HOLD IT: FULL GAS", 230, 352, branco);
    linha(b, "LET GO: THE CAR COASTS", 230, 380, branco);
    linha(b, "PRESS ANY KEY TO GO ON", 400, 450, amarelo, 3, CENTRO);
    linha(b, "F11: FULLSCREEN   F10: WINDOW SIZE", 400, 500, claro, 2, CENTRO);
    salvarMenu(b, raiz, NomesAssets::AVISO_SEM_MICROFONE);
}

void recordes(const std::string& raiz) {
    BITMAP* b = fundoMenu();
    cena::escurecerTudo(b, rgb(10, 10, 30), 0.45f);
    titulo(b, "RECORDS", 400, 24, 6);
    linhaCidade(b, NomesAssets::CIDADE_RECORDES);
    int x1 = NomesAssets::RECORDES_PAINEL_X1, y1 = NomesAssets::RECORDES_PAINEL_Y1;
    int x2 = NomesAssets::RECORDES_PAINEL_X2, y2 = NomesAssets::RECORDES_PAINEL_Y2;
    desenho::painel(b, x1 - 14, y1 - 14, x2 + 14, y2 + 14, 18, rgb(120, 90, 30));
    // The list area itself stays plain and dark so the times read well.
    rectfill(b, x1, y1, x2, y2, rgb(14, 14, 26));
    rect(b, x1, y1, x2, y2, rgb(230, 190, 80));
    // Trophies either side.
    for (int cx : {100, 700}) {
        int ouro = rgb(250, 200, 50), sombra = rgb(150, 100, 20);
        for (int r = 15; r <= 19; r++) {
            circle(b, cx - 52, 226, r, r == 19 ? sombra : ouro);
            circle(b, cx + 52, 226, r, r == 19 ? sombra : ouro);
        }
        ellipsefill(b, cx, 240, 50, 56, sombra);
        ellipsefill(b, cx, 238, 48, 54, ouro);
        rectfill(b, cx - 50, 190, cx + 50, 238, ouro);
        vline(b, cx - 50, 190, 238, sombra);
        vline(b, cx + 50, 190, 238, sombra);
        ellipsefill(b, cx, 190, 52, 12, clarear(ouro, 0.3f));
        ellipsefill(b, cx, 192, 44, 8, sombra);
        rectfill(b, cx - 8, 295, cx + 8, 340, ouro);
        rectfill(b, cx - 40, 340, cx + 40, 362, sombra);
        rectfill(b, cx - 36, 336, cx + 36, 356, ouro);
        EstiloTexto e;
        e.escalaX = e.escalaY = 4;
        e.cor = rgb(255, 255, 255);
        e.contorno = sombra;
        e.alinhamento = CENTRO;
        texto(b, "1", cx, 222, e);
    }
    botao(b, BOTAO_VOLTAR_RECORDES, "BACK", vermelho());
    salvarMenu(b, raiz, NomesAssets::MENU_RECORDES);
}

void pausa(const std::string& raiz) {
    // Drawn masked over the frozen race: a checker of dark pixels dims it,
    // the mask colour lets it show through.
    BITMAP* b = criar(800, 600, magenta());
    for (int y = 0; y < 600; y++)
        for (int x = (y % 2); x < 800; x += 2) _putpixel32(b, x, y, rgb(0, 0, 0));
    desenho::painel(b, 250, 196, 550, 548, 20, rgb(40, 60, 120));
    titulo(b, "PAUSED", 400, 216, 4);
    botao(b, BOTAO_CONTINUAR, "RESUME", verde(), 3);
    int branco = rgb(255, 255, 255), claro = rgb(190, 200, 230);
    linha(b, "CLOCK STOPPED", 398, 318, branco, 2, CENTRO);
    linha(b, "ESC ALSO RESUMES", 398, 350, claro, 2, CENTRO);
    linha(b, "KEYS", 398, 392, rgb(255, 220, 90), 2, CENTRO);
    linha(b, "A/D STEER   SPACE BRAKE", 398, 420, claro, 1, CENTRO);
    linha(b, "E/Q SHIFT UP/DOWN", 398, 436, claro, 1, CENTRO);
    linha(b, "QUIT GOES BACK TO THE MENU", 398, 468, claro, 1, CENTRO);
    botao(b, BOTAO_DESISTIR, "QUIT", vermelho(), 3);
    salvarMenu(b, raiz, "graficos/menus/menu_pausa.bmp");
}

// Loading step pictures: all the same size, so each covers the last.
void carregamento(const std::string& raiz) {
    static const char* etapas[6] = {"GETTING READY",        "BUILDING THE CITY", "CALLING THE TRAFFIC",
                                    "PAINTING THE STREETS", "FUELLING YOUR CAR", "WARMING UP THE ENGINE"};
    // The player's car (already generated) drives along the track.
    BITMAP* carro = load_bitmap((raiz + "/graficos/carros/jogador.bmp").c_str(), nullptr);
    for (int n = 0; n < 6; n++) {
        BITMAP* b = criar(500, 200, rgb(0, 0, 0));
        desenho::painel(b, 0, 0, 499, 199, 20, rgb(40, 50, 90));
        titulo(b, "LOADING", 250, 14, 4);
        // Progress track: five segments, n of them lit.
        int x0 = 40, y0 = 90, w = 420, h = 34;
        rectfill(b, x0 - 4, y0 - 4, x0 + w + 4, y0 + h + 4, rgb(10, 10, 16));
        for (int k = 0; k < 5; k++) {
            int sx = x0 + k * w / 5 + 3, ex = x0 + (k + 1) * w / 5 - 3;
            int cor = k < n ? misturar(rgb(60, 200, 90), rgb(250, 210, 60), k / 4.0f) : rgb(50, 54, 70);
            rectfill(b, sx, y0, ex, y0 + h, cor);
            if (k < n) hline(b, sx, y0 + 3, ex, clarear(cor, 0.5f));
        }
        if (carro) draw_sprite(b, carro, x0 + n * w / 5 - carro->w / 2, y0 - carro->h - 4);
        linha(b, etapas[n], 250, 148, rgb(255, 255, 255), 2, CENTRO);
        char texto[16];
        std::snprintf(texto, sizeof texto, "%d/5", n);
        linha(b, texto, 470, 172, rgb(170, 180, 220), 1, DIREITA);
        char nome[80];
        std::snprintf(nome, sizeof nome, "/graficos/carregamento/carregando%d.bmp", n);
        salvar(b, raiz + nome);
        destroy_bitmap(b);
    }
    if (carro) destroy_bitmap(carro);
    static const char* frases[12] = {"ROAR LIKE AN ENGINE TO ACCELERATE",      "PRESS E TO ENGAGE FIRST GEAR",
                                     "SPACE BRAKES - USE IT BEFORE CROSSINGS", "SHIFT UP WITH E AS THE SPEED GROWS",
                                     "A AND D TURN THE STEERING WHEEL",        "ESC PAUSES THE RACE",
                                     "TRAFFIC CROSSES THE AVENUE. WATCH OUT!", "A STEADY VRRRROOOM BEATS A SHOUT",
                                     "THE FINISH IS THE CHEQUERED LINE",       "Q SHIFTS DOWN, ALL THE WAY TO REVERSE",
                                     "A CRASH CAN KNOCK YOU INTO NEUTRAL",     "BEAT YOUR BEST TIME IN THE RECORDS"};
    for (int i = 0; i < 12; i++) {
        BITMAP* b = criar(NomesAssets::FRASE_LARGURA, NomesAssets::FRASE_ALTURA, rgb(0, 0, 0));
        retanguloArredondado(b, 0, 0, b->w - 1, b->h - 1, 10, rgb(24, 28, 48));
        std::string dica = std::string("TIP: ") + frases[i];
        int x = (b->w - larguraTexto(dica, 2)) / 2;
        int w = linha(b, "TIP: ", x, 12, rgb(255, 210, 60));
        linha(b, frases[i], x + w, 12, rgb(255, 255, 255));
        char nome[80];
        std::snprintf(nome, sizeof nome, "/graficos/carregamento/%d.bmp", i);
        salvar(b, raiz + nome);
        destroy_bitmap(b);
    }
}

}  // namespace

void gerar(const std::string& raiz) {
    menuPrincipal(raiz);
    instrucoes1(raiz);
    instrucoes2(raiz);
    semMicrofone(raiz);
    recordes(raiz);
    pausa(raiz);
    carregamento(raiz);
}

}  // namespace telas
