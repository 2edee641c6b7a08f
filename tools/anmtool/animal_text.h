// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The readable text form of an animal, in which our animals are written (data/animals/).
// One file describes the picture library, the backdrop and every object with its scene
// scripts; events follow each other in time unless they say otherwise. docs/animals.md
// describes the form.
#include <stdexcept>
#include <string>
#include <string_view>

#include "game/gameplay/animal.h"

namespace qr {

// A source line that cannot be read: "line N: what is wrong".
class AnimalTextError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Fills an empty animal from its text form.
void ParseAnimalText(std::string_view text, TAnimal& animal);
// The text form of a loaded animal; parsing it gives the same animal.
std::string AnimalToText(const TAnimal& animal);

// Event kinds by their names in the text form ("wait", "move", ... "unhold").
const char* EventKindName(uint8_t kind);

} // namespace qr
