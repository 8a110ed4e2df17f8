// Ronco: a top-down city race against the clock, throttle by voice.
//
// Start-up, the fixed-rate frame loop and shutdown. Each frame the logic
// takes one step, the snapshot it builds goes to the music player and the
// renderer, and the frame is closed. Frames run on a 40 ms tick and are
// never caught up: a long frame (the renderer pauses on some screens) is
// simply followed by the next tick.

#include <allegro.h>

#include <cstdio>
#include <string>

#include "Abertura.h"
#include "AtalhosJanela.h"
#include "AvisoSemMicrofone.h"
#include "CaminhosAssets.h"
#include "CapturaAudio.h"
#include "CompassoQuadros.h"
#include "ConstantesGerais.h"
#include "ControleJogo.h"
#include "GerenteSegundoPlano.h"
#include "GravadorAlsa.h"
#include "Janela.h"
#include "Logica.h"
#include "Pintor.h"
#include "Preferencias.h"
#include "Relogio.h"
#include "Tenor.h"
#include "TratadorEntradas.h"
#include "TravaFoco.h"
#include "TravaRato.h"
#include "TravaTeclas.h"
#include "VerificadorAssets.h"
#include "VerificadorMicrofone.h"
#include "VigiaEncerramento.h"

// Tick counter: raised by the timer thread every 40 ms, zeroed by the loop.
volatile int a = 0;
// What the sound card offers for recording (mono), probed at start-up.
int bitCap = 0;
int rateCap = 0;
int mode = 0;
// Raised by the window's close button; the loop turns it into `sair`.
volatile int fecharJanela = 0;

void func() { a++; }
END_OF_FUNCTION(func)

// Runs on the library's own thread: it may only set the flag.
void pedirFechamento() { fecharJanela = 1; }
END_OF_FUNCTION(pedirFechamento)

namespace {

// The recording error: on the console as the game always printed it (Latin-1,
// no line end), then the notice in the window, which waits for a key.
void avisarSemGravacao(AtalhosJanela& atalhos) {
    std::printf("ERROR, placa de som n\xe3o suporta grava\xe7\xe3o");
    std::fflush(stdout);
    AvisoSemMicrofone::mostrar(atalhos, &fecharJanela);
}

// The library forgets the window's title, its close button and the focus
// reports when the graphics mode changes (F10, F11).
void aposTrocaDeModo() {
    set_window_title("Ronco");
    set_close_button_callback(pedirFechamento);
    TravaFoco::desinstalar();
    TravaFoco::instalar();
}

// The keys of every screen: the window's size, fullscreen, the music. Each
// change is saved as the player's setting.
void aplicarAtalhos(unsigned comandos, AtalhosJanela& atalhos, Preferencias& preferencias, Tenor* cantor) {
    atalhos.aplicar(comandos);
    if (comandos & ComandosEntrada::MUSICA) {
        preferencias.setMusicaLigada(!preferencias.isMusicaLigada());
        cantor->setMusicaLigada(preferencias.isMusicaLigada());
    }
}

}  // namespace

// Library start-up. The recording driver is registered first of all so
// that sound input never falls back to the library's ALSA probe, which
// aborts the process once playback has started; it records the microphone
// the player chose; the window is the size the player chose. Returns false
// when there is no window to play in.
bool init(const Preferencias& preferencias) {
    GerenteSegundoPlano::instalar();
    if (allegro_init() != 0) {
        std::fprintf(stderr,
                     "Cannot start the game library: %s\n"
                     "The game needs a graphical display. Without one, run the same command "
                     "under a virtual X server:\n  xvfb-run -a -s '-screen 0 1024x768x24' COMMAND\n",
                     allegro_error);
        return false;
    }
    GravadorAlsa::registrar();
    GravadorAlsa::setDispositivo(preferencias.getMicrofone());
    if (!Janela::abrir(preferencias.getEscala(), preferencias.isTelaCheia(), preferencias.isPixelPerfeito())) {
        allegro_exit();
        return false;
    }
    Janela::setAposTroca(aposTrocaDeModo);
    set_window_title("Ronco");
    LOCK_VARIABLE(fecharJanela);
    LOCK_FUNCTION(pedirFechamento);
    set_close_button_callback(pedirFechamento);
    TravaFoco::instalar();
    install_timer();
    install_keyboard();
    TravaTeclas::instalar();
    install_mouse();
    TravaRato::instalar();
    if (ControleJogo::instalar()) std::printf("Gamepad: %d buttons\n", joy[0].num_buttons);
    // Neither failure stops the game: it plays silent, or without the voice.
    install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr);
    install_sound_input(GravadorAlsa::ID, MIDI_NONE);
    LOCK_VARIABLE(a);
    LOCK_FUNCTION(func);
    install_int_ex(func, MSEC_TO_TIMER(40));
    bitCap = get_sound_input_cap_bits();
    rateCap = get_sound_input_cap_rate(bitCap, 0);
    mode = get_sound_input_cap_parm(rateCap, bitCap, 0);
    if (GravadorAlsa::isDisponivel()) std::printf("Microphone: \"%s\"\n", GravadorAlsa::getDispositivo().c_str());
    return true;
}

