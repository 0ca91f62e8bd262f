#pragma once
// The five-stage window, its option and state windows, registered for creation on first use.

#include "ui/desk.h"

namespace corvexa {

void RegisterFiveStageForms(Desk &desk);

} // namespace corvexa
