#ifndef LINHACHEGADA_H
#define LINHACHEGADA_H

#include <allegro.h>

#include <string>
#include <vector>

// What the finish screen tells the player while it holds: "NEW RECORD!", or
// the best time before this race and how far behind it this one was, as
// "BEST 0:41.27 · +3.61" (times as the race clock shows them, to the
// hundredth).
class LinhaChegada {
public:
    // The band the line is written on, across the race view under the clock.
    static constexpr int FAIXA_Y1 = 84;
    static constexpr int FAIXA_Y2 = 128;

    LinhaChegada();

    // This race's time and the record file's times before it (none: the
    // first race is a record).
    void definir(int tempoMs, const std::vector<int>& anteriores);
    bool isDefinida() const { return definida; }
    bool isRecorde() const { return recorde; }
    // The line in UTF-8.
    std::string getTexto() const;

    // Over the frame; the library's font has no middle dot, so it is drawn.
    void desenhar(BITMAP* destino) const;
    static int getCorFaixa(bool recorde);

private:
    bool definida;
    bool recorde;
    std::string melhor;     // "BEST 0:41.27"
    std::string diferenca;  // "+3.61"
};

#endif
