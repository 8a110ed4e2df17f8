#ifndef LEITORWAV_H
#define LEITORWAV_H

#include <cstdint>
#include <string>
#include <vector>

// Reads a RIFF/WAVE file holding 44100 Hz mono 16-bit PCM, the format the
// game records in. Anything else is refused with a message naming what the
// file holds.
class LeitorWav {
public:
    // True on success; otherwise getErro() says what is wrong.
    bool ler(const std::string& arquivo);

    const std::vector<int16_t>& getAmostras() const { return amostras; }
    const std::string& getErro() const { return erro; }

private:
    bool falhar(const std::string& mensagem);

    std::vector<int16_t> amostras;
    std::string erro;
};

#endif
