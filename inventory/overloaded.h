#pragma once

namespace kestrel {

// One visitor from several lambdas, for std::visit over a variant.
template <class... Fs>
struct Overloaded : Fs... {
    using Fs::operator()...;
};
// Clang before 17 does not deduce aggregate template arguments by itself.
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

}  // namespace kestrel
