#include "ui/qt/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

#include "model/control_ids.h"
#include "model/product_identity.h"
#include "platform/encoding/text_encoding.h"
#include "ui/common/dialog_templates.h"
#include "ui/common/pass_access_texts.h"
#include "ui/common/window_texts.h"
#include "ui/qt/about_box.h"
#include "ui/qt/artwork.h"
#include "ui/qt/clickable_label.h"
#include "ui/qt/color_button.h"
#include "ui/qt/confirmation_dialog.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/help_page.h"
#include "ui/qt/logo_animation.h"
#include "ui/qt/more_info_dialog.h"
#include "ui/qt/options_dialog.h"
#include "ui/qt/record_text.h"
#include "ui/qt/report_printing.h"
#include "ui/qt/save_report_dialog.h"

namespace romwise::ui {

MainWindow::MainWindow(DetectionResults& results, DetectionOptions& options,
                       const MainWindowServices& services, Shell& localShell, QWidget* parent)
    : QDialog(parent),
      MainWindowLogic(results, options, services),
      localShell_(localShell),
      choosePrinter_(choosePrinter) {
    buildWindow();
    placeArtwork();
    routeClicks();
    controller().initialize();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWindow() {
    // A dialog with caption, system menu and close box, without minimise
    // and maximise boxes.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    controls_ = buildDialog(*this, kMainDialogTemplate);
    showCaption(mainWindowCaption(std::nullopt));
    setWindowIcon(applicationIcon());
    for (const int id : kResultFieldIds) {
        if (auto* field = dynamic_cast<QLineEdit*>(control(id))) {
            field->setFocusPolicy(Qt::ClickFocus);
        }
    }

    aboutAction_ = new QAction(QString::fromUtf8(kAboutCommandText), this);
    aboutAction_->setData(kAboutCommandId);
    aboutAction_->setObjectName(QStringLiteral("aboutCommand"));
    connect(aboutAction_, &QAction::triggered, this, [this] { runAboutBox(); });
}

void MainWindow::placeArtwork() {
    if (auto* picture = dynamic_cast<QLabel*>(control(control::kDetailsPicture))) {
        picture->setPixmap(detailsPicture(picture->size()));
    }
    const QString decorativeName = QStringLiteral("static%1").arg(kDecorativePictureIndex);
    if (auto* picture = findChild<QLabel*>(decorativeName)) {
        picture->setFrameStyle(QFrame::Box | QFrame::Plain);
        const QRect inside = picture->contentsRect();
        picture->setPixmap(decorativePicture(inside.size()));
    }
    if (auto* area = dynamic_cast<QLabel*>(control(control::kLogo))) {
        logo_ = new LogoAnimation(area);
        logo_->setObjectName(QString::number(control::kLogo));
        logo_->setGeometry(area->contentsRect());
    }
}

// Every button's click and every clickable picture's goes to the shared
// dispatch, which knows the command of each control.
void MainWindow::routeClicks() {
    for (const auto& [id, widget] : controls_) {
        if (auto* button = dynamic_cast<QPushButton*>(widget)) {
            connect(button, &QPushButton::clicked, this, [this, id = id] { controlClicked(id); });
        } else if (auto* picture = dynamic_cast<ClickableLabel*>(widget)) {
            picture->setClickHandler([this, id = id](Qt::KeyboardModifiers modifiers) {
                controlClicked(id, {modifiers.testFlag(Qt::ControlModifier),
                                    modifiers.testFlag(Qt::AltModifier)});
            });
        }
    }
}

QWidget* MainWindow::control(int controlId) const {
    const auto found = controls_.find(controlId);
    return found == controls_.end() ? nullptr : found->second;
}

ColorButton* MainWindow::colorButton(int controlId) const {
    return dynamic_cast<ColorButton*>(control(controlId));
}

void MainWindow::setFieldText(int controlId, const char* text) {
    auto* field = dynamic_cast<QLineEdit*>(control(controlId));
    if (field == nullptr) {
        return;
    }
    field->setText(fromRecord(text));
    field->setCursorPosition(0);
    // The sign-on field is the status line while a pass runs on this thread.
    if (controlId == control::kSignOn && field->isVisible()) {
        field->repaint();
    }
}

void MainWindow::enableControl(int controlId, bool enabled) {
    if (QWidget* widget = control(controlId)) {
        widget->setEnabled(enabled);
    }
}

void MainWindow::showControl(int controlId, bool visible) {
    if (QWidget* widget = control(controlId)) {
        widget->setVisible(visible);
    }
}

void MainWindow::setFocus(int controlId) {
    if (QWidget* widget = control(controlId)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::messageBox(const char* text, const char* caption) {
    QMessageBox box(QMessageBox::NoIcon, fromRecord(caption), fromRecord(text), QMessageBox::Ok,
                    this);
    box.exec();
}

void MainWindow::setButtonColors(int controlId, std::uint32_t textColor, std::uint32_t faceColor) {
    if (ColorButton* button = colorButton(controlId)) {
        button->setColors(textColor, faceColor);
    }
}

void MainWindow::resetButtonColors(int controlId) {
    if (ColorButton* button = colorButton(controlId)) {
        button->resetColors();
    }
}

DialogResult MainWindow::runCloseConfirmation() {
    ConfirmationDialog dialog(this);
    switch (dialog.exec()) {
        case QDialog::Accepted:
            return DialogResult::Accept;
        case QDialog::Rejected:
            return DialogResult::Cancel;
        default:
            return DialogResult::Other;
    }
}

void MainWindow::runSaveReportDialog() {
    const QString proposed = QFile::decodeName(controller().proposedReportPath().c_str());
    SaveReportDialog dialog(
        proposed,
        [this](const std::string& path) {
            return controller().saveReport(path) == SaveOutcome::Saved;
        },
        this);
    dialog.exec();
}

void MainWindow::runPrintJob() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromLatin1(kPrintDocumentName));
    printer.setFromTo(1, 1);
    if (!choosePrinter_ || !choosePrinter_(printer, this)) {
        return;  // cancelling is not an error
    }
    printReport(printer, session_.results);
}

void MainWindow::runOptionsDialog() {
    OptionsDialog dialog(session_.options, this);
    dialog.exec();
}

void MainWindow::runMoreInfoDialog() {
    MoreInfoDialog dialog(session_.results, moreInfoAccessRows(passAccess()), this);
    dialog.exec();
}

void MainWindow::runAboutBox() {
    AboutBox box(this);
    box.exec();
}

// Through this computer's opener, which tells whether a viewer really took
// the page (a started opener may still find none).
void MainWindow::showHelp() {
    const QString page = installedHelpPage();
    if (page.isEmpty()) {
        messageBox(kHelpPageMissing, kApplicationTitle);
        return;
    }
    const std::string address = QUrl::fromLocalFile(page).toEncoded().toStdString();
    if (!localShell_.openAddress(address)) {
        const std::string text =
            std::string(kHelpPageNotOpened) + "\n" + utf8ToWindows1252(page.toStdString());
        messageBox(text.c_str(), kApplicationTitle);
    }
}

void MainWindow::showCaption(const std::string& caption) {
    setWindowTitle(fromRecord(caption.c_str()));
}

void MainWindow::endWindow(DialogEnd result) {
    ended_ = true;
    done(result == DialogEnd::Accept ? QDialog::Accepted : QDialog::Rejected);
}

// The window's own close request takes the close path; the window closes
// only when the path has ended the dialog.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    windowCloseRequested();
    if (ended_) {
        event->accept();
    } else {
        event->ignore();
    }
}

// The dialog's accept command (Enter, where no push button has the focus to
// take it) ends the dialog at once, as its cancel command (Escape) does:
// neither asks the close confirmation nor closes the driver.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier &&
        qobject_cast<QPushButton*>(focusWidget()) == nullptr) {
        ended_ = true;
        done(QDialog::Accepted);
        return;
    }
    QDialog::keyPressEvent(event);
}

// The window manager owns the system menu here, so the About command lives
// in the window's context menu.
void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(aboutAction_);
    menu.exec(event->globalPos());
}

void MainWindow::paintEvent(QPaintEvent* event) {
    if (!isMinimized()) {
        QDialog::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const int size = style()->pixelMetric(QStyle::PM_LargeIconSize);
    const QPixmap icon = applicationIconPixmap(size);
    painter.drawPixmap((width() - icon.width() + 1) / 2, (height() - icon.height() + 1) / 2, icon);
}

}  // namespace romwise::ui
