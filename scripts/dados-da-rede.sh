#!/bin/bash
# Rebuilds the shipped stations from the national network's records:
# data/estacoes.csv, ajustes.csv, intervalos.csv and notas-dos-dados.md from
# the table of annual maxima and the network's inventory (each station fitted
# with its bootstrap, on every core), with i(10, 60) of every station set
# beside the national grid in the notes. The same inputs give the same files
# to the byte.
#   bash scripts/dados-da-rede.sh [folder of maximos_anuais_ana.csv and inventario_ana.csv]
# Needs a build (build/bin/tormel21-dados and the grid file of the data folder).
set -euo pipefail
cd "$(dirname "$0")/.."
fontes="${1:-../shared/dados-externos/ana}"
grade="build/Arquivos Comuns/GradeNacional_Tor21.bin"
[ -x build/bin/tormel21-dados ] && [ -f "$grade" ] || { echo "build first: cmake --build build" >&2; exit 1; }
inicio=$(date +%s)
build/bin/tormel21-dados --maximos-anuais "$fontes/maximos_anuais_ana.csv" --inventario "$fontes/inventario_ana.csv" \
  --contornos data/contornos.csv --grade "$grade" data/
echo "dados-da-rede: $(( $(date +%s) - inicio )) s em $(nproc) núcleos"
