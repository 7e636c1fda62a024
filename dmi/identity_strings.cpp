#include "dmi/identity_strings.h"

#include <string>

#include "dmi/dmi_reader.h"
#include "dmi/entry_point.h"
#include "dmi/scratch_copy.h"
#include "dmi/structure_walk.h"

namespace romwise {

namespace {

// Hands the reader tables it already has.
class TablesAtHand final : public FirmwareTables {
  public:
    explicit TablesAtHand(const SmbiosTables& tables) : tables_(tables) {}
    std::optional<SmbiosTables> readSmbiosTables() override { return tables_; }

  private:
    const SmbiosTables& tables_;
};

struct IdentityField {
    std::size_t offset;
    std::string FirmwareIdentity::*text;
};

constexpr IdentityField kBiosFields[] = {
    {0x04, &FirmwareIdentity::biosVendor},
    {0x05, &FirmwareIdentity::biosVersion},
    {0x08, &FirmwareIdentity::biosDate},
};
constexpr IdentityField kBoardFields[] = {
    {0x04, &FirmwareIdentity::boardVendor},
    {0x05, &FirmwareIdentity::boardName},
};

template <std::size_t N>
bool takeFirst(const SmbiosContext& context, const ScratchLayout& layout,
               const IdentityField (&fields)[N], FirmwareIdentity& identity) {
    ScratchCopy copy(context.maxStructureSize());
    bool named = false;
    WalkStructuresOfType(context, layout.type, [&](const TableStructure& structure) {
        copy.copyFrom(structure, layout);
        for (const IdentityField& field : fields) {
            if (const auto text = copy.stringOfField(field.offset)) {
                identity.*field.text = std::string(*text);
                named = true;
            }
        }
        return false;
    });
    return named;
}

}  // namespace

std::optional<FirmwareIdentity> ReadIdentityStrings(const SmbiosTables& tables) {
    TablesAtHand source(tables);
    DmiReader reader(nullptr, &source);
    SmbiosContext context;
    std::optional<FirmwareIdentity> found;
    if (TakeFirmwareTables(reader, context) && context.hasStructureTable()) {
        FirmwareIdentity identity;
        const bool bios = takeFirst(context, kBiosInformationLayout, kBiosFields, identity);
        const bool board = takeFirst(context, kBaseBoardLayout, kBoardFields, identity);
        if (bios || board) {
            found = std::move(identity);
        }
    }
    reader.release();
    return found;
}

}  // namespace romwise
