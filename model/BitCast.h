#pragma once

#include <bit>

namespace varkelon {

// std::bit_cast, which emscripten's libc++ lacks; the compilers' builtin
// there, with the same meaning.
#if defined(__cpp_lib_bit_cast)
using std::bit_cast;
#else
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
    return __builtin_bit_cast(To, from);
}
#endif

}  // namespace varkelon
