#!/bin/bash
# Rebuilds the shipped stations from the national network's records and the
# city of Rio de Janeiro's 15-minute gauges: data/estacoes.csv, ajustes.csv,
# intervalos.csv and notas-dos-dados.md from the table of annual maxima, the
# network's inventory (each station fitted with its bootstrap, on every core)
# and the gauges' series (each fitted from its own maxima per duration), with
# i(10, 60) of every station set beside the national grid in the notes. The
# same inputs give the same files to the byte.
#   bash scripts/dados-da-rede.sh [folder holding ana/ and alertario/]
# Needs a build (build/bin/tormel21-dados and the grid file of the data folder).
set -euo pipefail
cd "$(dirname "$0")/.."
fontes="${1:-../shared/dados-externos}"
grade="build/Arquivos Comuns/GradeNacional_Tor21.bin"
[ -x build/bin/tormel21-dados ] && [ -f "$grade" ] || { echo "build first: cmake --build build" >&2; exit 1; }
inicio=$(date +%s)
build/bin/tormel21-dados --maximos-anuais "$fontes/ana/maximos_anuais_ana.csv" --inventario "$fontes/ana/inventario_ana.csv" \
  --pluviografos "$fontes/alertario/estacoes.csv" --contornos data/contornos.csv --grade "$grade" data/
echo "dados-da-rede: $(( $(date +%s) - inicio )) s em $(nproc) núcleos"
