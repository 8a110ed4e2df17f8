#ifndef LINHACHEGADA_H
#define LINHACHEGADA_H

#include <string>
#include <vector>

#include "Medalhas.h"

// What the finish screen tells the player while it holds: "NEW RECORD!", or
// the best time before this race and how far behind it this one was, as
// "BEST 0:41.27 · +3.61" (times as the race clock shows them, to the
// hundredth); and under it the medal the time earned, "GOLD! 0:15.42", or
// the time and what bronze takes, "TIME 0:25.13 · BRONZE 0:16.50".
// PainelChegada draws it.
class LinhaChegada {
public:
    LinhaChegada();

    // This race's time and the record file's times before it (none: the
    // first race is a record).
    void definir(int tempoMs, const std::vector<int>& anteriores);
    bool isDefinida() const { return definida; }
    bool isRecorde() const { return recorde; }
    // The line in UTF-8, and its two parts when it is not a record
    // ("BEST 0:41.27" and "+3.61": PainelChegada draws the dot between).
    std::string getTexto() const;
    const std::string& getMelhor() const { return melhor; }
    const std::string& getDiferenca() const { return diferenca; }
    static const char* getTextoRecorde();

    // The medal line, when the city has medal times.
    void setMedalha(const Medalhas& medalhas, int tempoMs);
    bool hasMedalhas() const { return !textoMedalha.empty(); }
    Medalhas::Medalha getMedalha() const { return medalha; }
    // "GOLD! 0:15.42", or "TIME 0:25.13" and "BRONZE 0:16.50".
    const std::string& getTextoMedalha() const { return textoMedalha; }
    const std::string& getAlvoMedalha() const { return alvoMedalha; }

private:
    bool definida;
    bool recorde;
    std::string melhor;     // "BEST 0:41.27"
    std::string diferenca;  // "+3.61"
    Medalhas::Medalha medalha;
    std::string textoMedalha;
    std::string alvoMedalha;
};

#endif
