#pragma once
// The floating-point program writer: the integer mnemonics and six floating-point ones, three
// more register lists per row, handed over to the floating-point pipeline diagram.

#include "writers/program_writer.h"

namespace corvexa {

class frmWriteFPProg : public ProgramWriter {
public:
    explicit frmWriteFPProg(Desk &desk);

    void cmbFdField_Click(int Index) { ListClicked("cmbFdField", Index, &Machine::RdField); }
    void cmbFsField_Click(int Index) { ListClicked("cmbFsField", Index, &Machine::RsField); }
    void cmbFtField_Click(int Index) { ListClicked("cmbFtField", Index, &Machine::RtField); }
};

} // namespace corvexa
