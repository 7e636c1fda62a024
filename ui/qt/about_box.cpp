#include "ui/qt/about_box.h"

#include <QLabel>

#include "model/control_ids.h"
#include "model/product_identity.h"
#include "ui/common/dialog_templates.h"
#include "ui/common/window_texts.h"
#include "ui/qt/artwork.h"
#include "ui/qt/dialog_builder.h"

namespace romwise::ui {

namespace {
constexpr int kIconPixels = 32;
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    const auto controls = buildDialog(*this, kAboutBoxTemplate);
    connectStandardButtons(*this, controls);
    if (auto* text = dynamic_cast<QLabel*>(controls.at(control::kAboutText))) {
        text->setText(QString::asprintf(kAboutTextFormat, kVersionText));
    }
    // The icon control sizes itself to the icon.
    if (auto* icon = findChild<QLabel*>(QStringLiteral("static0"))) {
        icon->setPixmap(applicationIconPixmap(kIconPixels));
        icon->resize(kIconPixels, kIconPixels);
    }
}

}  // namespace romwise::ui
