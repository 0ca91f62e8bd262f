#pragma once
// Plain control objects of a headless window: what a control shows, never how.
// Positions and sizes are twips; colours are 24-bit values with red in the low byte.

#include <cstdint>
#include <string>
#include <vector>

namespace corvexa {

class Form;

enum class ControlKind {
    Label,
    TextBox,
    Button,
    ComboBox,
    CheckBox,
    MenuItem,
    Line,
    Shape,
    Picture,
    Timer,
    Frame,
    FileDialog,
    StatusPanel, // a panel of the window's status bar: along the bottom edge, outside the drawing
};

enum class Align { Left, Right, Center };

// Shape controls: the toolkit's shape numbers.
enum class ShapeKind { Rectangle = 0, Square = 1, Oval = 2, Circle = 3, RoundedRectangle = 4 };

struct Font {
    std::string face = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

inline constexpr int32_t kNoColour = -1; // "transparent" background, inherited colour

struct Control {
    std::string name;
    int index = -1; // element of a control array, -1 for a single control
    ControlKind kind = ControlKind::Label;
    Form *owner = nullptr;

    std::string caption; // caption of labels, buttons, menus; text of text boxes
    int left = 0, top = 0, width = 0, height = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // lines
    int borderWidth = 1;                // lines and shapes
    int32_t borderColor = 0;            // lines and shapes
    ShapeKind shape = ShapeKind::Rectangle;
    bool filled = false; // shapes: filled with backColor

    bool visible = true;
    bool enabled = true;
    bool checked = false; // menu items, check boxes
    bool multiLine = false;
    bool transparent = false; // label without background of its own
    int32_t foreColor = 0;
    int32_t backColor = 0xFFFFFF;
    Font font;
    Align alignment = Align::Left;

    std::vector<std::string> items; // lists
    int listIndex = -1;
    int interval = 0;        // timers, milliseconds; 0 = not ticking
    std::string pictureKind; // element picture drawn by the renderer; "date" or "time" panels
    std::string parent;      // menu items: the parent item's name, empty on the bar

    // Choosing a list item from code fires the list's click handler, as a user's choice does.
    void SetListIndex(int i);
    std::string ListText() const;
};

} // namespace corvexa
