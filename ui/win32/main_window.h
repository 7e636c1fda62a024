// The main window, a native dialog from the main template: the fields a
// pass fills, every command button, the logo animation and the two pictures.
// It implements the view the detection run and the command logic talk to,
// and forwards every command to the same controller as the Qt window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/detection_session.h"
#include "app/main_controller.h"
#include "model/main_view.h"
#include "report/report_files.h"
#include "report/shell.h"
#include "ui/win32/color_button.h"
#include "ui/win32/dialog_window.h"

namespace romwise::ui::win32 {

// Everything outside the window that it works with.
struct MainWindowServices {
    Detectors& detectors;
    OsServices& os;
    DriverHost& driverHost;
    Shell& shell;
    ReportFiles& files;
    // Our help page; empty when there is none.
    std::wstring helpPage;
};

class MainWindow : public DialogWindow, public MainView {
  public:
    // Asks for a printer and returns its device context (nullptr: cancelled);
    // the window deletes it after the job.
    using PrinterChooser = std::function<HDC(HWND owner)>;
    // Opens the help page; true when a program took it.
    using HelpOpener = std::function<bool(const std::wstring& page)>;

    MainWindow(DetectionResults& results, DetectionOptions& options,
               const MainWindowServices& services);
    ~MainWindow() override;

    // Runs the window until it ends; `getBiosInfo` presses Get BIOS Info as
    // soon as it shows. Returns the dialog's result.
    INT_PTR run(bool getBiosInfo);

    MainController& controller() { return controller_; }
    DetectionSession& session() { return session_; }
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
    void endDialog() override;

  protected:
    bool initialize() override;
    bool command(int id, int notification, HWND control) override;
    bool message(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    ColorButton* colorButtonFor(int controlId);
    void addAboutCommand();
    void placeArtwork();
    void paintMinimised();
    void showMessage(const std::wstring& text, const std::wstring& caption);

    DetectionSession session_;
    MainController controller_;
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
    INT_PTR endResult_ = IDOK;
};

}  // namespace romwise::ui::win32
