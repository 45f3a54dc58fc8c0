# The Python module tormel21 against tormel21-consulta, its refusals, and
# its threads.
import os
import shutil
import struct

import numpy as np
import pytest

import tormel21
from conftest import DADOS, consulta_json


@pytest.fixture(scope="module")
def dados():
    return tormel21.Dados(DADOS)


def pontos_aleatorios(n, semente):
    rng = np.random.default_rng(semente)
    # the box of the pool's states, south and west negative
    return rng.uniform(-27, -5, n), rng.uniform(-55, -37, n)


def test_mil_pontos_iguais_aos_do_programa(dados):
    lat, lon = pontos_aleatorios(1000, 29)
    # repr() gives the fewest digits of each double: the program reads the same double
    csv = "id;lat;lon\n" + "".join(f"{i};{a!r};{o!r}\n" for i, (a, o) in enumerate(zip(lat, lon)))
    linhas = consulta_json("--negativos", "--tr", "10", "--duracoes", "60", "-e", "-", entrada=csv.encode())
    p = dados.parametros(lat, lon)
    for nome in "Kabc":
        np.testing.assert_array_equal(p[nome], [l[nome] for l in linhas])
    np.testing.assert_array_equal(dados.intensidade(lat, lon, 10, 60), [l["intensidades"][0]["i_mm_h"] for l in linhas])
    np.testing.assert_array_equal(dados.altura(lat, lon, np.full(1000, 10.0), 60), [l["intensidades"][0]["P_mm"] for l in linhas])


def test_textos_e_um_ponto_como_o_programa(dados):
    [j] = consulta_json("--hietograma", "10,60,10", "--confianca", "22°39'42\"", "50°24'43\"")
    textos = dados.parametros(np.array(["22°39'42\""], dtype=object), ["50°24'43\""])
    assert [textos[n][0] for n in "Kabc"] == [j[n] for n in "Kabc"]
    assert dados.parametros("22°39'42\"", -50.41194444444444)["K"] == j["K"]   # the text the degrees truncate to
    h = dados.hietograma("22°39'42\"", "50°24'43\"", 10, 60, 10)
    assert list(h["acumulada_mm"]) == [b["acumulada_mm"] for b in j["hietograma"]["blocos"]]
    c = dados.confianca("22°39'42\"", "50°24'43\"")
    assert c["distancia_km"] == j["confianca"]["estacao_proxima"]["distancia_km"]
    assert c["i10_60_max_mm_h"] == j["confianca"]["i10_60_max_mm_h"]


def test_varias_linhas_de_execucao_dao_o_mesmo_que_uma(dados):
    lat, lon = pontos_aleatorios(20000, 7)
    uma = dados.parametros(lat, lon, tarefas=1)
    varias = dados.parametros(lat, lon, tarefas=4)
    for nome in "Kabc":
        np.testing.assert_array_equal(uma[nome], varias[nome])


NAN = float("nan")
ERROS = [
    ("formas", lambda d: d.parametros(np.zeros(3), np.zeros(4)), tormel21.ErroDeEntrada, "formas diferentes: (3,) e (4,)"),
    ("nan", lambda d: d.parametros(NAN, -43.0), tormel21.ErroDeEntrada, 'Latitude "nan" inválida: valor não finito.'),
    ("nan na matriz", lambda d: d.parametros([-19.0, -19.5], [-43.0, NAN]), tormel21.ErroDeEntrada,
     'ponto 1: Longitude "nan" inválida: valor não finito.'),
    ("norte", lambda d: d.parametros(5.0, -43.0), tormel21.ErroDeEntrada, 'Latitude "5" inválida: latitude norte'),
    ("leste", lambda d: d.parametros(-19.0, 43.5), tormel21.ErroDeEntrada, 'Longitude "43.5" inválida: longitude leste'),
    ("texto", lambda d: d.parametros("ab°00'00\"", -43.0), tormel21.ErroDeEntrada, "dois algarismos em cada parte"),
    ("booleano", lambda d: d.parametros(True, -43.0), tormel21.ErroDeEntrada, "lat: dê graus decimais"),
    ("tr nan", lambda d: d.intensidade(-19.0, -43.0, NAN, 60), tormel21.ErroDeEntrada, 'tr: "nan" não é um número maior que zero'),
    ("t forma", lambda d: d.altura([-19.0], [-43.0], 10, [60, 120]), tormel21.ErroDeEntrada, "t: a forma (2,)"),
    ("passo", lambda d: d.hietograma(-19.0, -43.0, 10, 60, 7), tormel21.ErroDeEntrada, "deve dividir a duração"),
    ("pasta", lambda d: tormel21.Dados("/pasta/que/nao/existe"), tormel21.ErroDeDados,
     "O arquivo /pasta/que/nao/existe/Estados_Tor21.bin não existe."),
]


@pytest.mark.parametrize("nome,chamada,classe,mensagem", ERROS, ids=[e[0] for e in ERROS])
def test_erros_com_as_mensagens_do_programa(dados, nome, chamada, classe, mensagem):
    with pytest.raises(classe) as e:
        chamada(dados)
    assert mensagem in str(e.value)
    assert isinstance(e.value, tormel21.Erro)


def copia_dos_dados(tmp_path):
    pasta = tmp_path / "dados"
    shutil.copytree(DADOS, pasta)
    return pasta, pasta / "Estados_Tor21.bin"


def test_dados_corrompidos(tmp_path):
    pasta, arquivo = copia_dos_dados(tmp_path)
    conteudo = arquivo.read_bytes()
    # truncated: the loader names the state block where the data ran out
    arquivo.write_bytes(conteudo[:1000])
    with pytest.raises(tormel21.ErroDeDados, match="Estados_Tor21.bin"):
        tormel21.Dados(os.fspath(pasta))
    # K of the first station of the pool (state block 4) made NaN: refused, never returned
    posicao = 1
    for estado in range(4):
        (n,) = struct.unpack_from("<H", conteudo, posicao)
        posicao += 2 + 152 * n
    registro = posicao + 2
    arquivo.write_bytes(conteudo[:registro + 69] + struct.pack("<d", NAN) + conteudo[registro + 77:])
    d = tormel21.Dados(pasta)
    with pytest.raises(tormel21.ErroDeDados, match="registro corrompido"):
        d.parametros([-19.0, -12.0], [-43.0, -38.5])


def test_nacional_como_o_programa(dados):
    # Porto Alegre, Rio Branco and Boa Vista's southern mirror (in Amazonas):
    # outside the pool's states, the warning says so; nacional=True answers
    # as tormel21-consulta --nacional, with every state's stations.
    lat, lon = np.array([-30.0331, -9.9747, -2.8197]), np.array([-51.23, -67.8075, -60.6733])
    nacional = tormel21.Dados(DADOS, nacional=True)
    assert nacional.nacional and nacional.estacoes > dados.estacoes + 1000
    for i in range(3):
        [j] = consulta_json("--nacional", "--negativos", repr(lat[i]), repr(lon[i]))
        p = nacional.parametros(lat[i], lon[i])
        assert [p[n] for n in "Kabc"] == [j[n] for n in "Kabc"]
        assert not any("fora dos oito" in a for a in j["avisos"])
    avisos = [c["aviso"] for c in dados.confianca(lat, lon)]
    assert "Rio Grande do Sul, fora dos oito estados" in avisos[0]
    assert "Acre, fora dos oito estados" in avisos[1]
