#include "ui/win32/main_window.h"

#include "model/control_ids.h"
#include "model/product_identity.h"
#include "model/run_texts.h"
#include "ui/common/dialog_templates.h"
#include "ui/common/pass_access_texts.h"
#include "ui/common/resource_ids.h"
#include "ui/common/window_texts.h"
#include "ui/win32/about_box.h"
#include "ui/win32/artwork.h"
#include "ui/win32/confirmation_dialog.h"
#include "ui/win32/help_page.h"
#include "ui/win32/more_info_dialog.h"
#include "ui/win32/options_dialog.h"
#include "ui/win32/report_printing.h"
#include "ui/win32/save_report_dialog.h"
#include "ui/win32/wide_text.h"

namespace romwise::ui::win32 {

namespace {

// Posted at the end of the initialisation when Get BIOS Info is to be
// pressed as soon as the window shows.
constexpr UINT kGetBiosInfoAtStart = WM_APP + 1;
// The system command ids keep their low four bits for the system.
constexpr WPARAM kSystemCommandMask = 0xFFF0;
constexpr int kTitleLength = 256;

bool keyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

MainWindow::MainWindow(DetectionResults& results, DetectionOptions& options,
                       const MainWindowServices& services, std::wstring helpPage)
    : DialogWindow(kMainDialogTemplate, DialogRole::Main),
      MainWindowLogic(results, options, services),
      helpPage_(std::move(helpPage)),
      choosePrinter_(choosePrinter),
      openHelp_(openWithShell) {}

MainWindow::~MainWindow() {
    if (detailsBitmap_ != nullptr) {
        DeleteObject(detailsBitmap_);
    }
    if (decorativeBitmap_ != nullptr) {
        DeleteObject(decorativeBitmap_);
    }
}

INT_PTR MainWindow::run(bool getBiosInfo) {
    getBiosInfoAtStart_ = getBiosInfo;
    return runModal(nullptr);
}

bool MainWindow::initialize() {
    addAboutCommand();
    largeIcon_ = loadApplicationIcon(instance(), false);
    smallIcon_ = loadApplicationIcon(instance(), true);
    SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
    SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));

    showCaption(mainWindowCaption(std::nullopt));

    widenFieldTextAreas();
    getBiosInfoButton_.attach(control(control::kGetBiosInfo));
    submitButton_.attach(control(control::kSubmit));
    placeArtwork();
    // The hint, the disabled report buttons, the focus on Get BIOS Info, the
    // hidden More info and the highlight, as the command logic sets them.
    controller().initialize();
    if (getBiosInfoAtStart_) {
        PostMessageW(handle(), kGetBiosInfoAtStart, 0, 0);
    }
    // The focus is set already.
    return false;
}

void MainWindow::addAboutCommand() {
    wchar_t text[kTitleLength] = {};
    if (LoadStringW(instance(), resource::kAboutCommandString, text, kTitleLength) <= 0) {
        return;
    }
    HMENU menu = GetSystemMenu(handle(), FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommandId, text);
}

// An edit control keeps a margin inside its border beside its text, which
// the dialog font makes a pixel on either side. The fields' texts fill them
// nearly to the border (the operating system's line in its field needs
// every pixel), so the fields go without.
void MainWindow::widenFieldTextAreas() {
    for (const int id : kResultFieldIds) {
        SendMessageW(control(id), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    }
}

void MainWindow::placeArtwork() {
    detailsBitmap_ =
        showBitmap(control(control::kDetailsPicture), instance(), resource::kDetailsBitmap);
    if (HWND picture = controlAt(kDecorativePictureIndex)) {
        // A bordered picture: the border takes its place inside the control.
        SetWindowLongPtrW(picture, GWL_STYLE, GetWindowLongPtrW(picture, GWL_STYLE) | WS_BORDER);
        SetWindowPos(picture, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        decorativeBitmap_ = showBitmap(picture, instance(), resource::kDecorativeBitmap);
    }
    logo_ = startLogoAnimation(control(control::kLogo), instance());
}

bool MainWindow::command(int id, int notification, HWND control) {
    // A button's other notifications (an owner-drawn button's double click)
    // are no command; neither are a picture's double clicks.
    const bool clicked = notification == BN_CLICKED;  // STN_CLICKED for pictures
    if (clicked && controlClicked(id, {keyDown(VK_CONTROL), keyDown(VK_MENU)})) {
        return true;
    }
    // Enter and Escape end the dialog at once, without the close path.
    return DialogWindow::command(id, notification, control);
}

bool MainWindow::message(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case kGetBiosInfoAtStart:
            ShowWindow(handle(), SW_SHOW);
            UpdateWindow(handle());
            getBiosInfo();
            return true;
        case WM_CLOSE:
            // The close box, the system menu and Alt+F4 take the close path,
            // which ends the dialog itself when it ends. The message counts
            // as handled: the dialog manager's default handling would post
            // the cancel command and end the dialog that the path kept open.
            windowCloseRequested();
            result = TRUE;
            return true;
        case WM_SYSCOMMAND:
            if ((wParam & kSystemCommandMask) == static_cast<WPARAM>(kAboutCommandId)) {
                runAboutBox();
                return true;
            }
            return false;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (ColorButton* button = colorButtonFor(static_cast<int>(item->CtlID))) {
                button->drawItem(*item);
                result = TRUE;
                return true;
            }
            return false;
        }
        case WM_PAINT:
            if (IsIconic(handle())) {
                paintMinimised();
                return true;
            }
            return false;
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<INT_PTR>(largeIcon_);
            return true;
        default:
            return false;
    }
}

