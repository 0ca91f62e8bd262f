#pragma once
// The floating-point diagram, registered for creation on first use.

#include "ui/desk.h"

namespace corvexa {

void RegisterDiagramForms(Desk &desk);

} // namespace corvexa
