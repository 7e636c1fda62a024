// The Qt main window: the fields a pass fills, every command button, the
// logo and the two pictures. Widgets only forward events to the command logic
// and render what it asks for.
#pragma once

#include <QDialog>
#include <functional>
#include <map>

#include "app/detection_session.h"
#include "app/main_controller.h"
#include "model/main_view.h"
#include "report/report_files.h"
#include "report/shell.h"

class QAction;
class QPrinter;

namespace romwise::ui {

class ColorButton;
class LogoAnimation;

// Everything outside the window that it works with. `shell` belongs to the
// machine the pass runs on (a profile's is simulated); `localShell` is this
// computer's, which opens the help page.
struct MainWindowServices {
    Detectors& detectors;
    OsServices& os;
    DriverHost& driverHost;
    Shell& shell;
    ReportFiles& files;
    Shell& localShell;
};

class MainWindow : public QDialog, public MainView {
  public:
    // Asks for the printer and its settings; false when the user cancelled.
    using PrinterChooser = std::function<bool(QPrinter& printer, QWidget* parent)>;

    MainWindow(DetectionResults& results, DetectionOptions& options,
               const MainWindowServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    QWidget* control(int controlId) const;
    MainController& controller() { return controller_; }
    DetectionSession& session() { return session_; }
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
    void endDialog() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildWindow();
    void placeArtwork();
    void connectCommands();
    ColorButton* colorButton(int controlId) const;

    DetectionSession session_;
    MainController controller_;
    ReportFiles& files_;
    Shell& localShell_;
    std::map<int, QWidget*> controls_;
    LogoAnimation* logo_ = nullptr;
    QAction* aboutAction_ = nullptr;
    PrinterChooser choosePrinter_;
    int endResult_ = QDialog::Accepted;
    bool ended_ = false;
};

}  // namespace romwise::ui
