#!/bin/bash
# The Debian package as a user receives it: made by cpack in the build folder,
# checked by lintian, unpacked with dpkg-deb -x into a temporary root (never
# installed on this machine), and both programs started there through their
# launchers in /usr/bin.
#   bash scripts/testa-pacote.sh [build folder]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)

cmake --build "$build" -j"$(nproc)"   # cpack packs what is built; it builds nothing
(cd "$build" && cpack -G DEB)
versao=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/tormel21_${versao}_$(dpkg --print-architecture).deb"
echo "== $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
echo "== lintian"
lintian --fail-on error --display-info "$deb"
echo "lintian: nenhum erro"

raiz=$(mktemp -d /tmp/tormel21_pacote_XXXXXX)
trap 'chmod -R u+w "$raiz"; rm -rf "$raiz"' EXIT
chmod 755 "$raiz"
dpkg-deb -x "$deb" "$raiz/raiz"
usr="$raiz/raiz/usr"
falha() { echo "FALHA: $*" >&2; exit 1; }

# The layout: launchers are relative links to the programs, which sit beside
# the data folder.
for p in tormel21 tormel21-consulta tormel21-ajuste; do
  [ "$(readlink "$usr/bin/$p")" = "../lib/tormel21/bin/$p" ] || falha "/usr/bin/$p não é o link esperado"
done
id=$(sed -n 's/^TORMEL_ID_APPSTREAM:STRING=//p' "$build/CMakeCache.txt")
for f in "lib/tormel21/bin/Tormel21.hlp" "share/tormel21/Arquivos Comuns/Estados_Tor21.bin" \
         "lib/tormel21/Arquivos Comuns/Estados_Tor21.bin" \
         "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
         "share/icons/hicolor/16x16/apps/tormel21.png" "share/icons/hicolor/scalable/apps/tormel21.svg" \
         "share/man/man1/tormel21-consulta.1.gz" "share/man/pt_BR/man1/tormel21-consulta.1.gz" \
         "share/man/man1/tormel21-ajuste.1.gz" "share/man/pt_BR/man1/tormel21-ajuste.1.gz" \
         "share/doc/tormel21/copyright" "share/doc/tormel21/NOTICE"; do
  [ -f "$usr/$f" ] || falha "falta /usr/$f"
done
[ -s "$usr/lib/tormel21/Arquivos Comuns/GradeNacional_Tor21.bin" ] || falha "falta a grade nacional GradeNacional_Tor21.bin"
# The data folder is architecture-independent; the program finds it through a relative link.
[ "$(readlink "$usr/lib/tormel21/Arquivos Comuns")" = "../../share/tormel21/Arquivos Comuns" ] ||
  falha "/usr/lib/tormel21/Arquivos Comuns não é o link esperado"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" || falha "appstreamcli validate"
desktop-file-validate "$usr/share/applications/$id.desktop" || falha "desktop-file-validate"

# A point answered from the unpacked data folder, as the build's program answers it.
ponto=("19°55'30\"" "43°56'15\"")
esperado=$("$build/bin/tormel21-consulta" "${ponto[@]}")
obtido=$(cd / && "$usr/bin/tormel21-consulta" "${ponto[@]}")
echo "$obtido"
[ "$obtido" = "$esperado" ] || falha "tormel21-consulta do pacote responde diferente do programa do build"
grep -q '^K: ' <<<"$obtido" || falha "tormel21-consulta não deu K"
# The GIS module is in the package and loads from there.
(cd / && "$usr/bin/tormel21-consulta" --grade "$raiz/grade.tif" --area -20,-19.5,-44,-43.5 --passo 600) ||
  falha "tormel21-consulta do pacote não escreveu a grade GeoTIFF"
[ -s "$raiz/grade.tif" ] || falha "a grade GeoTIFF do pacote está vazia"

# The Python module's package, when built: lintian, unpacked into the same
# root, its default data folder is tormel21's, and it answers as the program.
debpy="$build/python3-tormel21_${versao}_$(dpkg --print-architecture).deb"
if [ -f "$debpy" ]; then
  echo "== $debpy"
  dpkg-deb --info "$debpy"
  dpkg-deb --contents "$debpy"
  lintian --fail-on error --display-info "$debpy"
  dpkg-deb -x "$debpy" "$raiz/raiz"
  k_programa=$("$build/bin/tormel21-consulta" --json "${ponto[@]}" | /usr/bin/python3 -c 'import json,sys; print(repr(json.load(sys.stdin)["K"]))')
  k_modulo=$(cd / && env -u TORMEL21_DADOS PYTHONPATH="$usr/lib/python3/dist-packages" /usr/bin/python3 -c \
    'import sys, tormel21; d = tormel21.Dados(); assert d.pasta.startswith(sys.argv[1]), d.pasta; print(repr(d.parametros(sys.argv[2], sys.argv[3])["K"]))' \
    "$usr/lib/python3/dist-packages/" "${ponto[@]}") || falha "o módulo Python do pacote não respondeu"
  echo "K: programa $k_programa, módulo $k_modulo"
  [ "$k_programa" = "$k_modulo" ] || falha "o módulo Python do pacote responde diferente do programa"
fi

# The window started and closed with "&Fechar" on the offscreen platform: the
# program folder cannot be written by the user, so the settings file goes to
# the user's XDG folder. Root ignores permission bits, so under root the
# program runs as the unprivileged user "nobody".
chmod -R a-w "$usr/lib/tormel21"
como=()
if [ "$(id -u)" = 0 ]; then
  if ! id nobody >/dev/null 2>&1; then
    echo "AVISO: sem o usuário nobody, o programa não pode ser iniciado sem privilégios; teste da janela pulado"
    exit 0
  fi
  como=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups --)
fi
mkdir -p "$raiz/xdg" "$raiz/casa" "$raiz/execucao" "$raiz/plugins/generic"
chmod 700 "$raiz/execucao"
cp "$build/tests/pacote/plugins/generic/libtormel21_fecha.so" "$raiz/plugins/generic/"
chmod -R a+rX "$raiz/plugins"
if [ "$(id -u)" = 0 ]; then chown "$(id -u nobody):$(id -g nobody)" "$raiz/xdg" "$raiz/casa" "$raiz/execucao"; fi
saida=$(cd "$raiz/casa" && env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$raiz/casa" XDG_CONFIG_HOME="$raiz/xdg" \
          XDG_RUNTIME_DIR="$raiz/execucao" \
          QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$raiz/plugins" QT_QPA_GENERIC_PLUGINS=tormel21fecha \
          timeout 120 "${como[@]}" "$usr/bin/tormel21" 2>&1) || falha "tormel21 terminou com erro: $saida"
echo "$saida"
grep -qx "FECHAR" <<<"$saida" || falha "a janela de consulta não foi fechada com Fechar"
ini="$raiz/xdg/tormel21/Tormel21.ini"
[ -f "$ini" ] || falha "o arquivo de configurações não foi gravado em $ini"
grep -q '^IndEstado=' "$ini" || falha "$ini não tem IndEstado"
[ ! -e "$usr/lib/tormel21/bin/Tormel21.ini" ] || falha "configurações gravadas na pasta do programa"
echo "== $ini"
iconv -f CP1252 -t UTF-8 "$ini"
echo "pacote: tudo certo"
