#!/usr/bin/env bash
# The C++ sources keep the checked-in .clang-format: names every file that
# does not and fails. Reformat one with `clang-format -i FILE`.
set -euo pipefail
cd "$(dirname "$0")/.."

formatador=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$formatador" ] || { echo "verificar-formato: clang-format is not installed" >&2; exit 1; }

# The stand-in library headers are not ours to style (they only stop a build).
mapfile -t arquivos < <(git ls-files '*.cpp' '*.h' | grep -v '^cmake/sem-biblioteca/')
fora=()
for f in "${arquivos[@]}"; do
    "$formatador" --dry-run -Werror "$f" >/dev/null 2>&1 || fora+=("$f")
done
if [ ${#fora[@]} -gt 0 ]; then
    echo "Not formatted as .clang-format says (${#fora[@]} of ${#arquivos[@]} files):" >&2
    printf '  %s\n' "${fora[@]}" >&2
    exit 1
fi
echo "Format: ${#arquivos[@]} files as .clang-format says."
