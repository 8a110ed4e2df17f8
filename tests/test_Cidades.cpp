// Every city of the generated list, read back the way the game reads it:
// its map and traffic table pass the readers' checks, its route runs on
// free road from the start past the finish, no corner of it can hold a car,
// its traffic drives on free road, and a driver who follows the route with
// the throttle open finishes it, as a careless one does.

#ifdef RONCO_JOGO_DIR

#include <gtest/gtest.h>

#include <filesystem>
#include <queue>

#include "AjudaColisao.h"
#include "AjudaPintor.h"
#include "CaminhosAssets.h"
#include "Cronometro.h"
#include "JogoSemTela.h"
#include "ListaCidades.h"
#include "LogicaColisao.h"
#include "LogicaNPC.h"
#include "Medalhas.h"
#include "Piloto.h"

namespace {

class Cidades : public ::testing::Test {
protected:
    void SetUp() override {
        iniciarAllegroSemTela();
        std::filesystem::current_path(RONCO_JOGO_DIR);
        ASSERT_EQ(saidaDe([&] { EXPECT_TRUE(lista.carregar(CaminhosAssets::cidades())); }), "");
    }
    void TearDown() override { std::filesystem::current_path(anterior); }

    std::filesystem::path anterior = std::filesystem::current_path();
    ListaCidades lista;
};

TEST_F(Cidades, EachCityIsARaceOnFreeRoadThatNoCornerCanTrap) {
    ASSERT_EQ(lista.getQuantidade(), 3);
    for (int i = 0; i < lista.getQuantidade(); i++) {
        const ListaCidades::Cidade& cidade = lista.getCidade(i);
        SCOPED_TRACE(cidade.nome);
        EXPECT_EQ(cidade.mapa, i + 1);
        LeitorMapa mapa;
        ASSERT_TRUE(mapa.carregarMapa(CaminhosAssets::mapa(cidade.mapa))) << mapa.getErro();
        LogicaColisao colisao;
        colisao.gerarMapaColisao(cidade.mapa);
        LogicaNPC trafego(cidade.carros);
        trafego.carregarMatrizTransito(cidade.mapa);
        ASSERT_TRUE(trafego.isCarregado());
        const int linhas = mapa.getAltura(), colunas = mapa.getLargura();
        EXPECT_EQ(std::pair(trafego.getAltura(), trafego.getLargura()), std::pair(linhas, colunas));
        BITMAP* folha = load_bitmap(CaminhosAssets::folha(cidade.folha).c_str(), nullptr);
        ASSERT_NE(folha, nullptr);
        for (int r = 0; r < linhas; r++)
            for (int c = 0; c < colunas; c++) {
                ASSERT_TRUE(mapa.getInferior(r, c) >= 1 && mapa.getInferior(r, c) <= folha->w / 64) << r << "," << c;
                ASSERT_LE(mapa.getSuperior(r, c), folha->w / 64) << r << "," << c;
            }
        destroy_bitmap(folha);
        auto livre = [&](int r, int c) {
            return r >= 0 && r < linhas && c >= 0 && c < colunas && !colisao.isPredio(r, c);
        };

        // The route: straight runs of three free lanes from the start's
        // cell past a finish near the right edge.
        ASSERT_GE(cidade.rota.size(), 2u);
        const auto [r0, c0] = cidade.rota.front();
        EXPECT_EQ(std::pair(r0, c0), std::pair(int(cidade.largada.getX()) / 64, int(cidade.largada.getY()) / 64));
        EXPECT_GT(cidade.rota.back().second * 64, cidade.chegada);
        EXPECT_GT(cidade.chegada, (colunas - 16) * 64.0f);
        EXPECT_LT(cidade.chegada, colunas * 64.0f);
        for (size_t k = 1; k < cidade.rota.size(); k++) {
            auto [ra, ca] = cidade.rota[k - 1];
            const auto [rb, cb] = cidade.rota[k];
            ASSERT_TRUE(ra == rb || ca == cb) << "run " << k << " is not straight";
            while (true) {
                for (int d = -1; d <= 1; d++)
                    EXPECT_TRUE(ra == rb ? livre(ra + d, ca) : livre(ra, ca + d)) << ra << "," << ca;
                if (ra == rb && ca == cb) break;
                ra += (rb > ra) - (rb < ra);
                ca += (cb > ca) - (cb < ca);
            }
        }

        // Every free cell a car can reach has room to turn round (a free
        // 2 x 2 square) and is no dead end.
        std::vector<bool> visto(static_cast<size_t>(linhas) * colunas, false);
        std::queue<std::pair<int, int>> fila;
        fila.push({r0, c0});
        visto[r0 * colunas + c0] = true;
        int presas = 0;
        while (!fila.empty()) {
            const auto [r, c] = fila.front();
            fila.pop();
            int saidas = 0;
            bool giro = false;
            for (auto [dr, dc] : {std::pair(-1, 0), std::pair(1, 0), std::pair(0, -1), std::pair(0, 1)}) {
                saidas += livre(r + dr, c + dc);
                giro = giro || (livre(r + dr, c) && livre(r, c + dc) && livre(r + dr, c + dc) && dr != 0 && dc == 0);
                if (livre(r + dr, c + dc) && !visto[(r + dr) * colunas + c + dc]) {
                    visto[(r + dr) * colunas + c + dc] = true;
                    fila.push({r + dr, c + dc});
                }
            }
            for (int dr : {-1, 1})
                for (int dc : {-1, 1}) giro = giro || (livre(r + dr, c) && livre(r, c + dc) && livre(r + dr, c + dc));
            if (saidas < 2 || !giro) {
                presas++;
                ADD_FAILURE() << "a car could be caught at " << r << "," << c;
            }
            if (presas > 5) break;
        }

        // Traffic never steers: each start tile's straight line to the
        // edge it heads for is free road.
        ASSERT_GE(trafego.getNumeroPontosIniciais(), 4);
        for (int p = 0; p < trafego.getNumeroPontosIniciais(); p++) {
            int r = int(trafego.getPontoInicial(p).getX()), c = int(trafego.getPontoInicial(p).getY());
            const int codigo = trafego.getCodigo(r, c);
            const int dr = codigo == 869 ? 1 : codigo == 871 ? -1 : 0, dc = codigo == 868 ? 1 : codigo == 870 ? -1 : 0;
            for (; r >= 0 && r < linhas && c >= 0 && c < colunas; r += dr, c += dc)
                ASSERT_TRUE(livre(r, c)) << "start tile " << p << " runs into a building at " << r << "," << c;
        }
    }
}

// The throttle open (W, no microphone), the best gear, the wheel on the
// route, braking before turns, never a look at the traffic; then the
// careless driver of the race measurement, the engine buzz as the throttle,
// in a few seeded races of every city: each one finished. The city's medal
// times suit the first.
TEST_F(Cidades, ADriverFollowingTheRouteFinishesEveryCityAsTheCarelessDriverDoes) {
    const std::vector<int16_t> semMicrofone;
    for (int i = 0; i < lista.getQuantidade(); i++) {
        const ListaCidades::Cidade& cidade = lista.getCidade(i);
        for (unsigned semente : {7u, 1u, 2u}) {
            SCOPED_TRACE(cidade.nome + ", seed " + std::to_string(semente));
            const bool teclado = semente == 7;
            JogoSemTela jogo(semente, teclado ? &semMicrofone : nullptr);
            for (const char* pasta : {"mapas", "dados"})
                std::filesystem::create_directory_symlink(std::filesystem::path(RONCO_JOGO_DIR) / pasta,
                                                          jogo.dir.getCaminho() / pasta);
            saidaDe([&] {
                jogo.logica->carregarCidades(CaminhosAssets::cidades());
                jogo.logica->getCidades().escolherMapa(cidade.mapa);
                Piloto piloto(Piloto::MELHOR, cidade.rota);
                JogoSemTela::apertar(KEY_W, teclado);
                jogo.carregar();
                for (int q = 0; q < 5 * 60 * 25 && jogo.estado()->getEstadoGlobal() != finalizando; q++) {
                    if (Carro* c = jogo.jogador()) piloto.dirigir(*c);
                    jogo.quadro();
                }
            });
            JogoSemTela::soltarTudo();
            ASSERT_EQ(jogo.estado()->getEstadoGlobal(), finalizando);
            if (!teclado) continue;
            // Its medal times beside its map, set from such a run: gold
            // near it, and it earns a medal.
            const int ms = jogo.logica->getTimer()->getTotalTime();
            Medalhas medalhas;
            ASSERT_TRUE(medalhas.carregar(CaminhosAssets::medalhas(cidade.mapa)));
            EXPECT_NE(medalhas.getMedalha(ms), Medalhas::NENHUMA);
            EXPECT_LT(std::abs(medalhas.getTempo(Medalhas::OURO) - ms), ms / 4);
            std::printf("%s: %.1f s\n", cidade.nome.c_str(), ms / 1000.0);
        }
    }
}

}  // namespace

#endif
