#!/usr/bin/python3
"""K, a, b, c of a million points with Dask, on one machine or a cluster.

    python3 python/exemplo_dask.py [ENDERECO_DO_ESCALONADOR] [--pontos N]

Without an address it starts a local cluster of two worker processes; with
one (tcp://host:8786) it uses that cluster, whose workers have the package
python3-tormel21 installed (or PYTHONPATH pointing at a build's python/
folder and the same data folder). It prints the throughput of the module
alone and of the cluster, and checks that both give the same numbers.
"""
import argparse
import time

import numpy as np
import pandas as pd

import tormel21

COLUNAS = ["K", "a", "b", "c"]


def pontos(n, semente=2026):
    """n points in the box of the interpolation states, south and west negative."""
    rng = np.random.default_rng(semente)
    return pd.DataFrame({"lat": rng.uniform(-27, -5, n), "lon": rng.uniform(-55, -37, n)})


def parametros_da_particao(particao, dados):
    """One partition of points: its K, a, b, c, computed by the module on the worker's cores."""
    p = dados.parametros(particao["lat"].to_numpy(), particao["lon"].to_numpy())
    return pd.DataFrame(p, index=particao.index, columns=COLUNAS)


def parametros_dask(tabela, dados, particoes):
    """The Dask version: a Dask DataFrame of the points, map_partitions calling .parametros.
    The Dados object travels to each worker as its folder (None: the worker's installed data)
    and is loaded there."""
    import dask.dataframe as dd

    pontos_dask = dd.from_pandas(tabela, npartitions=particoes)
    vazio = pd.DataFrame({c: pd.Series(dtype="float64") for c in COLUNAS})
    return pontos_dask.map_partitions(parametros_da_particao, dados, meta=vazio)


def main():
    argumentos = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    argumentos.add_argument("escalonador", nargs="?", help="endereço do escalonador Dask (tcp://...)")
    argumentos.add_argument("--pontos", type=int, default=1_000_000)
    argumentos.add_argument("--particoes", type=int, default=16)
    argumentos.add_argument("--dados", default=None, help="pasta de dados (padrão: a do pacote)")
    a = argumentos.parse_args()

    from dask.distributed import Client, LocalCluster

    tabela = pontos(a.pontos)
    dados = tormel21.Dados(a.dados)
    inicio = time.perf_counter()
    sozinho = dados.parametros(tabela["lat"].to_numpy(), tabela["lon"].to_numpy())
    t_modulo = time.perf_counter() - inicio
    print(f"módulo sozinho: {a.pontos} pontos em {t_modulo:.2f} s, {a.pontos / t_modulo:,.0f} pontos/s")

    cluster = None if a.escalonador else LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None)
    with Client(a.escalonador or cluster) as cliente:
        print("cluster:", cliente)
        inicio = time.perf_counter()
        resultado = parametros_dask(tabela, dados, a.particoes).compute()
        t_dask = time.perf_counter() - inicio
        print(f"Dask: {a.pontos} pontos em {t_dask:.2f} s, {a.pontos / t_dask:,.0f} pontos/s")
    if cluster:
        cluster.close()
    iguais = all(np.array_equal(resultado[c].to_numpy(), sozinho[c]) for c in COLUNAS)
    print("resultado igual ao do módulo sozinho:", iguais)
    return 0 if iguais else 1


if __name__ == "__main__":
    raise SystemExit(main())
