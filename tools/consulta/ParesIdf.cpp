#include "ParesIdf.h"

#include "model/EquacaoIdf.h"
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

std::vector<double> ValoresDosPares(double K, double a, double b, double c, const std::vector<double>& tr,
                                    const std::vector<double>& duracoes, char decimal) {
    std::vector<double> valores;
    valores.reserve(2 * tr.size() * duracoes.size());
    for (double r : tr)
        for (double t : duracoes) {
            try {
                const TValoresDeProjeto v = ValoresDeProjeto(K, a, b, c, r, t);
                valores.push_back(v.Intensidade);
                valores.push_back(v.Precipitacao);
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
