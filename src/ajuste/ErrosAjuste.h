#pragma once
// Errors of the fitting module: a record that cannot be read (the message
// names the file and the line) and a record that reads but cannot give an
// equation (too few years, a fit that does not converge).
#include "platform/Erros.h"

TORMEL_DECLARE_ERROR(ERegistroInvalido, Exception)
TORMEL_DECLARE_ERROR(ESemAjuste, Exception)
