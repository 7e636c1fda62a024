#include <optional>
#include <string_view>

#include "dmi/dmi_extraction.h"
#include "dmi/scratch_copy.h"
#include "dmi/structure_walk.h"

namespace romwise {

namespace {

// Dell boards carry the system's own names in System Information.
constexpr std::string_view kSystemNamesMaker = "Dell";

// Copies every structure of the layout's type, so the last one stays.
void CopyLastOfType(const SmbiosContext& context, const ScratchLayout& layout, ScratchCopy& copy) {
    WalkStructuresOfType(context, layout.type, [&](const TableStructure& structure) {
        copy.copyFrom(structure, layout);
        return true;
    });
}

}  // namespace

void ExtractMakerAndModel(const SmbiosContext& context, DmiSummary& summary) {
    ScratchCopy copy(context.maxStructureSize());
    CopyLastOfType(context, kBaseBoardLayout, copy);
    std::optional<std::string_view> maker = copy.stringOfField(kMakerField);
    if (maker && maker->find(kSystemNamesMaker) != std::string_view::npos) {
        copy.clear();
        CopyLastOfType(context, kSystemInformationLayout, copy);
        maker = copy.stringOfField(kMakerField);
    }
    if (maker) {
        summary.manufacturer.assign(*maker);
    }
    if (const auto model = copy.stringOfField(kModelField)) {
        summary.model.assign(*model);
    }
}

}  // namespace romwise
