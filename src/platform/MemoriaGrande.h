#pragma once
// An allocator for arrays of several megabytes that live for one answer:
// their memory comes in huge pages where the system has them, so that
// touching it once costs a few page faults instead of thousands.
#include <cstddef>
#include <memory>

void* ReservaGrande(std::size_t bytes);
void LiberaGrande(void* p, std::size_t bytes);

struct TLiberaGrande {
    std::size_t Bytes;
    void operator()(void* p) const { LiberaGrande(p, Bytes); }
};
template <typename T>
using TArranjoGrande = std::unique_ptr<T, TLiberaGrande>;

// Uninitialised room for n values (at least one).
template <typename T>
TArranjoGrande<T> ArranjoGrande(std::size_t n) {
    const std::size_t bytes = (n > 0 ? n : 1) * sizeof(T);
    return TArranjoGrande<T>(static_cast<T*>(ReservaGrande(bytes)), TLiberaGrande{bytes});
}