// The application icon centred in the client area of the minimised window.
void MainWindow::paintMinimised() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle(), &paint);
    SendMessageW(handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(handle(), &client);
    const int width = GetSystemMetrics(SM_CXICON);
    const int height = GetSystemMetrics(SM_CYICON);
    DrawIcon(dc, (client.right - width + 1) / 2, (client.bottom - height + 1) / 2, largeIcon_);
    EndPaint(handle(), &paint);
}

ColorButton* MainWindow::colorButtonFor(int controlId) {
    if (controlId == control::kGetBiosInfo) {
        return &getBiosInfoButton_;
    }
    if (controlId == control::kSubmit) {
        return &submitButton_;
    }
    return nullptr;
}

const ColorButton* MainWindow::colorButton(int controlId) const {
    return const_cast<MainWindow*>(this)->colorButtonFor(controlId);
}

void MainWindow::setFieldText(int controlId, const char* text) {
    HWND field = control(controlId);
    if (field == nullptr) {
        return;
    }
    SetWindowTextW(field, wideFromRecord(text).c_str());
    // The sign-on field is the status line while a pass runs on this thread.
    if (controlId == control::kSignOn && IsWindowVisible(field)) {
        UpdateWindow(field);
    }
}

void MainWindow::enableControl(int controlId, bool enabled) {
    if (HWND window = control(controlId)) {
        EnableWindow(window, enabled ? TRUE : FALSE);
    }
}

void MainWindow::showControl(int controlId, bool visible) {
    if (HWND window = control(controlId)) {
        ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
    }
}

void MainWindow::setFocus(int controlId) {
    if (HWND window = control(controlId)) {
        // Through the dialog manager, which keeps the default button right.
        SendMessageW(handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
    }
}

void MainWindow::showMessage(const std::wstring& text, const std::wstring& caption) {
    MessageBoxW(handle(), text.c_str(), caption.c_str(), MB_OK);
}

void MainWindow::messageBox(const char* text, const char* caption) {
    showMessage(wideFromRecord(text), wideFromRecord(caption));
}

void MainWindow::setButtonColors(int controlId, std::uint32_t textColor, std::uint32_t faceColor) {
    if (ColorButton* button = colorButtonFor(controlId)) {
        button->setColors(textColor, faceColor);
    }
}

void MainWindow::resetButtonColors(int controlId) {
    if (ColorButton* button = colorButtonFor(controlId)) {
        button->resetColors();
    }
}

DialogResult MainWindow::runCloseConfirmation() {
    ConfirmationDialog dialog;
    switch (dialog.runModal(handle())) {
        case IDOK:
            return DialogResult::Accept;
        case IDCANCEL:
            return DialogResult::Cancel;
        case kDialogFailed:
        case 0:  // no valid owner
            return DialogResult::CouldNotCreate;
        default:
            return DialogResult::Other;
    }
}

void MainWindow::runSaveReportDialog() {
    SaveReportDialog dialog(wideFromAnsi(controller().proposedReportPath()),
                            [this](const std::wstring& path) {
                                // A name the system's code page cannot spell exactly would name
                                // another file: refuse it as a file that cannot be written.
                                const std::optional<std::string> ansi = ansiFromWide(path);
                                if (!ansi) {
                                    messageBox(kFileErrorSaving, kErrorCaption);
                                    return;
                                }
                                controller().saveReport(*ansi);
                            });
    dialog.runModal(handle());
}

void MainWindow::runPrintJob() {
    HDC printer = choosePrinter_ ? choosePrinter_(handle()) : nullptr;
    if (printer == nullptr) {
        return;  // cancelling is not an error
    }
    printReport(printer, session_.results);
    DeleteDC(printer);
}

void MainWindow::runOptionsDialog() {
    OptionsDialog dialog(session_.options);
    dialog.runModal(handle());
}

void MainWindow::runMoreInfoDialog() {
    MoreInfoDialog dialog(session_.results, moreInfoAccessRows(passAccess()));
    dialog.runModal(handle());
}

void MainWindow::runAboutBox() {
    AboutBox box;
    box.runModal(handle());
}

void MainWindow::showHelp() {
    const std::wstring caption = wideFromUtf8(kApplicationTitle);
    if (helpPage_.empty() || GetFileAttributesW(helpPage_.c_str()) == INVALID_FILE_ATTRIBUTES) {
        showMessage(wideFromUtf8(kHelpPageMissing), caption);
        return;
    }
    if (!openHelp_ || !openHelp_(helpPage_)) {
        showMessage(wideFromUtf8(kHelpPageNotOpened) + L"\n" + helpPage_, caption);
    }
}

void MainWindow::showCaption(const std::string& caption) {
    if (handle() != nullptr) {
        SetWindowTextW(handle(), wideFromRecord(caption.c_str()).c_str());
    }
}

void MainWindow::endWindow(DialogEnd result) {
    end(result == DialogEnd::Accept ? IDOK : IDCANCEL);
}

}  // namespace romwise::ui::win32
