#pragma once

// The two quiz windows: one design, two variants.

#include "catalogue/catalogo.h"
#include "platform/forms/layout.h"

#include <span>

namespace quiz {

struct Variante {
    const platform::WindowLayout& layout;
    // Answer buttons in the order in which they are disabled and enabled.
    std::span<const char* const> pulsantiRisposta;
    // Highest question number drawn.
    int numeroMassimo;
    const catalogue::Catalogo& catalogo;
};

extern const Variante varianteMultipli;
extern const Variante varianteSottomultipli;

} // namespace quiz
