#pragma once
// The single-cycle window and its test window, registered for creation on first use.

#include "ui/desk.h"

namespace corvexa {

void RegisterSingleCycleForms(Desk &desk);

} // namespace corvexa
