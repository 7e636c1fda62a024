#include "ui/common/pass_access_texts.h"

#include "model/message_text.h"
#include "model/product_identity.h"
#include "ui/common/dialog_templates.h"

namespace romwise::ui {

namespace {

constexpr char kCaptionNoteSeparator[] = " - ";
constexpr char kRouteLabel[] = "  Route:";
constexpr char kFirmwareTablesRouteWords[] = "firmware tables";
constexpr char kBiosLabel[] = "  BIOS:";
constexpr char kDmiLabel[] = "  DMI:";
constexpr char kChipsetLabel[] = "  Chipset:";
constexpr char kSuperIoLabel[] = "  Super I/O:";
constexpr char kSuperIoNotProbedWords[] = "not probed";

bool tookFirmwareTables(const std::optional<PassAccess>& access) {
    return access && access->route == PassRoute::FirmwareTables;
}

}  // namespace

std::string mainWindowCaption(const std::optional<PassAccess>& access) {
    std::string caption = std::string(kMainDialogTemplate.caption) + " " + kVersionText;
    if (tookFirmwareTables(access)) {
        caption += kCaptionNoteSeparator;
        // A caption is one line, whatever the reason holds.
        caption += escapeControlBytes(accessNoteLine(*access));
    }
    return caption;
}

std::vector<MoreInfoRow> moreInfoAccessRows(const std::optional<PassAccess>& access) {
    if (!tookFirmwareTables(access)) {
        return {};
    }
    return {
        {},
        {kRouteLabel, kFirmwareTablesRouteWords},
        {kBiosLabel, accessSourceWords(access->bios)},
        {kDmiLabel, accessSourceWords(access->dmi)},
        {kChipsetLabel, accessSourceWords(access->chipset)},
        {kSuperIoLabel, kSuperIoNotProbedWords},
    };
}

}  // namespace romwise::ui
