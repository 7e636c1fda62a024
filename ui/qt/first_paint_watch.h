// Calls back once a widget has finished its first paint; used to measure
// how long the window takes to appear.
#pragma once

#include <QObject>
#include <QWidget>
#include <functional>

namespace romwise::ui {

class FirstPaintWatch : public QObject {
  public:
    FirstPaintWatch(QWidget& widget, std::function<void()> painted);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& widget_;
    std::function<void()> painted_;
    bool fired_ = false;
};

}  // namespace romwise::ui
