#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

#include "platform/Erros.h"
#include "platform/PontoFlutuante.h"

TEST(PontoFlutuante, InvalidZeroDivideAndOverflowRaiseWithTheirMessages) {
    try {
        Divide(1, 0);
        FAIL();
    } catch (const EZeroDivide& e) {
        EXPECT_EQ(e.Message(), "Floating point division by zero");
    }
    try {
        Divide(0, 0);
        FAIL();
    } catch (const EInvalidOp& e) {
        EXPECT_EQ(e.Message(), "Invalid floating point operation");
    }
    try {
        Verifica(1e308 * 10.0);
        FAIL();
    } catch (const EOverflow& e) {
        EXPECT_EQ(e.Message(), "Floating point overflow");
    }
    EXPECT_THROW(Verifica(std::nan("")), EInvalidOp);
    EXPECT_THROW(DivideL(-3, 0), EZeroDivide);
    EXPECT_THROW(LnL(-1), EInvalidOp);
    EXPECT_THROW(LnL(0), EZeroDivide);
    EXPECT_THROW(ExpL(20000), EOverflow);
    EXPECT_THROW(RaizL(-4), EInvalidOp);
    EXPECT_THROW(PotenciaL(-2, 0.5L), EInvalidOp);
    EXPECT_THROW(PotenciaL(0, -1), EZeroDivide);
    EXPECT_THROW(Arredonda(std::numeric_limits<double>::infinity()), EInvalidOp);
    EXPECT_THROW(Arredonda(1e30), EInvalidOp);
    // All of them are math errors of the system's base class.
    EXPECT_THROW(Divide(2, 0), EMathError);
    EXPECT_THROW(Divide(2, 0), Exception);
}

TEST(PontoFlutuante, UnderflowAndInexactAreSilentAndResultsAreRight) {
    EXPECT_EQ(ExpL(-20000), 0.0L);
    EXPECT_DOUBLE_EQ(Divide(1e-300, 1e300), 1e-300 / 1e300);
    EXPECT_DOUBLE_EQ(Divide(1, 3), 1.0 / 3.0);
    EXPECT_NEAR(static_cast<double>(LnL(std::exp(1.0L))), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(PotenciaL(4, 2.5L)), 32.0, 1e-13);
    EXPECT_EQ(PotenciaL(7, 0), 1.0L);
    EXPECT_EQ(PotenciaL(0, 3), 0.0L);
    EXPECT_EQ(RaizL(2.25L), 1.5L);
    // No trap was armed: the FPU still runs with every exception masked.
    EXPECT_EQ(fegetexcept(), 0);
}

TEST(PontoFlutuante, ArredondaRoundsHalvesToEven) {
    EXPECT_EQ(Arredonda(0.5), 0);
    EXPECT_EQ(Arredonda(1.5), 2);
    EXPECT_EQ(Arredonda(2.5), 2);
    EXPECT_EQ(Arredonda(-0.5), 0);
    EXPECT_EQ(Arredonda(-1.5), -2);
    EXPECT_EQ(Arredonda(-2.5), -2);
    EXPECT_EQ(Arredonda(2.5000000001), 3);
    EXPECT_EQ(Arredonda(-7.49), -7);
    EXPECT_EQ(Arredonda(123456789.5), 123456790);
}
