# The Dask example: a million points through map_partitions on a local
# cluster of two worker processes give the module's own answer.
import os
import sys

import numpy as np
import pytest

import tormel21
from conftest import DADOS

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "python"))
import exemplo_dask  # noqa: E402

distributed = pytest.importorskip("distributed")


def test_um_milhao_de_pontos_no_cluster_local_igual_ao_modulo():
    tabela = exemplo_dask.pontos(1_000_000)
    dados = tormel21.Dados(DADOS)
    sozinho = dados.parametros(tabela["lat"].to_numpy(), tabela["lon"].to_numpy())
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None,
                                  processes=True) as cluster, distributed.Client(cluster):
        resultado = exemplo_dask.parametros_dask(tabela, dados, particoes=8).compute()
    assert list(resultado.index) == list(tabela.index)
    for coluna in exemplo_dask.COLUNAS:
        np.testing.assert_array_equal(resultado[coluna].to_numpy(), sozinho[coluna])
