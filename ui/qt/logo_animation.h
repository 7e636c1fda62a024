// The animated logo inside the main window's logo area; it plays from the
// moment it is shown.
#pragma once

#include <QTimer>
#include <QWidget>

namespace romwise::ui {

class LogoAnimation : public QWidget {
  public:
    explicit LogoAnimation(QWidget* parent);

    int frame() const { return frame_; }
    bool isPlaying() const { return timer_.isActive(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QTimer timer_;
    int frame_ = 0;
};

}  // namespace romwise::ui
