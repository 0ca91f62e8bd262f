#include "shell/all_forms.h"

namespace corvexa {

void RegisterSingleCycleForms(Desk &desk) {
    (void)desk;
}

} // namespace corvexa
