// Dialog templates as data: every control with its id, kind, position and
// size in dialog units and its text, and the builder that makes widgets of
// them.
#pragma once

#include <QDialog>
#include <QWidget>
#include <map>
#include <span>

#include "ui/dialog_units.h"

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

// The object name a control gets: its id in decimal, or "static<N>" for a
// control without an id (N is its place in the template).
QString controlObjectName(const ControlTemplate& control, int index);

// Sets the dialog's font, caption and fixed client size and creates every
// control as a child at its place. Returns the controls with an id by id.
std::map<int, QWidget*> buildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate);

}  // namespace romwise::ui

namespace romwise::ui {

// Button 1 accepts the dialog and button 2 cancels it, as the dialog
// manager's standard commands do.
void connectStandardButtons(QDialog& dialog, const std::map<int, QWidget*>& controls);

}  // namespace romwise::ui
