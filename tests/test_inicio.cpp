#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "CaminhosAssets.h"
#include "DiretorioTemporario.h"
#include "VerificadorAssets.h"

namespace {

TEST(VerificadorAssets, ListsEveryMissingFileOnce) {
    DiretorioTemporario dir;
    std::vector<std::string> todos = CaminhosAssets::todos();
    // Names are unique and cover the game's whole tree.
    EXPECT_EQ(std::set<std::string>(todos.begin(), todos.end()).size(), todos.size());
    EXPECT_EQ(todos.size(), 2u + 10 + 3 + 7 + 5 + 6 + 12 + 2 + 3 + 7 + 2 + 4 + 3);

    for (const std::string& nome : todos) dir.escrever(nome, "x");
    EXPECT_TRUE(VerificadorAssets::faltando(todos).empty());
    EXPECT_EQ(VerificadorAssets::mensagem({}), "");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(VerificadorAssets::verificarTudo());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    // One file gone and one replaced by a directory.
    std::filesystem::remove("graficos/menus/menu principal.bmp");
    std::filesystem::remove("soms/ignicao 3seg.wav");
    std::filesystem::create_directory("soms/ignicao 3seg.wav");
    std::vector<std::string> faltantes = VerificadorAssets::faltando(todos);
    EXPECT_EQ(faltantes, (std::vector<std::string>{"graficos/menus/menu principal.bmp",
                                                   "soms/ignicao 3seg.wav"}));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(VerificadorAssets::verificarTudo());
    std::string mensagem = testing::internal::GetCapturedStderr();
    EXPECT_NE(mensagem.find("2 game file(s) missing"), std::string::npos);
    EXPECT_NE(mensagem.find("  graficos/menus/menu principal.bmp\n"), std::string::npos);
    EXPECT_NE(mensagem.find("  soms/ignicao 3seg.wav\n"), std::string::npos);
    EXPECT_EQ(mensagem.find("mapas/tiles.bmp"), std::string::npos);
}

}  // namespace
