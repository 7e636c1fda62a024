// The Win32 main window, a native dialog from the main template: the fields
// a pass fills, every command button, the logo animation and the two
// pictures. It draws what the command logic asks for and routes its clicks
// and close requests to the logic both windows share
// (ui/common/main_window_logic.h).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/common/main_window_logic.h"
#include "ui/win32/color_button.h"
#include "ui/win32/dialog_window.h"

namespace romwise::ui::win32 {

class MainWindow : public DialogWindow, public MainWindowLogic {
  public:
    // Asks for a printer and returns its device context (nullptr: cancelled);
    // the window deletes it after the job.
    using PrinterChooser = std::function<HDC(HWND owner)>;
    // Opens the help page; true when a program took it.
    using HelpOpener = std::function<bool(const std::wstring& page)>;

    // `helpPage` is our help page; empty when there is none.
    MainWindow(DetectionResults& results, DetectionOptions& options,
               const MainWindowServices& services, std::wstring helpPage);
    ~MainWindow() override;

    // Runs the window until it ends; `getBiosInfo` presses Get BIOS Info as
    // soon as it shows. Returns the dialog's result.
    INT_PTR run(bool getBiosInfo);

    const ColorButton* colorButton(int controlId) const;
    HWND logoAnimation() const { return logo_; }
    void setPrinterChooser(PrinterChooser chooser) { choosePrinter_ = std::move(chooser); }
    void setHelpOpener(HelpOpener opener) { openHelp_ = std::move(opener); }

    // MainView
    void setFieldText(int controlId, const char* text) override;
    void enableControl(int controlId, bool enabled) override;
    void showControl(int controlId, bool visible) override;
    void setFocus(int controlId) override;
    void messageBox(const char* text, const char* caption) override;
    void setButtonColors(int controlId, std::uint32_t textColor, std::uint32_t faceColor) override;
    void resetButtonColors(int controlId) override;
    DialogResult runCloseConfirmation() override;
    void runSaveReportDialog() override;
    void runPrintJob() override;
    void runOptionsDialog() override;
    void runMoreInfoDialog() override;
    void runAboutBox() override;
    void showHelp() override;

  protected:
    void endWindow(DialogEnd result) override;
    void showCaption(const std::string& caption) override;
    bool initialize() override;
    bool command(int id, int notification, HWND control) override;
    bool message(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    ColorButton* colorButtonFor(int controlId);
    void addAboutCommand();
    void widenFieldTextAreas();
    void placeArtwork();
    void paintMinimised();
    void showMessage(const std::wstring& text, const std::wstring& caption);

    std::wstring helpPage_;
    ColorButton getBiosInfoButton_;
    ColorButton submitButton_;
    PrinterChooser choosePrinter_;
    HelpOpener openHelp_;
    HICON largeIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HBITMAP detailsBitmap_ = nullptr;
    HBITMAP decorativeBitmap_ = nullptr;
    HWND logo_ = nullptr;
    bool getBiosInfoAtStart_ = false;
};

}  // namespace romwise::ui::win32
