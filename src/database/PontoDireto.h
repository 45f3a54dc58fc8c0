#pragma once
// One point answered straight from the station file, for a program that
// asks one question and ends: the pool's blocks are read in pieces that
// stay in the processor's cache, each station's texts are read once, and no
// pool or index is built. The answer is the pool's to the last bit
// (TPoolInterpolacao::Interpola with RegistroIntegro: the exact match, else
// the two passes of 1/d^5 weights, in the same order of operations) and so
// are its errors; the confidence summary is TAvaliadorConfianca::Resumo's.
// The window and the batch, which ask many questions, keep their prepared
// pool.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "database/Confianca.h"
#include "database/Registros.h"
#include "platform/AnsiString.h"
#include "platform/ArquivoAberto.h"

class TPontoDireto {
public:
    // The station file, its frame checked as TBDPrecipitacao's
    // CarregaEstacoesDaInterpolacao checks it (same errors).
    explicit TPontoDireto(const std::string& caminhoEstacoes);

    // Stations of the pool's blocks.
    std::size_t Tamanho() const { return tamanho_; }

    struct TResposta {
        TEstacao Estacao;       // as TPoolInterpolacao::Interpola gives it
        TConfianca Confianca;   // its stations are kept by this object
    };
    // A target text that does not read raises EConvertError; a record that
    // is not whole, reached before the answer, EDadosInvalidos naming it; a
    // file that can no longer be read, EInOutError.
    TResposta Responde(const AnsiString& latitude, const AnsiString& longitude,
                       double distanciaDeAviso = DistanciaDeAvisoPadrao) const;

    struct TBloco {
        std::size_t Inicio;          // scan index of its first station
        std::uint64_t Posicao;       // of its first record in the file
        std::size_t Quantas;
        int Estado;
    };

private:
    std::string caminho_;
    TArquivoAberto arquivo_;
    std::array<TBloco, 8> blocos_{};
    std::size_t tamanho_ = 0;
    mutable std::deque<TEstacao> lidas_;   // the stations the answers name
};
