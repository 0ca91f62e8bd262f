#include "writers/frmWriteFPProg.h"

#include <array>

namespace corvexa {

namespace {

// Left edges of their own: the floating-point lists are not moved with the integer ones.
constexpr std::array<ExtraRegisterList, 3> kFloatLists = {
    {{"cmbFdField", 2055}, {"cmbFsField", 2895}, {"cmbFtField", 3720}}};

} // namespace

const WriterDescription &FPWriterDescription() {
    static const WriterDescription description{.name = "frmWriteFPProg",
                                               .look = {.caption = "Floating Point Program Writer",
                                                        .backColor = kWriterOrange,
                                                        .mnemonicBack = kWriterOrange,
                                                        .buttonBack = kWriterOrange,
                                                        .mnemonics = Mnemonics(),
                                                        .extraLists = kFloatLists},
                                               .left = kWriteFPProgLeft,
                                               .top = kWriteFPProgTop,
                                               .reentryShowsRegisters = false,
                                               .handOverTarget = "frmMultiCycle"};
    return description;
}

frmWriteFPProg::frmWriteFPProg(Desk &desk) : ProgramWriter(desk, FPWriterDescription()) {
    On("cmbFdField", [this](int i) { cmbFdField_Click(i); });
    On("cmbFsField", [this](int i) { cmbFsField_Click(i); });
    On("cmbFtField", [this](int i) { cmbFtField_Click(i); });
}

} // namespace corvexa
