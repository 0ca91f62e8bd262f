#include "writers/frmWriteIntProg.h"

namespace corvexa {

const WriterDescription &IntWriterDescription() {
    static const WriterDescription description{.name = "frmWriteIntProg",
                                               .look = {.caption = "MIPS Integer Program Writer ",
                                                        .backColor = kWriterGreen,
                                                        .mnemonicBack = 0xFFFFFF,
                                                        .buttonBack = std::nullopt,
                                                        .mnemonics = IntegerMnemonics(),
                                                        .extraLists = {}},
                                               .left = kWriteIntProgLeft,
                                               .top = kWriteIntProgTop,
                                               .reentryShowsRegisters = true,
                                               .handOverTarget = "frmMIPSFiveStageInt"};
    return description;
}

frmWriteIntProg::frmWriteIntProg(Desk &desk) : ProgramWriter(desk, IntWriterDescription()) {}

} // namespace corvexa
