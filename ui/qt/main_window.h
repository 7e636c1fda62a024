// The Qt main window: the fields a pass fills, every command button, the
// logo and the two pictures, built from the main template. It draws what the
// command logic asks for and routes its clicks and close requests to the
// logic both windows share (ui/common/main_window_logic.h).
#pragma once

#include <QDialog>
#include <functional>
#include <map>

#include "ui/common/main_window_logic.h"

class QAction;
class QPrinter;

namespace romwise::ui {

class ColorButton;
class LogoAnimation;

class MainWindow : public QDialog, public MainWindowLogic {
  public:
    // Asks for the printer and its settings; false when the user cancelled.
    using PrinterChooser = std::function<bool(QPrinter& printer, QWidget* parent)>;

    // `localShell` is this computer's, which opens the help page.
    MainWindow(DetectionResults& results, DetectionOptions& options,
               const MainWindowServices& services, Shell& localShell, QWidget* parent = nullptr);
    ~MainWindow() override;

    QWidget* control(int controlId) const;
    LogoAnimation* logo() const { return logo_; }
    QAction* aboutAction() const { return aboutAction_; }
    void setPrinterChooser(PrinterChooser chooser) { choosePrinter_ = std::move(chooser); }

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
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildWindow();
    void placeArtwork();
    void routeClicks();
    ColorButton* colorButton(int controlId) const;

    Shell& localShell_;
    std::map<int, QWidget*> controls_;
    LogoAnimation* logo_ = nullptr;
    QAction* aboutAction_ = nullptr;
    PrinterChooser choosePrinter_;
    bool ended_ = false;
};

}  // namespace romwise::ui
