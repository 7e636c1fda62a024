// A static picture or frame that reports clicks with the keyboard
// modifiers held at that moment.
#pragma once

#include <QLabel>
#include <functional>

namespace romwise::ui {

class ClickableLabel : public QLabel {
  public:
    using ClickHandler = std::function<void(Qt::KeyboardModifiers)>;

    explicit ClickableLabel(QWidget* parent = nullptr) : QLabel(parent) {}
    void setClickHandler(ClickHandler handler) { handler_ = std::move(handler); }

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    ClickHandler handler_;
};

}  // namespace romwise::ui
