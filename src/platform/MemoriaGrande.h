#pragma once
// An allocator for arrays of several megabytes that live for one answer:
// their memory comes in huge pages where the system has them, so that
// touching it once costs a few page faults instead of thousands.
#include <cstddef>

void* ReservaGrande(std::size_t bytes);
void LiberaGrande(void* p, std::size_t bytes);

template <typename T>
struct TAlocadorGrande {
    using value_type = T;
    TAlocadorGrande() = default;
    template <typename U>
    TAlocadorGrande(const TAlocadorGrande<U>&) {}
    T* allocate(std::size_t n) { return static_cast<T*>(ReservaGrande(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) { LiberaGrande(p, n * sizeof(T)); }
    friend bool operator==(const TAlocadorGrande&, const TAlocadorGrande&) { return true; }
};
