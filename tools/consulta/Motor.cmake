# The sources of the query's engine for a CSV of points (plain C++ over the
# core, no program and no GIS): the tool's library, the core-only
# robustness tests and the fuzz project all take them from this one list.
# A file that ConsultaLote or OpcoesConsulta comes to need goes here.
set(TORMEL_CONSULTA_DIR ${CMAKE_CURRENT_LIST_DIR})
set(TORMEL_CONSULTA_MOTOR
  ConsultaLote.cpp ConsultaLoteJson.cpp EntradaLote.cpp EscritorCsv.cpp EscritorJson.cpp RespostaJson.cpp
  LeitorCoordenada.cpp LeitorCsv.cpp OpcoesConsulta.cpp OpcoesFonte.cpp Paralelo.cpp ParesIdf.cpp RespostaGrade.cpp)
list(TRANSFORM TORMEL_CONSULTA_MOTOR PREPEND ${TORMEL_CONSULTA_DIR}/)
