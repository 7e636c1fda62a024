// Dialog templates as data, free of any window system: every control with
// its id, kind, position and size in dialog units and its text. The Qt
// window builds widgets of them, the Win32 window dialog templates.
#pragma once

#include <span>

namespace romwise::ui {

inline constexpr int kNoId = -1;
inline constexpr int kAcceptId = 1;
inline constexpr int kCancelId = 2;

enum class ControlKind {
    Label,         // static text, left-aligned
    CentredLabel,  // static text, centred
    WrappedLabel,  // static text over several lines
    PlainLabel,    // static text without mnemonic processing
    Field,         // read-only bordered single-line edit
    Edit,          // editable bordered single-line edit
    GroupBox,
    PushButton,
    DefaultButton,  // the dialog's default push button
    ColorButton,    // owner-drawn push button
    Picture,        // bitmap that reports clicks
    Frame,          // bordered frame that reports clicks
    CheckBox,
    ListView,  // list in report mode
    Icon,
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    int x, y, width, height;
    const char* text;  // UTF-8
};

struct DialogTemplate {
    int width, height;
    const char* caption;  // UTF-8
    const char* fontFace;
    int fontPoints;
    std::span<const ControlTemplate> controls;
};

}  // namespace romwise::ui
