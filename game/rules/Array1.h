// Array1: a fixed array indexed from 1 to N, as every array of the game is
// (levels, rows, columns, cats, waves). An index outside 1..N is a bug in
// the rules: it stops the program with a message instead of touching
// memory that belongs to something else.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace KerboImplementation {

[[noreturn]] inline void IndexOutOfRange(std::size_t index, std::size_t size) {
    std::fprintf(stderr, "kerbo: internal error: index %zu outside 1..%zu\n", index, size);
    std::abort();
}

template <typename T, std::size_t N>
struct Array1 {
    T items[N]{};

    static constexpr std::size_t first = 1;
    static constexpr std::size_t last = N;

    T& operator[](std::size_t k) {
        if (k < 1 || k > N) IndexOutOfRange(k, N);
        return items[k - 1];
    }
    const T& operator[](std::size_t k) const {
        if (k < 1 || k > N) IndexOutOfRange(k, N);
        return items[k - 1];
    }

    T* begin() { return items; }
    T* end() { return items + N; }
    const T* begin() const { return items; }
    const T* end() const { return items + N; }
};

}  // namespace KerboImplementation
