#include "tools/samplegen/smbios_table.h"

#include <algorithm>
#include <span>
#include <stdexcept>

#include "dmi/checksum.h"

namespace romwise::samplegen {

StructureWriter::StructureWriter(std::uint8_t type) : type_(type) {}

StructureWriter& StructureWriter::Byte(std::uint8_t value) {
    AppendByte(fields_, value);
    return *this;
}

StructureWriter& StructureWriter::Word(std::uint16_t value) {
    AppendWord(fields_, value);
    return *this;
}

StructureWriter& StructureWriter::Dword(std::uint32_t value) {
    AppendDword(fields_, value);
    return *this;
}

StructureWriter& StructureWriter::Qword(std::uint64_t value) {
    AppendQword(fields_, value);
    return *this;
}

StructureWriter& StructureWriter::String(std::string_view text) {
    if (text.empty()) {
        return Byte(0);
    }
    if (text.find('\0') != std::string_view::npos) {
        throw std::invalid_argument("an SMBIOS string cannot hold a NUL");
    }
    strings_.emplace_back(text);
    return Byte(static_cast<std::uint8_t>(strings_.size()));
}

Bytes StructureWriter::Finish(std::uint16_t handle) const {
    const std::size_t length = 4 + fields_.size();
    if (length > 0xFF) {
        throw std::length_error("formatted area longer than 255 bytes");
    }
    Bytes out;
    AppendByte(out, type_);
    AppendByte(out, static_cast<std::uint8_t>(length));
    AppendWord(out, handle);
    out.insert(out.end(), fields_.begin(), fields_.end());
    if (strings_.empty()) {
        AppendWord(out, 0);
    } else {
        for (const std::string& s : strings_) {
            AppendText(out, s);
            AppendByte(out, 0);
        }
        AppendByte(out, 0);
    }
    return out;
}

std::uint16_t SmbiosTable::Add(const StructureWriter& structure) {
    const std::uint16_t handle = nextHandle_++;
    const Bytes bytes = structure.Finish(handle);
    if (table_.size() + bytes.size() > 0xFFFF) {
        throw std::length_error("structure table longer than 65535 bytes");
    }
    maxStructureSize_ = std::max(maxStructureSize_, static_cast<std::uint16_t>(bytes.size()));
    table_.insert(table_.end(), bytes.begin(), bytes.end());
    return handle;
}

Bytes SmbiosTable::DumpBin(std::uint8_t majorVersion, std::uint8_t minorVersion) const {
    Bytes dump;
    AppendText(dump, "_SM_");
    AppendByte(dump, 0);  // checksum, below
    AppendByte(dump, static_cast<std::uint8_t>(kSmbiosEntryLength));
    AppendByte(dump, majorVersion);
    AppendByte(dump, minorVersion);
    AppendWord(dump, maxStructureSize_);
    AppendByte(dump, 0);                          // entry point revision
    dump.insert(dump.end(), 5, std::uint8_t{0});  // formatted area
    AppendText(dump, "_DMI_");
    AppendByte(dump, 0);  // intermediate checksum, below
    AppendWord(dump, static_cast<std::uint16_t>(table_.size()));
    AppendDword(dump, static_cast<std::uint32_t>(kDumpTableOffset));
    AppendWord(dump, structureCount());
    AppendByte(dump, static_cast<std::uint8_t>((majorVersion << 4) | (minorVersion & 0x0F)));

    const std::span<const std::uint8_t> entry(dump);
    dump[0x15] = ChecksumComplement(entry.subspan(0x10, kSmbiosEntryLength - 0x10));
    dump[0x04] = ChecksumComplement(entry.first(kSmbiosEntryLength));

    dump.resize(kDumpTableOffset, 0);
    dump.insert(dump.end(), table_.begin(), table_.end());
    return dump;
}

Bytes SmbiosTable::DumpBin3(std::uint8_t majorVersion, std::uint8_t minorVersion,
                            std::uint8_t docRevision) const {
    Bytes dump;
    AppendText(dump, "_SM3_");
    AppendByte(dump, 0);  // checksum, below
    AppendByte(dump, static_cast<std::uint8_t>(kSmbios3EntryLength));
    AppendByte(dump, majorVersion);
    AppendByte(dump, minorVersion);
    AppendByte(dump, docRevision);
    AppendByte(dump, 0x01);  // entry point revision: SMBIOS 3.0
    AppendByte(dump, 0);     // reserved
    AppendDword(dump, static_cast<std::uint32_t>(table_.size()));
    AppendQword(dump, kDumpTableOffset);
    dump[0x05] = ChecksumComplement(std::span<const std::uint8_t>(dump));

    dump.resize(kDumpTableOffset, 0);
    dump.insert(dump.end(), table_.begin(), table_.end());
    return dump;
}

}  // namespace romwise::samplegen
