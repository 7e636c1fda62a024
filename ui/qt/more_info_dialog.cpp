#include "ui/qt/more_info_dialog.h"

#include <QTreeWidget>
#include <algorithm>

#include "model/control_ids.h"
#include "ui/common/dialog_templates.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/record_text.h"

namespace romwise::ui {

MoreInfoDialog::MoreInfoDialog(const DetectionResults& results,
                               const std::vector<MoreInfoRow>& accessRows, QWidget* parent)
    : QDialog(parent) {
    const auto controls = buildDialog(*this, kMoreInfoTemplate);
    connectStandardButtons(*this, controls);
    auto* list = dynamic_cast<QTreeWidget*>(controls.at(control::kSlotList));
    if (list == nullptr) {
        return;
    }
    const SlotListColumns columns = slotListColumns(list->frameGeometry().width());
    list->setColumnCount(2);
    list->setHeaderLabels(
        {QString::fromLatin1(kSlotColumnHeader), QString::fromLatin1(kSizeColumnHeader)});
    list->setColumnWidth(0, columns.slot);
    list->setColumnWidth(1, columns.size);

    // The record never holds more entries than its table, whatever count says.
    const int count = std::min<int>(results.memorySlotTexts.count,
                                    static_cast<int>(results.memorySlotTexts.text.size()));
    for (int i = 0; i < count; ++i) {
        auto* row = new QTreeWidgetItem(list);
        row->setText(0, QString::asprintf(kSlotRowFormat, i + 1));
        row->setText(1, fromRecord(results.memorySlotTexts.text[static_cast<size_t>(i)].c_str()));
    }
    new QTreeWidgetItem(list);  // the blank separator row
    auto* total = new QTreeWidgetItem(list);
    total->setText(0, QString::fromLatin1(kTotalRowText));
    total->setText(1, fromRecord(results.installedMemoryText.c_str()));
    for (const MoreInfoRow& access : accessRows) {
        auto* row = new QTreeWidgetItem(list);
        row->setText(0, fromRecord(access.label.c_str()));
        row->setText(1, fromRecord(access.value.c_str()));
    }
}

}  // namespace romwise::ui
