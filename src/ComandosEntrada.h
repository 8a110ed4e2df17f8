#ifndef COMANDOSENTRADA_H
#define COMANDOSENTRADA_H

// The inputs that act once per press, however long they are held, as bits
// of a set: the input sampling (TratadorEntradas) gathers them from the keys
// and the gamepad each frame; the microphone check, the menus' gamepad
// navigation and the main loop's shortcuts act on them. Enter and Escape are
// also held keys of the input sampling's (its primes); here they are presses.
struct ComandosEntrada {
    enum Comando : unsigned {
        CALIBRAR = 1u << 0,            // C
        MAIS_SENSIVEL = 1u << 1,       // + (or =, its key), and the keypad's +
        MENOS_SENSIVEL = 1u << 2,      // -, and the keypad's -
        SENSIBILIDADE_1 = 1u << 3,     // 0, and the keypad's 0
        MICROFONE = 1u << 4,           // M
        ACELERADOR_TECLADO = 1u << 5,  // K
        MUSICA = 1u << 6,              // N
        ESCALA = 1u << 7,              // F10
        TELA_CHEIA = 1u << 8,          // F11, Alt+Enter
        PAUSA = 1u << 9,               // the gamepad's Start
        MENU_CIMA = 1u << 10,          // the gamepad's stick or d-pad
        MENU_BAIXO = 1u << 11,
        MENU_ESQUERDA = 1u << 12,
        MENU_DIREITA = 1u << 13,
        MENU_APERTAR = 1u << 14,  // the gamepad's A
        SETA_CIMA = 1u << 15,     // the arrow keys (the microphone list)
        SETA_BAIXO = 1u << 16,
        ENTRAR = 1u << 17,    // Enter (not Alt+Enter)
        VOLTAR = 1u << 18,    // Escape
        FANTASMA = 1u << 19,  // G
        ANTERIOR = 1u << 20,  // the Left key: the city before, on the main menu and the records
        PROXIMA = 1u << 21    // the Right key: the city after
    };
};

#endif
