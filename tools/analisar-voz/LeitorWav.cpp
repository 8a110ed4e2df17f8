#include "LeitorWav.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

uint32_t le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

bool LeitorWav::falhar(const std::string& mensagem) {
    erro = mensagem;
    amostras.clear();
    return false;
}

bool LeitorWav::ler(const std::string& arquivo) {
    std::ifstream entrada(arquivo, std::ios::binary);
    if (!entrada) return falhar(arquivo + ": cannot open the file");
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(entrada)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return falhar(arquivo + ": not a WAV file (no RIFF/WAVE header)");

    bool temFormato = false;
    uint16_t codigo = 0, canais = 0, bits = 0;
    uint32_t taxa = 0;
    size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        uint32_t tamanho = le32(&bytes[pos + 4]);
        size_t inicio = pos + 8;
        size_t disponivel = bytes.size() - inicio;
        if (std::memcmp(&bytes[pos], "fmt ", 4) == 0) {
            if (tamanho < 16 || disponivel < 16) return falhar(arquivo + ": truncated format chunk");
            codigo = le16(&bytes[inicio]);
            canais = le16(&bytes[inicio + 2]);
            taxa = le32(&bytes[inicio + 4]);
            bits = le16(&bytes[inicio + 14]);
            // WAVE_FORMAT_EXTENSIBLE carries the real code in its sub-format.
            if (codigo == 0xFFFE && tamanho >= 40 && disponivel >= 40) codigo = le16(&bytes[inicio + 24]);
            temFormato = true;
        } else if (std::memcmp(&bytes[pos], "data", 4) == 0) {
            if (!temFormato) return falhar(arquivo + ": data chunk before the format chunk");
            std::string encontrado = "found " +
                                     std::string(codigo == 1 ? "PCM" : "format code " + std::to_string(codigo)) + ", " +
                                     std::to_string(canais) + " channel(s), " + std::to_string(taxa) + " Hz, " +
                                     std::to_string(bits) + " bits";
            if (codigo != 1 || canais != 1 || taxa != 44100 || bits != 16)
                return falhar(arquivo + ": needs 44100 Hz mono 16-bit PCM, " + encontrado);
            // A recorder killed mid-write leaves a size larger than the file.
            size_t n = tamanho < disponivel ? tamanho : disponivel;
            amostras.resize(n / 2);
            for (size_t i = 0; i < amostras.size(); i++)
                amostras[i] = static_cast<int16_t>(le16(&bytes[inicio + 2 * i]));
            erro.clear();
            return true;
        }
        pos = inicio + tamanho + (tamanho & 1);
    }
    return falhar(arquivo + (temFormato ? ": no data chunk" : ": no format chunk"));
}
