#include "AvisosCorrida.h"

#include "CarregadorMidia.h"

namespace {

// What a player needs when the voice stops working mid-run, bottom left,
// clear of the dial, the gear and the throttle bar.
void desenharMicrofonePerdido(BITMAP* d) {
    rectfill(d, 8, 546, 312, 594, makecol(150, 20, 20));
    rect(d, 8, 546, 312, 594, makecol(255, 220, 90));
    CarregadorMidia::escreverAmpliado(d, "MICROPHONE LOST", 16, 552, 2, makecol(255, 255, 255));
    CarregadorMidia::escreverAmpliado(d, "W IS YOUR THROTTLE", 16, 574, 2, makecol(255, 220, 90));
}

// Top left, under the progress strip and clear of the clock.
void desenharDica(BITMAP* d) {
    rectfill(d, 8, 14, 296, 62, makecol(20, 40, 110));
    rect(d, 8, 14, 296, 62, makecol(255, 220, 90));
    CarregadorMidia::escreverAmpliado(d, "HEARD, BUT TOO QUIET FOR 3RD GEAR", 16, 20, 1, makecol(255, 220, 90));
    CarregadorMidia::escreverAmpliado(d, "AFTER THE RACE: INSTRUCTIONS PAGE,", 16, 34, 1, makecol(255, 255, 255));
    CarregadorMidia::escreverAmpliado(d, "PRESS C AND ROAR TO CALIBRATE", 16, 48, 1, makecol(255, 255, 255));
}

}  // namespace

void AvisosCorrida::desenhar(BITMAP* d, const cavalete& c) {
    // Left of the gear and the bar, on the dashboard.
    const int verde = makecol(150, 220, 150);
    textout_right_ex(d, font, c.gasPelaTecla ? "W" : "VOICE", 682, 540, verde, -1);
    textout_right_ex(d, font, "GAS", 682, 552, verde, -1);
    if (c.microfonePerdido) desenharMicrofonePerdido(d);
    if (c.dicaCalibrar) desenharDica(d);
}
