#include "platform/MemoriaGrande.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace {
constexpr std::size_t kPagina = std::size_t{2} << 20;   // a huge page
constexpr std::size_t kMinimo = 2 * kPagina;            // smaller arrays come from the heap
std::size_t Arredonda(std::size_t bytes) { return (bytes + kPagina - 1) / kPagina * kPagina; }
}  // namespace

void* ReservaGrande(std::size_t bytes) {
    if (bytes < kMinimo) return ::operator new(bytes);
    const std::size_t tamanho = Arredonda(bytes);
    // Mapped with a huge page of slack and cut to a huge page boundary.
    void* p = ::mmap(nullptr, tamanho + kPagina, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    auto* base = static_cast<unsigned char*>(p);
    const std::size_t antes = (kPagina - reinterpret_cast<std::uintptr_t>(base) % kPagina) % kPagina;
    if (antes) ::munmap(base, antes);
    if (kPagina - antes) ::munmap(base + antes + tamanho, kPagina - antes);
    ::madvise(base + antes, tamanho, MADV_HUGEPAGE);   // a hint: without it, ordinary pages
    return base + antes;
}

void LiberaGrande(void* p, std::size_t bytes) {
    if (bytes < kMinimo) {
        ::operator delete(p);
        return;
    }
    ::munmap(p, Arredonda(bytes));
}
