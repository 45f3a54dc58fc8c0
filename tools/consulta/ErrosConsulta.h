#pragma once
// Errors of the command-line query beyond the core's: a command line that
// cannot be understood (exit status 2).
#include "platform/Erros.h"

TORMEL_DECLARE_ERROR(EUso, Exception)
