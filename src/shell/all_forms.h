#pragma once
// Every window the program knows, registered with a Desk so it can be created on first use.

#include "ui/form.h"

namespace corvexa {

void RegisterPipelineForms(Desk &desk);
void RegisterWriterForms(Desk &desk);
void RegisterDiagramForms(Desk &desk);
void RegisterShellForms(Desk &desk);
void RegisterSingleCycleForms(Desk &desk);

inline void RegisterAllForms(Desk &desk) {
    RegisterPipelineForms(desk);
    RegisterWriterForms(desk);
    RegisterDiagramForms(desk);
    RegisterShellForms(desk);
    RegisterSingleCycleForms(desk);
}

} // namespace corvexa
