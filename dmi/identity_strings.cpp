#include "dmi/identity_strings.h"

#include <span>
#include <string>

#include "dmi/dmi_reader.h"
#include "dmi/entry_point.h"
#include "dmi/scratch_copy.h"
#include "dmi/smbios_dump.h"
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
    {kBiosVendorField, &FirmwareIdentity::biosVendor},
    {kBiosVersionField, &FirmwareIdentity::biosVersion},
    {kBiosReleaseDateField, &FirmwareIdentity::biosDate},
};
constexpr IdentityField kBoardFields[] = {
    {kMakerField, &FirmwareIdentity::boardVendor},
    {kModelField, &FirmwareIdentity::boardName},
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

// One structure: its formatted area (`length` bytes, string numbers set
// at `fields`' offsets for the texts that are not empty), then its strings.
void appendStructure(std::vector<std::uint8_t>& table, std::uint8_t type, std::uint8_t length,
                     std::uint16_t handle, std::span<const IdentityField> fields,
                     const FirmwareIdentity& identity) {
    const std::size_t start = table.size();
    table.resize(start + length, 0);
    table[start] = type;
    table[start + 1] = length;
    table[start + 2] = static_cast<std::uint8_t>(handle);
    table[start + 3] = static_cast<std::uint8_t>(handle >> 8);
    std::uint8_t number = 0;
    for (const IdentityField& field : fields) {
        const std::string& text = identity.*field.text;
        if (text.empty()) {
            continue;
        }
        table[start + field.offset] = ++number;
        table.insert(table.end(), text.begin(), text.end());
        table.push_back(0);
    }
    if (number == 0) {
        table.push_back(0);
    }
    table.push_back(0);
}

}  // namespace

SmbiosTables IdentityTables(const FirmwareIdentity& identity) {
    SmbiosTables tables;
    appendStructure(tables.table, kBiosInformationLayout.type, kBiosInformationLayout.base, 0,
                    kBiosFields, identity);
    appendStructure(tables.table, kBaseBoardLayout.type, kBaseBoardLayout.base, 1, kBoardFields,
                    identity);
    appendStructure(tables.table, kEndOfTableType, 4, 2, {}, identity);
    tables.entryPoint =
        Smbios3EntryPointFor(3, 0, 0, static_cast<std::uint32_t>(tables.table.size()), 0);
    return tables;
}

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
