#include "layouts/writer_layout.h"

#include "ui/named_colours.h"

namespace corvexa {

namespace {

constexpr int kRows = 32;
constexpr int kBoxHeight = 285;  // text boxes as designed
constexpr int kListHeight = 240; // drop-down lists, as their font makes them
constexpr int kListDrop = 20;    // lists sit centred on the text boxes of their row
constexpr int kPictureDrop = 60; // the row pictures stand a little below the row's top
constexpr int kPictureWidth = 270;
constexpr int kPictureHeight = 240;

Font MakeFont(const char *face, double points, bool bold = false) {
    Font f;
    f.face = face;
    f.points = points;
    f.bold = bold;
    return f;
}

Control Box(const std::string &name, int row, const std::string &text, int left, int top, int width,
            const Font &font, int32_t back) {
    Control c = MakeControl(ControlKind::TextBox, name, row, text, left, top, width, kBoxHeight);
    c.font = font;
    c.backColor = back;
    c.foreColor = colour::kBlack;
    return c;
}

// The separators only ever show one character, so they are drawn as plain text without a border.
Control Separator(const std::string &name, int row, const std::string &text, int left, int top,
                  int width, const Font &font, int32_t back) {
    Control c = MakeLabel(name, row, text, left, top, width, kBoxHeight);
    c.font = font;
    c.backColor = back;
    c.foreColor = colour::kBlack;
    c.alignment = Align::Center;
    c.visible = false;
    return c;
}

Control List(const std::string &name, int row, const std::string &text, int left, int top,
             int width, const Font &font, int32_t back) {
    Control c = MakeControl(ControlKind::ComboBox, name, row, text, left, top + kListDrop, width,
                            kListHeight);
    c.font = font;
    c.backColor = back;
    c.foreColor = colour::kBlack;
    return c;
}

Control Picture(const std::string &name, int row, const char *kind, int left, int rowTop,
                int32_t back) {
    Control c = MakeControl(ControlKind::Picture, name, row, "", left, rowTop + kPictureDrop,
                            kPictureWidth, kPictureHeight);
    c.pictureKind = kind;
    c.backColor = back;
    c.foreColor = 0xFF00FF; // magenta
    return c;
}

} // namespace

FormLayout WriterLayout(const WriterLook &look) {
    const int32_t back = look.backColor;
    FormLayout f;
    f.caption = look.caption;
    f.width = 9480;
    f.height = 10890;
    f.backColor = back;
    f.foreColor = colour::kBlack;
    f.font = MakeFont("MS Sans Serif", 8.25);

    const Font courier = MakeFont("Courier", 9.75);
    const Font separator = MakeFont("MS Sans Serif", 12, true);
    const Font value = MakeFont("Book Antiqua", 9.75);
    std::vector<std::string> registers;
    registers.reserve(32);
    for (int r = 0; r < 32; ++r) {
        registers.push_back("R" + std::to_string(r));
    }

    for (int row = 0; row < kRows; ++row) {
        const int top = WriterDesignRowTop(row);

        f.controls.push_back(Box("lblPCValue", row, "PCValue", 0, top, 1035, courier, 0xFFFFFF));

        // Wide enough for a five-letter mnemonic at the window's designed size.
        Control mnemonic =
            List("Instruction1", row, "", 1037, top, 1000, courier, look.mnemonicBack);
        for (const MnemonicInfo &entry : look.mnemonics) {
            mnemonic.items.emplace_back(entry.mnemonic);
        }
        f.controls.push_back(mnemonic);

        // Operand controls are hidden until a row's mnemonic needs them. Every register column
        // is wide enough for "R31": a narrower list would show it as "R3".
        const auto registerList = [&](const char *name, const char *text, int left) {
            Control c = List(name, row, text, left, top, 765, f.font, back);
            c.items = registers;
            c.visible = false;
            f.controls.push_back(c);
        };
        const auto valueBox = [&](const char *name, const char *text, int left) {
            Control c = Box(name, row, text, left, top, 765, value, back);
            c.visible = false;
            f.controls.push_back(c);
        };
        registerList("cmbRdField", "Rd", 2040);
        f.controls.push_back(Separator("lblFirstSpace", row, ",", 2820, top, 105, separator, back));
        registerList("cmbRsField", "Rs", 2940);
        valueBox("lblOffset", "Offset", 2940);
        f.controls.push_back(Separator("lbl2ndSpace", row, ",", 3720, top, 135, separator, back));
        registerList("cmbRtField", "Rt", 3870);
        valueBox("lblImmArg", "Imm", 3870);
        valueBox("lblBranchOffset", "BrOffset", 3870);
        f.controls.push_back(Separator("lbl3rdSpace", row, ")", 4650, top, 105, separator, back));
        for (const ExtraRegisterList &extra : look.extraLists) {
            registerList(extra.name, "", extra.left);
        }

        f.controls.push_back(Picture("picUP", row, "triangle-up", 4800, top, back));
        f.controls.push_back(Picture("PicDown", row, "triangle-down", 5235, top, back));
        f.controls.push_back(Picture("PicInsert", row, "letter-i", 5715, top, back));
        f.controls.push_back(Picture("PicDelete", row, "letter-D", 6075, top, back));
    }

    f.controls.push_back(
        MakeControl(ControlKind::Button, "cmdClear", -1, "C L E A R", 120, 10335, 975, 315));
    Control refresh =
        MakeControl(ControlKind::Button, "cmdRefresh", -1, "REFRESH", 1290, 10350, 915, 315);
    Control assemble =
        MakeControl(ControlKind::Button, "cmdEND", -1, "ASSEMBLE", 2505, 10365, 1395, 315);
    if (look.buttonBack) {
        refresh.backColor = assemble.backColor = *look.buttonBack;
    }
    f.controls.push_back(refresh);
    f.controls.push_back(assemble);
    return f;
}

int WriterDesignRowTop(int row) {
    if (row < 5) {
        return 300 * row;
    }
    return 1620 + ((row - 5) / 5) * 1605 + ((row - 5) % 5) * 300;
}

} // namespace corvexa
