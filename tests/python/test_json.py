# tormel21-consulta --json: every kind of answer against the schema, the
# numbers against the text answer, JSON Lines for many points.
import json

import jsonschema
import pytest

from conftest import consulta, consulta_json

BH = ["19°55'30\"", "43°56'15\""]
ASSIS = ["22°37'59\"", "50°24'00\""]   # a station of the national network in São Paulo

# One case per kind of answer: the options, and what must be in the object.
CASOS = [
    ("interpolacao", BH, {"local": "Interpolação", "citacao": None, "avisos": []}),
    ("estacao", ASSIS, {"local": "Assis (Horto Florestal - Efs)", "estacao_exata": True, "fonte": "ANA 02250016, 33 anos"}),
    ("negativos", ["--negativos", "-19.9258", "-43.9375"], {"latitude": {"texto": "19°55'32\"", "graus": -19.925555555555555}}),
    ("pares", ["--tr", "2,10", "--duracoes", "5,60", *BH], {}),
    ("estacoes", ["--estacoes=3", *BH], {}),
    ("confianca_longe", ["--confianca", "5", "70"], {}),
    ("hietograma", ["--hietograma", "10,60,10,0.25", *BH], {}),
    ("chicago", ["--hietograma", "10,60,10,0.4,chicago", *BH], {}),
    ("vazao", ["--vazao", "3,0.6,1.2:30,10", *BH], {}),
    ("perguntas", ["--tr", "10,25", "--duracao-intensidade", "50,1e6", "--duracao-altura", "40", *BH], {}),
    ("tr_evento", ["--tr-evento", "60,200", *BH], {}),
]


@pytest.mark.parametrize("nome,argumentos,esperado", CASOS, ids=[c[0] for c in CASOS])
def test_cada_resposta_segue_o_esquema(esquema, nome, argumentos, esperado):
    [objeto] = consulta_json(*argumentos)
    jsonschema.validate(objeto, esquema)
    for chave, valor in esperado.items():
        assert objeto[chave] == valor


def test_avisos_reunidos_e_respostas_sem_valor():
    [longe] = consulta_json("--confianca", "--tr-evento", "60,200", "5", "70")
    assert longe["avisos"] == [longe["tr_evento"]["nota"], longe["confianca"]["aviso"]]
    assert longe["confianca"]["aviso"].startswith("Atenção: ")
    # the warning comes without --confianca too, and is also said on standard error
    estado, saida, erros = consulta("--json", "5", "70")
    sem_confianca = json.loads(saida)
    assert estado == 0 and "confianca" not in sem_confianca
    assert sem_confianca["avisos"] == [longe["confianca"]["aviso"]] and longe["confianca"]["aviso"] in erros
    [p] = consulta_json("--tr", "10", "--duracao-intensidade", "1e6", *BH)
    sem = p["duracao_intensidade"][0]
    assert sem["t_media_min"] is None and sem["motivo_media"]


def test_numeros_sao_os_da_resposta_em_texto():
    argumentos = ["--formato", "int", "--tr", "10", "--duracoes", "60", "--hietograma", "10,30,10", *BH]
    estado, texto, erros = consulta(*argumentos)
    assert estado == 0, erros
    [j] = consulta_json(*argumentos)
    campos = dict(l.split(": ", 1) for l in texto.splitlines() if ": " in l)
    for p in "Kabc":
        # the text has 15 significant digits; the JSON every digit of the same double
        assert float(campos[p]) == float("%.15g" % j[p])
    linha_par = texto.split("Tr (anos)\tt (min)\ti (mm/h)\tP (mm)\n")[1].splitlines()[0].split("\t")
    assert float(linha_par[2]) == float("%.15g" % j["intensidades"][0]["i_mm_h"])
    ultima = texto.strip().splitlines()[-1].split(",")
    assert float(ultima[4]) == float("%.15g" % j["hietograma"]["blocos"][-1]["acumulada_mm"])


def test_muitos_pontos_em_json_lines(esquema):
    entrada = ("id;lat;lon;t;P\n"
               "bh;19°55'30\";43°56'15\";60;80\n"
               "ruim;xx;44;;\n"
               "sem evento;-5;-45;;\n"
               "\"a\"\"\x01\\\";22°37'59\";50°24'00\";;\n").encode() + b"\xff;1;1;;\n"
    estado, saida, erros = consulta("--json", "-e", "-", "--confianca", "--tr", "10", "--duracoes", "60",
                                    entrada=entrada)
    assert estado == 1
    linhas = [json.loads(l) for l in saida.splitlines()]
    for objeto in linhas:
        jsonschema.validate(objeto, esquema)
    assert [l["linha"] for l in linhas] == [2, 3, 4, 5, 6]
    assert linhas[0]["tr_evento"]["tr_anos"] > 0 and linhas[0]["erro"] is None
    assert linhas[1]["erro"].startswith('Latitude "xx" inválida') and "K" not in linhas[1]
    assert "valor negativo" in linhas[2]["erro"]
    assert linhas[3]["id"] == 'a"\x01\\' and linhas[3]["local"] == "Assis (Horto Florestal - Efs)"
    assert "UTF-8" in linhas[4]["erro"]
    assert "linha 3 (ruim)" in erros
    # the same point alone: the same numbers, bit for bit
    [so] = consulta_json(*BH)
    assert [linhas[0][p] for p in "Kabc"] == [so[p] for p in "Kabc"]


def test_saida_em_arquivo_e_recusas(tmp_path):
    # with --json, a .json file is JSON Lines (not GeoJSON through GDAL)
    arquivo = tmp_path / "pontos.json"
    entrada = "id;lat;lon\nbh;19°55'30\";43°56'15\"\n".encode()
    estado, saida, erros = consulta("--json", "-e", "-", "-o", str(arquivo), entrada=entrada)
    assert estado == 0 and saida == "", erros
    [linha] = [json.loads(l) for l in arquivo.read_text(encoding="utf-8").splitlines()]
    assert linha["id"] == "bh" and linha["K"] == consulta_json(*BH)[0]["K"]
    for argumentos, mensagem in [(["--grade", "x.tif"], "--json não se combina com --grade"),
                                 (["-e", "-", "-o", "x.gpkg"], "com --json a saída é texto JSON")]:
        estado, _, erros = consulta("--json", *argumentos)
        assert estado == 2 and mensagem in erros
