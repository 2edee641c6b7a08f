// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Failures of the world and its rooms. Script errors are a separate kind because the
// script reader reports them and reads on, while every other failure of a script line
// (a bad rectangle, a bad number) ends start-up.
#include "foundation/uvo_exception.h"

namespace qr {

class QRException : public UvoException {
  public:
    using UvoException::UvoException;
};

// A script line the reader cannot use; shown as "Script Error:" and then skipped.
class ScriptError : public QRException {
  public:
    using QRException::QRException;
};

// A word that should have been a decimal number: not the program's own failure but
// the runtime's conversion error, so it is no UvoException and nothing catches it
// before start-up does.
class ConvertError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Messages of the world's own string resources.
inline constexpr int kStrInvalidImageData = 1345; // "Display: invalid ImageData"
inline constexpr int kStrUnknownScript = 1346;    // "Caught an attempt to run an unknown script..."
inline constexpr int kStrNilPointer = 1350;       // "NIL pointer detected"

// Adds the world's texts to the program's resource strings (idempotent).
void RegisterWorldStrings();
// A QRException carrying the resource text `id`.
[[noreturn]] void RaiseResString(int id);

} // namespace qr
