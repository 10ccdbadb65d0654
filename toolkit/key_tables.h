// Checks, at compile time, that a lookup table of the drawing code accepts
// exactly the keys a published table of keys.h lists, in the same order: the
// published tables are the lookups' own list of names.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>

#include "instrument_panel/keys.h"

namespace ip {

// `table` is an array of entries with a `name` comparable to a string_view.
template <typename Table, size_t N>
constexpr bool SameKeys(const Table& table, const std::array<KeyName, N>& published) {
  if (std::size(table) != N) return false;
  for (size_t i = 0; i < N; ++i) {
    if (published[i].key != table[i].name) return false;
  }
  return true;
}

}  // namespace ip
