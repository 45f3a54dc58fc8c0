#pragma once
// Raised by a fuzz target when the code under test broke one of its promises
// (an error of an unexpected class, data changed by a failed load, a value
// that does not read back). libFuzzer turns it into a crash report; the replay
// test reports it as a failure naming the corpus file.
#include <stdexcept>
#include <string>

class ViolacaoDeInvariante : public std::logic_error {
public:
    explicit ViolacaoDeInvariante(const std::string& oque) : std::logic_error(oque) {}
};
