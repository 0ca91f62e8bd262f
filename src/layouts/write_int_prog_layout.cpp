#include "layouts/write_int_prog_layout.h"

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
    c.foreColor = 0;
    return c;
}

// The separators only ever show one character, so they are drawn as plain text without a border.
Control Separator(const std::string &name, int row, const std::string &text, int left, int top,
                  int width, const Font &font) {
    Control c = MakeLabel(name, row, text, left, top, width, kBoxHeight);
    c.font = font;
    c.backColor = kWriterGreen;
    c.foreColor = 0;
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
    c.foreColor = 0;
    return c;
}

Control Picture(const std::string &name, int row, const char *kind, int left, int rowTop) {
    Control c = MakeControl(ControlKind::Picture, name, row, "", left, rowTop + kPictureDrop,
                            kPictureWidth, kPictureHeight);
    c.pictureKind = kind;
    c.backColor = kWriterGreen;
    c.foreColor = 0xFF00FF; // magenta
    return c;
}

FormLayout Build() {
    FormLayout f;
    f.caption = "MIPS Integer Program Writer ";
    f.width = 9480;
    f.height = 10890;
    f.backColor = kWriterGreen;
    f.foreColor = 0;
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

        Control mnemonic = List("Instruction1", row, "", 1080, top, 945, courier, 0xFFFFFF);
        mnemonic.items.assign(kIntMnemonics.begin(), kIntMnemonics.end());
        f.controls.push_back(mnemonic);

        // Every register column is wide enough for "R31": a narrower list would show it as "R3".
        Control rd = List("cmbRdField", row, "Rd", 2040, top, 765, f.font, kWriterGreen);
        rd.items = registers;
        rd.visible = false;
        f.controls.push_back(rd);

        f.controls.push_back(Separator("lblFirstSpace", row, ",", 2820, top, 105, separator));

        Control rs = List("cmbRsField", row, "Rs", 2940, top, 765, f.font, kWriterGreen);
        rs.items = registers;
        rs.visible = false;
        f.controls.push_back(rs);

        Control offset = Box("lblOffset", row, "Offset", 2940, top, 765, value, kWriterGreen);
        offset.visible = false;
        f.controls.push_back(offset);

        f.controls.push_back(Separator("lbl2ndSpace", row, ",", 3720, top, 135, separator));

        Control rt = List("cmbRtField", row, "Rt", 3870, top, 765, f.font, kWriterGreen);
        rt.items = registers;
        rt.visible = false;
        f.controls.push_back(rt);

        Control imm = Box("lblImmArg", row, "Imm", 3870, top, 765, value, kWriterGreen);
        imm.visible = false;
        f.controls.push_back(imm);

        Control branch =
            Box("lblBranchOffset", row, "BrOffset", 3870, top, 765, value, kWriterGreen);
        branch.visible = false;
        f.controls.push_back(branch);

        f.controls.push_back(Separator("lbl3rdSpace", row, ")", 4650, top, 105, separator));

        f.controls.push_back(Picture("picUP", row, "triangle-up", 4800, top));
        f.controls.push_back(Picture("PicDown", row, "triangle-down", 5235, top));
        f.controls.push_back(Picture("PicInsert", row, "letter-i", 5715, top));
        f.controls.push_back(Picture("PicDelete", row, "letter-D", 6075, top));
    }

    f.controls.push_back(
        MakeControl(ControlKind::Button, "cmdClear", -1, "C L E A R", 120, 10335, 975, 315));
    f.controls.push_back(
        MakeControl(ControlKind::Button, "cmdRefresh", -1, "REFRESH", 1290, 10350, 915, 315));
    f.controls.push_back(
        MakeControl(ControlKind::Button, "cmdEND", -1, "ASSEMBLE", 2505, 10365, 1395, 315));
    return f;
}

} // namespace

int WriterDesignRowTop(int row) {
    if (row < 5) {
        return 300 * row;
    }
    return 1620 + ((row - 5) / 5) * 1605 + ((row - 5) % 5) * 300;
}

const FormLayout &WriteIntProgLayout() {
    static const FormLayout layout = Build();
    return layout;
}

} // namespace corvexa
