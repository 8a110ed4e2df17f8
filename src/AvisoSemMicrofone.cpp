#include "AvisoSemMicrofone.h"

#include <allegro.h>

#include "AtalhosJanela.h"
#include "CaminhosAssets.h"
#include "CarregadorMidia.h"
#include "Janela.h"
#include "TravaTeclas.h"

namespace {

const int LARGURA = 800;
const int ALTURA = 600;

BITMAP* pagina() {
    BITMAP* p = CarregadorMidia::imagem(CaminhosAssets::avisoSemMicrofone());
    if (p != nullptr) return p;
    // A damaged install still says what matters.
    p = create_bitmap(LARGURA, ALTURA);
    if (p == nullptr) return nullptr;
    clear_to_color(p, makecol(0, 0, 0));
    const int branco = makecol(255, 255, 255), amarelo = makecol(255, 210, 40);
    CarregadorMidia::escreverCentrado(p, "The sound card cannot record.", LARGURA / 2, 250, 2, amarelo);
    CarregadorMidia::escreverCentrado(p, "W is your throttle: hold it to speed up.", LARGURA / 2, 290, 2, branco);
    CarregadorMidia::escreverCentrado(p, "Press a key to go on.", LARGURA / 2, 340, 2, branco);
    return p;
}

// A key that answers the notice: any but the window's own and the
// modifiers (Alt, held for Alt+Enter, is one).
bool respondeu(TravaTeclas& trava) {
    bool algum = false;
    for (int k = 1; k < KEY_MODIFIERS; k++) {
        if (k != KEY_F10 && k != KEY_F11 && trava.lerAperto(k)) algum = true;
    }
    return algum;
}

}  // namespace

void AvisoSemMicrofone::mostrar(AtalhosJanela& atalhos, const volatile int* fechar) {
    BITMAP* p = pagina();
    TravaTeclas trava;
    Janela::mostrar(p);
    while (!respondeu(trava) && (fechar == nullptr || *fechar == 0)) {
        if (atalhos.aplicarTeclas()) Janela::mostrar(p);
        rest(10);
    }
    CarregadorMidia::liberar(p);
}
