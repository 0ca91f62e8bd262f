#include "shell/all_forms.h"

namespace corvexa {

void RegisterPipelineForms(Desk &desk) { (void)desk; }

} // namespace corvexa