void deinit() {
    clear_keybuf();
    TravaFoco::desinstalar();
    TravaTeclas::desinstalar();
    ControleJogo::desinstalar();
    remove_keyboard();
    TravaRato::desinstalar();
    remove_mouse();
    remove_sound_input();
    remove_sound();
    allegro_exit();
}

int main() {
    // Before any window: a broken install is one message, not black screens.
    if (!VerificadorAssets::verificarTudo()) {
        return 1;
    }
    // The player's settings, before the library: they name the microphone.
    Preferencias preferencias;
    preferencias.carregar();
    if (!init(preferencias)) {
        return 1;
    }
    // F10, F11 and Alt+Enter act on every screen, these two included.
    AtalhosJanela atalhos(&preferencias);
    if (mode != 1 && mode != 2) {
        avisarSemGravacao(atalhos);
    }

    Abertura* apresentacao = new Abertura();
    apresentacao->setSinalSaida(&fecharJanela);
    apresentacao->setAtalhos(&atalhos);
    Pintor* pintor = new Pintor();
    cavalete quadro;
    TratadorEntradas* entradas = new TratadorEntradas();
    entradas->setGeometria(&Janela::getGeometria());
    // The voice analyses read the library's recorder.
    CapturaAudio::setFonteGravacao(GravadorAlsa::getFonte());
    Logica* logica = new Logica(entradas);
    logica->getVerificacaoMicrofone()->setControleMicrofone(GravadorAlsa::getControle());
    logica->setPreferencias(&preferencias);
    logica->carregarCidades(CaminhosAssets::cidades());
    pintor->setSinalSaida(&fecharJanela);
    pintor->setVerificacaoMicrofone(logica->getVerificacaoMicrofone());
    pintor->setNavegacao(&logica->getNavegacao());
    pintor->setLinhaChegada(&logica->getLinhaChegada());
    pintor->setEscolhaCidade(&logica->getCidades());

    SituacaoGlobal situacao = apresentacao->play();
    // The music is read during the pause after the opening, not before the
    // opening's first picture; the pause lasts its 100 ms all the same.
    const int antesDaMusica = Relogio::getMilissegundos();
    Tenor* cantor = new Tenor();
    cantor->setVolume(preferencias.getVolumeMusica());
    cantor->setMusicaLigada(preferencias.isMusicaLigada());
    const int lendoMusica = Relogio::getMilissegundos() - antesDaMusica;
    rest(lendoMusica < 100 ? 100 - lendoMusica : 0);
    // The Escape that cut the opening short, held or already let go, is
    // not a press for the main menu, where it would quit.
    entradas->descartarApertos();
    if (fecharJanela) {
        situacao = sair;
    }

    CompassoQuadros compasso;
    while (situacao != sair) {
        // Sleep until shortly before the next tick, then poll for it.
        if (a <= 0) {
            while (a <= 0 && !fecharJanela) {
                rest(compasso.getEsperaMs(Relogio::getMilissegundos()));
            }
            compasso.marcarTique(Relogio::getMilissegundos());
        }
        if (situacao == abertura) {
            situacao = apresentacao->play();
        } else {
            logica->calcularLogica();
            aplicarAtalhos(entradas->getComandos(), atalhos, preferencias, cantor);
            quadro = logica->construirCavalete();
            situacao = quadro.estado;
            cantor->calar(logica->getMusicasCalar());
            cantor->cantar(logica->getMusicasCantar());
            pintor->pintar(quadro);
            logica->fimDeCiclo();
        }
        // The close button ends the game like Exit: after a whole frame.
        if (fecharJanela) {
            situacao = sair;
        }
        a = 0;
    }

    // Every record is on disk by now: a device that never lets go must not
    // keep a frozen window on the player's screen.
    VigiaEncerramento::armar();
    // Released while the library is still up: they hold its bitmaps,
    // samples and the running recording.
    delete cantor;
    delete logica;
    delete entradas;
    delete pintor;
    delete apresentacao;
    deinit();
    return 0;
}
END_OF_MAIN()
