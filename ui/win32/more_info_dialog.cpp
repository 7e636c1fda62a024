#include "ui/win32/more_info_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "model/control_ids.h"
#include "ui/common/dialog_templates.h"
#include "ui/common/window_texts.h"
#include "ui/win32/wide_text.h"

namespace romwise::ui::win32 {

namespace {

void insertColumn(HWND list, int index, const char* header, int width) {
    std::wstring text = wideFromUtf8(header);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = text.data();
    column.iSubItem = index;
    ListView_InsertColumn(list, index, &column);
}

// Inserts a row at `index` with `first` in column 0 and returns where the
// list put it.
int insertRow(HWND list, int index, std::wstring first) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = first.data();
    return static_cast<int>(
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void setSecondColumn(HWND list, int row, std::wstring text) {
    LVITEMW item = {};
    item.iSubItem = 1;
    item.pszText = text.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

MoreInfoDialog::MoreInfoDialog(const DetectionResults& results, std::vector<MoreInfoRow> accessRows)
    : DialogWindow(kMoreInfoTemplate), results_(results), accessRows_(std::move(accessRows)) {}

bool MoreInfoDialog::initialize() {
    HWND list = control(control::kSlotList);
    RECT window;
    GetWindowRect(list, &window);
    const SlotListColumns widths = slotListColumns(window.right - window.left);
    insertColumn(list, 0, kSlotColumnHeader, widths.slot);
    insertColumn(list, 1, kSizeColumnHeader, widths.size);

    // The record never holds more entries than its table, whatever count says.
    const int count = std::min<int>(results_.memorySlotTexts.count,
                                    static_cast<int>(results_.memorySlotTexts.text.size()));
    for (int i = 0; i < count; ++i) {
        char slot[16];
        std::snprintf(slot, sizeof slot, kSlotRowFormat, i + 1);
        const int row = insertRow(list, i, wideFromUtf8(slot));
        setSecondColumn(
            list, row,
            wideFromRecord(results_.memorySlotTexts.text[static_cast<std::size_t>(i)].c_str()));
    }
    insertRow(list, count, std::wstring());
    const int total = insertRow(list, count + 1, wideFromUtf8(kTotalRowText));
    setSecondColumn(list, total, wideFromRecord(results_.installedMemoryText.c_str()));
    int next = count + 2;
    for (const MoreInfoRow& access : accessRows_) {
        const int row = insertRow(list, next++, wideFromRecord(access.label.c_str()));
        setSecondColumn(list, row, wideFromRecord(access.value.c_str()));
    }
    ListView_RedrawItems(list, count + 1, count + 1);
    return true;
}

}  // namespace romwise::ui::win32
