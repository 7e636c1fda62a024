#include "ui/win32/dialog_builder.h"

#include <commctrl.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "ui/win32/wide_text.h"

namespace romwise::ui::win32 {

namespace {

constexpr std::uint16_t kTemplateVersion = 1;
constexpr std::uint16_t kExtendedSignature = 0xFFFF;

// Adds to a template made of 16-bit units.
class TemplateWriter {
  public:
    void word(std::uint16_t value) { units_.push_back(value); }
    void dword(std::uint32_t value) {
        word(static_cast<std::uint16_t>(value & 0xFFFF));
        word(static_cast<std::uint16_t>(value >> 16));
    }
    void coordinate(int value) {
        if (value < SHRT_MIN || value > SHRT_MAX) {
            throw std::out_of_range("dialog unit out of range");
        }
        word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
    }
    void text(const std::wstring& value) {
        for (const wchar_t c : value) {
            word(static_cast<std::uint16_t>(c));
        }
        word(0);
    }
    // Controls start on a 32-bit boundary.
    void alignToDword() {
        if (units_.size() % 2 != 0) {
            word(0);
        }
    }
    std::vector<std::uint16_t> take() { return std::move(units_); }

  private:
    std::vector<std::uint16_t> units_;
};

}  // namespace

ControlClass controlClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::WrappedLabel:
            return {L"Static", SS_LEFT | WS_GROUP};
        case ControlKind::CentredLabel:
            return {L"Static", SS_CENTER | WS_GROUP};
        case ControlKind::PlainLabel:
            return {L"Static", SS_LEFT | SS_NOPREFIX | WS_GROUP};
        case ControlKind::Field:
            // Read only and out of the tab order: the focus starts at the
            // first button.
            return {L"Edit", ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER};
        case ControlKind::Edit:
            return {L"Edit", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
        case ControlKind::GroupBox:
            return {L"Button", BS_GROUPBOX};
        case ControlKind::PushButton:
            return {L"Button", BS_PUSHBUTTON | WS_TABSTOP};
        case ControlKind::DefaultButton:
            return {L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP};
        case ControlKind::ColorButton:
            return {L"Button", BS_OWNERDRAW | WS_TABSTOP};
        case ControlKind::Picture:
            // The bitmap is stretched to the control, whatever the font's
            // dialog units make of its size.
            return {L"Static", SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL};
        case ControlKind::Frame:
            return {L"Static", SS_NOTIFY | WS_BORDER};
        case ControlKind::CheckBox:
            return {L"Button", BS_AUTOCHECKBOX | WS_TABSTOP};
        case ControlKind::ListView:
            return {WC_LISTVIEWW, LVS_REPORT | WS_BORDER | WS_TABSTOP};
        case ControlKind::Icon:
            // The control keeps its size and centres the icon.
            return {L"Static", SS_ICON | SS_CENTERIMAGE};
    }
    throw std::invalid_argument("unknown control kind");
}

std::vector<std::uint16_t> buildDialogTemplate(const DialogTemplate& dialog, DialogRole role) {
    TemplateWriter out;
    out.word(kTemplateVersion);
    out.word(kExtendedSignature);
    out.dword(0);  // help id
    out.dword(role == DialogRole::Main ? WS_EX_APPWINDOW : 0);
    out.dword(kDialogStyle);
    out.word(static_cast<std::uint16_t>(dialog.controls.size()));
    out.coordinate(0);
    out.coordinate(0);
    out.coordinate(dialog.width);
    out.coordinate(dialog.height);
    out.word(0);  // no menu
    out.word(0);  // the standard dialog class
    out.text(wideFromUtf8(dialog.caption));
    out.word(static_cast<std::uint16_t>(dialog.fontPoints));
    out.word(FW_NORMAL);
    out.word(DEFAULT_CHARSET << 8);  // italic 0, then the character set
    out.text(wideFromUtf8(dialog.fontFace));

    for (const ControlTemplate& control : dialog.controls) {
        const ControlClass kind = controlClass(control.kind);
        out.alignToDword();
        out.dword(0);  // help id
        out.dword(0);  // extended style
        out.dword(WS_CHILD | WS_VISIBLE | kind.style);
        out.coordinate(control.x);
        out.coordinate(control.y);
        out.coordinate(control.width);
        out.coordinate(control.height);
        out.dword(static_cast<std::uint32_t>(control.id));  // kNoId stays -1
        out.text(kind.className);
        out.text(wideFromUtf8(control.text));
        out.word(0);  // no creation data
    }
    return out.take();
}

}  // namespace romwise::ui::win32
