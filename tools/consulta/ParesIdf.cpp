#include "ParesIdf.h"

#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {

template <typename Erro>
[[noreturn]] void Relanca(const Erro& e, double tr, double t, char decimal) {
    throw Erro(Ansi("i e P de Tr = ") + FloatToStr(tr, decimal) + Ansi(" anos e t = ") + FloatToStr(t, decimal) +
               Ansi(" min: ") + e.Message());
}

}  // namespace

std::vector<double> ValoresDosPares(const TEquacaoIdf& equacao, const std::vector<double>& tr,
                                    const std::vector<double>& duracoes, char decimal) {
    std::vector<double> valores;
    valores.reserve(2 * tr.size() * duracoes.size());
    for (double r : tr)
        for (double t : duracoes) {
            try {
                valores.push_back(equacao.Intensidade(r, t));
                valores.push_back(equacao.PrecipitacaoDaDuracao(r, t));
            } catch (const EOverflow& e) {
                Relanca(e, r, t, decimal);
            } catch (const EZeroDivide& e) {
                Relanca(e, r, t, decimal);
            } catch (const EInvalidOp& e) {
                Relanca(e, r, t, decimal);
            } catch (const EMathError& e) {
                Relanca(e, r, t, decimal);
            }
        }
    return valores;
}
