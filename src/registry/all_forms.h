#pragma once
// Every window the program knows, registered with a Desk so it can be created on first use. This
// sits above every window folder, so no window depends on the shell that opens it.

#include "fivestage/register_forms.h"
#include "fpdiagram/register_forms.h"
#include "shell/register_forms.h"
#include "singlecycle/register_forms.h"
#include "ui/form.h"
#include "writers/register_forms.h"

namespace corvexa {

inline void RegisterAllForms(Desk &desk) {
    RegisterFiveStageForms(desk);
    RegisterWriterForms(desk);
    RegisterDiagramForms(desk);
    RegisterShellForms(desk);
    RegisterSingleCycleForms(desk);
}

} // namespace corvexa
