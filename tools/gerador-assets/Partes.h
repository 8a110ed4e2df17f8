#ifndef GERADOR_PARTES_H
#define GERADOR_PARTES_H

// The groups of assets the generator writes, each under the game's
// directory `raiz` (the icon under its own folder).

#include <string>

namespace hud {
// Digits, the display pieces, the mouse pointer, the car pictures and the
// car data files.
void gerar(const std::string& raiz);
}  // namespace hud

namespace telas {
// Menu pages, the pause page, the records page, loading steps and phrases.
void gerar(const std::string& raiz);
}  // namespace telas

namespace abertura {
// The opening's title images and the yellow car animation.
void gerar(const std::string& raiz);
}  // namespace abertura

namespace sons {
// Music loops, the opening's engine sounds and the ignition.
void gerar(const std::string& raiz);
}  // namespace sons

namespace medalhas {
// A city's medal times beside its map, set from its reference run (ms).
void gerar(const std::string& raiz, int cidade, int referenciaMs);
}  // namespace medalhas

namespace icone {
// The desktop icon, as PNG, in the icon theme's layout under `pasta`
// (48x48/apps/ronco.png and larger).
void gerar(const std::string& pasta);
}  // namespace icone

#endif
