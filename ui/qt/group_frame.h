// A group box drawn as the platform's dialogs draw one: an etched frame
// whose top line runs through the middle of the caption, which sits in a gap
// of that line. (Qt's styles put the whole frame below the caption, so its
// top line crosses the first row of controls the templates place inside.)
#pragma once

#include <QGroupBox>

namespace romwise::ui {

class GroupFrame : public QGroupBox {
  public:
    GroupFrame(const QString& title, QWidget* parent);

    // The frame's top line, in pixels from the widget's top.
    int frameTop() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace romwise::ui
