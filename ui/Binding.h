#pragma once

#include <functional>
#include <utility>

namespace purlo {

// A value a control edits but does not own: it reads the value through get and writes
// it through set, so the owner decides what is stored (and may store something else).
template <typename T>
struct Binding {
    std::function<T()> get;
    std::function<void(T)> set;

    T operator()() const { return get(); }
};

} // namespace purlo
