// Answers the modal dialogs and message boxes a click opens: each step
// runs on the next modal window to appear, from inside its event loop.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace romwise::ui::testing {

struct SeenModal {
    std::string title;
    std::string text;  // a message box's text
};

class ModalScript {
  public:
    using Step = std::function<void(QWidget*)>;

    ModalScript() {
        timer_.setInterval(2);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    // Adds a step; steps run in order, one per newly opened modal window.
    ModalScript& then(Step step) {
        steps_.push_back(std::move(step));
        return *this;
    }
    // Closes a message box with OK (or any modal dialog with reject).
    ModalScript& thenDismiss() {
        return then([](QWidget* modal) {
            if (auto* box = dynamic_cast<QMessageBox*>(modal)) {
                box->accept();
            } else if (auto* dialog = dynamic_cast<QDialog*>(modal)) {
                dialog->reject();
            }
        });
    }

    const std::vector<SeenModal>& seen() const { return seen_; }
    bool finished() const { return steps_.empty(); }

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || wasHandled(modal)) {
            return;
        }
        // A dialog becomes the active modal window again when a message
        // box it opened closes; it is handled only once.
        handled_.push_back(modal);
        SeenModal record{modal->windowTitle().toStdString(), {}};
        if (auto* box = dynamic_cast<QMessageBox*>(modal)) {
            record.text = box->text().toStdString();
        }
        seen_.push_back(record);
        if (steps_.empty()) {
            // Unexpected: never leave a test hanging.
            QPointer<QWidget> target(modal);
            QTimer::singleShot(0, [target] {
                if (auto* dialog = dynamic_cast<QDialog*>(target.data())) {
                    dialog->reject();
                }
            });
            return;
        }
        // The step runs after this poll returns: a timer is not delivered
        // again while its own handler runs, and a step may open a further
        // modal window that the next poll must see.
        Step step = std::move(steps_.front());
        steps_.pop_front();
        QPointer<QWidget> target(modal);
        QTimer::singleShot(0, [step = std::move(step), target] {
            if (target) {
                step(target);
            }
        });
    }

    bool wasHandled(QWidget* modal) const {
        for (const QPointer<QWidget>& widget : handled_) {
            if (widget.data() == modal) {
                return true;
            }
        }
        return false;
    }

    QTimer timer_;
    std::deque<Step> steps_;
    std::vector<SeenModal> seen_;
    std::vector<QPointer<QWidget>> handled_;
};

template <typename T>
T* child(QWidget* parent, int id) {
    return parent->findChild<T*>(QString::number(id));
}

}  // namespace romwise::ui::testing
