#include "CoresMapaBrasil.h"

const std::array<TCorEstado, 27> CoresMapaBrasil = {{
    {"AC", 0, 0, 51, 0, false},       {"AL", 1, 255, 255, 0, false},    {"AP", 2, 0, 204, 0, true},
    {"AM", 3, 0, 102, 0, false},      {"BA", 4, 255, 255, 153, false},  {"CE", 5, 204, 102, 0, false},
    {"DF", 6, 13, 13, 13, true},      {"ES", 7, 0, 255, 255, false},    {"GO", 8, 102, 102, 102, false},
    {"MA", 9, 102, 51, 0, false},     {"MT", 10, 161, 161, 161, false}, {"MS", 11, 67, 67, 67, false},
    {"MG", 12, 0, 0, 255, false},     {"PA", 13, 0, 153, 0, false},     {"PB", 14, 255, 204, 102, false},
    {"PR", 15, 204, 0, 0, false},     {"PE", 16, 204, 204, 0, false},   {"PI", 17, 153, 102, 0, false},
    {"RJ", 18, 0, 153, 255, false},   {"RN", 19, 255, 153, 0, false},   {"RS", 20, 102, 0, 0, false},
    {"RO", 21, 102, 255, 51, false},  {"RR", 22, 51, 204, 0, true},     {"SC", 23, 153, 0, 0, false},
    {"SP", 24, 0, 0, 153, false},     {"SE", 25, 102, 102, 0, true},    {"TO", 26, 153, 255, 153, false},
}};
