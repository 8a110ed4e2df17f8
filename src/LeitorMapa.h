#ifndef LEITORMAPA_H
#define LEITORMAPA_H

#include <iosfwd>
#include <string>
#include <vector>

// Reads the city's two text formats into a grid of tile numbers, so that the
// collision logic, the traffic logic and the renderer parse them in one place:
//
//  - city map "mapas/%d.txt": rows, columns, the lower layer (rows x columns
//    tile numbers, row by row), then rows and columns again and the upper layer;
//  - traffic table "mapas/%dtrans.txt": rows, columns and one layer of codes.
//
// Numbers are whitespace-separated decimal integers; line breaks mean nothing
// and whatever follows the last layer is ignored.
//
// A file that is missing, unreadable, holds something that is not a number,
// ends early, has zero, negative or oversized dimensions, or whose second
// header disagrees with the first is reported by one console line naming the
// file and the fault, and the load returns false. Whatever was read before
// the fault is kept; cells never read hold 0, which is free ground and no
// traffic code. With bad dimensions nothing is allocated and the grid is 0 x 0.
class LeitorMapa {
public:
    // Sizes accepted for a grid. The game's maps are 20 x 150, 40 x 150 and
    // 24 x 480; the limits keep a map (at most 32768 pixels on a side) and
    // its collision and repair tables within reach.
    static constexpr int MAXIMO_LINHAS = 512;
    static constexpr int MAXIMO_COLUNAS = 512;
    static constexpr int MAXIMO_CELULAS = 16384;

    LeitorMapa();

    // City map, both layers. True when everything announced was read.
    bool carregarMapa(const std::string& arquivo);
    // Traffic table, one layer (read into the lower layer).
    bool carregarTransito(const std::string& arquivo);

    // The same from a stream; `nome` names the source in the console line.
    bool lerMapa(std::istream& entrada, const std::string& nome);
    bool lerTransito(std::istream& entrada, const std::string& nome);

    // Whether the last load read everything it needed.
    bool isCarregado() const { return carregado; }
    // The console line of the last failed load (without the line end); empty
    // after a successful one.
    const std::string& getErro() const { return erro; }

    int getAltura() const { return altura; }
    int getLargura() const { return largura; }

    // Tile number at (row, column); 0 outside the grid or where nothing was read.
    int getInferior(int linha, int coluna) const;
    int getSuperior(int linha, int coluna) const;

private:
    bool carregar(const std::string& arquivo, bool duasCamadas);
    bool ler(std::istream& entrada, const std::string& nome, bool duasCamadas);
    bool lerCamada(std::istream& entrada, const std::string& nome, std::vector<int>& camada, const char* nomeCamada);
    int celulaDe(const std::vector<int>& camada, int linha, int coluna) const;
    bool falhar(const std::string& nome, const std::string& motivo);
    void limpar();

    int altura;
    int largura;
    bool carregado;
    std::string erro;
    std::vector<int> inferior;  // row-major, altura * largura
    std::vector<int> superior;
};

#endif
