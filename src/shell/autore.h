#pragma once

// The author's identity, in one place: the credit on the main menu and the contact lines of the
// information window.

namespace shell::autore {

inline constexpr const char* credito = "Il software di Seed";
inline constexpr const char* sito = "www.example.org";
inline constexpr const char* email = "E-mail : info@example.org";

} // namespace shell::autore
