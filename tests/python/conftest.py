# Paths of the build's program, data folder, schema and module, given by ctest
# through the environment (tests/python/CMakeLists.txt).
import json
import os
import subprocess

import pytest

CONSULTA = os.environ.get("TORMEL_CONSULTA", "")
DADOS = os.environ.get("TORMEL_DADOS", "")
ESQUEMA = os.environ.get("TORMEL_ESQUEMA", "")


def consulta(*argumentos, entrada=b""):
    """tormel21-consulta run with the build's data: (exit status, stdout text, stderr text)."""
    r = subprocess.run([CONSULTA, "--dados", DADOS, *argumentos], input=entrada, capture_output=True)
    return r.returncode, r.stdout.decode("utf-8"), r.stderr.decode("utf-8")


def consulta_json(*argumentos, entrada=b""):
    """The JSON objects of one run (one per line), which must succeed."""
    estado, saida, erros = consulta("--json", *argumentos, entrada=entrada)
    assert estado == 0, erros
    return [json.loads(linha) for linha in saida.splitlines()]


@pytest.fixture(scope="session")
def esquema():
    with open(ESQUEMA, encoding="utf-8") as f:
        return json.load(f)
