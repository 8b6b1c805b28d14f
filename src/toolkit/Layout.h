#pragma once
#include <windows.h>

// Design-time descriptions of windows and controls, as src/forms/ spells them out.

struct FontSpec {
    const char* face = "MS Sans Serif";
    int height = -11;  // negative: character height in pixels
    bool bold = false;
    bool italic = false;
    COLORREF color = RGB(0, 0, 0);
};

struct Bounds {
    int left;
    int top;
    int width;
    int height;
};

// How a label meets its text; src/forms/ decides for each label.
enum class LabelSizing {
    KeepWidth,      // shows a value: keeps its width; a longer text takes more lines
    GrowToCaption,  // takes its bounds and grows to show each caption whole on a line, up to the
                    // widest its window can be; a longer caption takes more lines
    FitText,        // sizes itself to its text whenever the text changes, up to the widest its
                    // window can be; a longer text takes more lines
};

enum class FormBorder {
    Single,        // fixed single border with the usual title-bar buttons
    SingleNoMenu,  // fixed single border, no system menu
    Dialog,        // dialog frame, no system menu
};

struct FormLayout {
    const char* className;  // the window class, named as the form's C++ class
    const char* caption;
    Bounds bounds;  // screen position of the window and size of its client area
    FormBorder border;
    FontSpec font;
};
