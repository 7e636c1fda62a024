// What both windows fill in at run time besides the templates' own texts:
// the About line, the more-information list, the limits of two controls,
// the print job's name and the help messages.
#pragma once

namespace romwise::ui {

// The About box's line 1032, formatted with the version text.
inline constexpr char kAboutTextFormat[] = "Romwise %s";

// The more-information list: two columns, one row per slot ("  1", "  2",
// ...), a blank row and the total.
inline constexpr char kSlotColumnHeader[] = "Slot";
inline constexpr char kSizeColumnHeader[] = "Memory Installed";
inline constexpr char kSlotRowFormat[] = "  %d";
inline constexpr char kTotalRowText[] = "  Total:";

struct SlotListColumns {
    int slot;
    int size;
};

// Column widths for a list `windowWidth` pixels wide: w / 3 - 4 and 2w / 3.
constexpr SlotListColumns slotListColumns(int windowWidth) {
    return {windowWidth / 3 - 4, 2 * windowWidth / 3};
}

// The save dialog's file-name field takes at most this many characters.
inline constexpr int kSaveFileNameLimit = 99;
// The colour button draws at most this many characters of its label.
inline constexpr int kMaxButtonLabel = 511;

// The document name of the print job.
inline constexpr char kPrintDocumentName[] = "test";

// Help is our own page; these say why it did not show.
inline constexpr char kHelpPageMissing[] = "The help page could not be found.";
inline constexpr char kHelpPageNotOpened[] = "No program on this computer opened the help page:";

}  // namespace romwise::ui
