#pragma once
// What the program writer's "ASSEMBLE" does to the shared state: listing texts, the assembled
// register copies and the hand-over flags. The caller hides the writer and refreshes the pipeline
// window.

#include <optional>
#include <string>

#include "machine/machine.h"

namespace corvexa {

// Listing text of one slot built from its InstrFormat; nullopt for a format that keeps the old
// text: one beyond the writer's last format, the integer writer's unless told.
std::optional<std::string> ProgTextOf(const Machine &m, int slot,
                                      InstrFormatKind lastFormat = FormatRegister);

void AssembleProgramStore(Machine &m, InstrFormatKind lastFormat = FormatRegister);

} // namespace corvexa
