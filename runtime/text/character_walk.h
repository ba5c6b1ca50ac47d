#pragma once
// The character walk that searching, splitting and replacing share: it visits
// the positions where a character begins, counting from the byte it starts
// at, and steps over the second byte of every two-byte character.

#include <cstddef>
#include <string_view>

inline constexpr std::size_t kNotFound = std::string_view::npos;

// Whether the walk that visits `boundary` also visits `position`
// (boundary <= position).
bool IsCharacterStart(std::string_view text, std::size_t boundary, std::size_t position);

// The first occurrence of a non-empty `sought` that the walk starting at
// `from` finds lying wholly within the first `coveredEnd` bytes; kNotFound
// when there is none. Linear in the text's length.
std::size_t WalkFind(std::string_view text, std::size_t from, std::size_t coveredEnd,
                     std::string_view sought, bool ignoreCase);
