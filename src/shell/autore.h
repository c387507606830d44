#pragma once

// The author's identity, in one place: the credit on the main menu and the contact lines of the
// information window.

#include <algorithm>
#include <array>

namespace shell::autore {

inline constexpr const char* credito = "Il software di Seed";
inline constexpr char sito[] = "www.example.org";
inline constexpr char email[] = "E-mail : info@example.org";

// Both contact lines, one under the other: what "Info" shows, for those who cannot hold it.
inline constexpr auto contatti = [] {
    std::array<char, sizeof sito + sizeof email> righe{};
    auto fine = std::copy(std::begin(sito), std::end(sito) - 1, righe.begin());
    *fine++ = '\n';
    std::copy(std::begin(email), std::end(email), fine);
    return righe;
}();

} // namespace shell::autore
