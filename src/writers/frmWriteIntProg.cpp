#include "writers/frmWriteIntProg.h"

namespace corvexa {

frmWriteIntProg::frmWriteIntProg(Desk &desk)
    : ProgramWriter(desk, {.name = "frmWriteIntProg",
                           .look = {.caption = "MIPS Integer Program Writer ",
                                    .backColor = kWriterGreen,
                                    .mnemonicBack = 0xFFFFFF,
                                    .buttonBack = std::nullopt,
                                    .mnemonics = IntegerMnemonics(),
                                    .extraLists = {}},
                           .left = kWriteIntProgLeft,
                           .top = kWriteIntProgTop,
                           .reentryShowsRegisters = true,
                           .handOverTarget = "frmMIPSFiveStageInt"}) {}

} // namespace corvexa
