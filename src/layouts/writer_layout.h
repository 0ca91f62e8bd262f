#pragma once
// Design state of the program writers: 32 rows of slot controls and three buttons, in the
// colours and with the extra register lists of each writer.

#include <optional>
#include <span>

#include "machine/mnemonics.h"
#include "ui/layout.h"

namespace corvexa {

inline constexpr int kWriteIntProgLeft = 2445;
inline constexpr int kWriteIntProgTop = 1440;
inline constexpr int kWriteFPProgLeft = 60;
inline constexpr int kWriteFPProgTop = 345;
inline constexpr int32_t kWriterGreen = 0xC0FFC0;
inline constexpr int32_t kWriterOrange = 0xC0E0FF;

// The list index of "NOP" in every writer's mnemonic list.
inline constexpr int kNopItem = kIntegerMnemonicCount - 1;

// A register list a writer has beside the integer ones, at a left edge of its own in every row.
struct ExtraRegisterList {
    const char *name;
    int left;
};

struct WriterLook {
    const char *caption;
    int32_t backColor;                       // the window and every row control but the address
    int32_t mnemonicBack;                    // the mnemonic lists
    std::optional<int32_t> buttonBack;       // "REFRESH" and "ASSEMBLE"; none: as designed
    std::span<const MnemonicInfo> mnemonics; // the items of every row's mnemonic list
    std::span<const ExtraRegisterList> extraLists;
};

// Top of a row as designed (where a refill leaves it): a pitch of 300 twips with a larger gap
// after every fifth row.
int WriterDesignRowTop(int row);

FormLayout WriterLayout(const WriterLook &look);

} // namespace corvexa
