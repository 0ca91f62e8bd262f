#pragma once
// The integer program writer: the twenty integer mnemonics, handed over to the five-stage window.

#include "writers/program_writer.h"

namespace corvexa {

class frmWriteIntProg : public ProgramWriter {
public:
    explicit frmWriteIntProg(Desk &desk);
};

} // namespace corvexa
