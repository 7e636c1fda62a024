// The keys of a profile's objects as tables: each row names a key and how
// its value goes into the object being filled, so that a new key is one
// row. The readers for the usual forms are made from the member they fill:
//
//   {"administrator", field<&MachineProfile::administrator>}
//   {"device", field<&PciDevice::device, kMaxPciDevice>, kRequired}
//   {"wow64Directory", nullableField<&ProfileOs::wow64Directory>}
//   {"family", choice<&ProfileOs::family, kFamilyNames>}
//   {"browser", object<&MachineProfile::browser, kBrowserKeys>}
//   {"registers", hexMap<&SuperIoChip::registers, kRegisterValues>}
//
// and a key whose value needs more (a file, a list with checks across its
// items) names a function of the same form.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/sim/profile_fields.h"
#include "platform/sim/profile_value.h"

namespace romwise::sim {

// How one key's value goes into its object, and whether the object may
// refuse it before it is read (a Windows key in a Linux "os").
template <typename Target>
using ValueReader = void (*)(const ProfileFields& fields, const ProfileValue& value,
                             const std::string& key, Target& target);
template <typename Target>
using KeyPrecondition = void (*)(const ProfileFields& fields, const std::string& key,
                                 const Target& target);

inline constexpr bool kRequired = true;
inline constexpr bool kOptional = false;

template <typename Target>
struct KeyReader {
    const char* name;
    ValueReader<Target> read;
    bool required = false;
    KeyPrecondition<Target> precondition = nullptr;
};

template <typename Target, std::size_t N>
struct KeyTable {
    std::array<KeyReader<Target>, N> keys;
    std::array<std::string_view, N> names;  // the keys' names, for the unknown-key check
    const char* missingRequired;            // the refusal when a required key is absent
};

// A table of the rows given, in the order they are read. A table with a
// required key must say how the object is refused without it.
template <typename Target, std::size_t N>
constexpr KeyTable<Target, N> keyTable(const KeyReader<Target> (&rows)[N],
                                       const char* missingRequired = nullptr) {
    KeyTable<Target, N> table{{}, {}, missingRequired};
    for (std::size_t i = 0; i < N; ++i) {
        if (rows[i].required && missingRequired == nullptr) {
            throw "a table with a required key needs its refusal";
        }
        table.keys[i] = rows[i];
        table.names[i] = rows[i].name;
    }
    return table;
}

// Refuses keys the table does not name; refuses the object with the
// table's message when a required key is absent; then reads every key
// present, in the table's order.
template <typename Target, std::size_t N>
void readObject(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
                const KeyTable<Target, N>& table, Target& target) {
    fields.object(value, key, table.names);
    for (const KeyReader<Target>& entry : table.keys) {
        if (entry.required && value.find(entry.name) == nullptr) {
            fields.fail(key, table.missingRequired);
        }
    }
    for (const KeyReader<Target>& entry : table.keys) {
        const ProfileValue* member = value.find(entry.name);
        if (member == nullptr) {
            continue;
        }
        const std::string entryKey = childKey(key, entry.name);
        if (entry.precondition != nullptr) {
            entry.precondition(fields, entryKey, target);
        }
        entry.read(fields, *member, entryKey, target);
    }
}

// --- readers made from a member ---------------------------------------------

template <typename>
struct MemberPointer;
template <typename Owner_, typename Type_>
struct MemberPointer<Type_ Owner_::*> {
    using Owner = Owner_;
    using Type = Type_;
};
template <auto Member>
using OwnerOf = typename MemberPointer<decltype(Member)>::Owner;
template <auto Member>
using TypeOf = typename MemberPointer<decltype(Member)>::Type;

template <typename T>
struct Unwrapped {
    using Type = T;
};
template <typename T>
struct Unwrapped<std::optional<T>> {
    using Type = T;
};
// What a member holds, without its std::optional.
template <auto Member>
using ValueOf = typename Unwrapped<TypeOf<Member>>::Type;

// The largest value of a whole-number member: its type's, unless the row
// gives a smaller one.
template <typename Value>
constexpr std::uint64_t kLargestOf = [] {
    if constexpr (std::is_integral_v<Value>) {
        return std::uint64_t{std::numeric_limits<Value>::max()};
    } else {
        return std::uint64_t{0};  // no bound of its own: the row gives one
    }
}();

// One value of a plain form: a switch, a text, a whole number from 0 to
// `Max` (a JSON number or "0x..."), a signed 32-bit number, or seconds from
// 0 to `Max`.
template <typename Value, std::uint64_t Max = kLargestOf<Value>>
Value scalarValue(const ProfileFields& fields, const ProfileValue& value, const std::string& key) {
    if constexpr (std::is_same_v<Value, bool>) {
        return fields.boolValue(value, key);
    } else if constexpr (std::is_same_v<Value, std::string>) {
        return fields.stringValue(value, key);
    } else if constexpr (std::is_same_v<Value, std::int32_t>) {
        return fields.signedValue(value, key);
    } else if constexpr (std::is_same_v<Value, double>) {
        static_assert(Max > 0, "seconds need the row's bound");
        return fields.secondsValue(value, key, static_cast<double>(Max));
    } else {
        static_assert(std::is_unsigned_v<Value>, "a form the profile does not have");
        return static_cast<Value>(fields.unsignedValue(value, key, Max));
    }
}

template <auto Member, std::uint64_t Max = kLargestOf<ValueOf<Member>>>
void field(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
           OwnerOf<Member>& target) {
    target.*Member = scalarValue<ValueOf<Member>, Max>(fields, value, key);
}

// null leaves the optional member empty; any other value is read by
// `Read`.
template <auto Member, ValueReader<OwnerOf<Member>> Read>
void orNull(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
            OwnerOf<Member>& target) {
    if (value.isNull()) {
        target.*Member = std::nullopt;
        return;
    }
    Read(fields, value, key, target);
}

template <auto Member, std::uint64_t Max = kLargestOf<ValueOf<Member>>>
inline constexpr ValueReader<OwnerOf<Member>> nullableField = orNull<Member, field<Member, Max>>;

// A text naming one of a fixed set of values; any other is refused with
// `unknown WHAT "TEXT" (expected EXPECTED)`.
template <typename Value>
struct NamedValues {
    std::span<const std::pair<const char*, Value>> names;
    const char* what;
    const char* expected;
};

template <auto Member, const auto& Names>
void choice(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
            OwnerOf<Member>& target) {
    const std::string text = fields.stringValue(value, key);
    for (const auto& [name, named] : Names.names) {
        if (text == name) {
            target.*Member = named;
            return;
        }
    }
    fields.fail(key, std::string("unknown ") + Names.what + " \"" + text + "\" (expected " +
                         Names.expected + ")");
}

// An object read through its own table; an optional member is filled
// afresh.
template <auto Member, const auto& Keys>
void object(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
            OwnerOf<Member>& target) {
    if constexpr (std::is_same_v<ValueOf<Member>, TypeOf<Member>>) {
        readObject(fields, value, key, Keys, target.*Member);
    } else {
        ValueOf<Member> filled{};
        readObject(fields, value, key, Keys, filled);
        target.*Member = std::move(filled);
    }
}

template <auto Member, const auto& Keys>
inline constexpr ValueReader<OwnerOf<Member>> nullableObject = orNull<Member, object<Member, Keys>>;

// An object whose keys are hexadecimal numbers ("0x2E") up to the largest
// key of the map, each value read by `read`.
template <typename Value>
struct MapEntries {
    const char* expected;  // what the value must be, for the refusal
    Value (*read)(const ProfileFields& fields, const ProfileValue& value, const std::string& key);
};

template <auto Member, const auto& Entries>
void hexMap(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
            OwnerOf<Member>& target) {
    using MapKey = typename TypeOf<Member>::key_type;
    if (!value.isObject()) {
        fields.fail(key,
                    std::string("expected ") + Entries.expected + ", got " + describeJson(value));
    }
    // In name order, so that of two spellings of one key ("0x01", "0x1")
    // the later in that order is the one kept.
    for (const ProfileValue::Member* member : value.membersByName()) {
        if (isNoteKey(member->name)) {
            continue;
        }
        const std::string itemKey = entryKey(key, member->name);
        const auto number =
            static_cast<MapKey>(fields.hexKey(member->name, itemKey, kLargestOf<MapKey>));
        (target.*Member)[number] = Entries.read(fields, member->value, itemKey);
    }
}

}  // namespace romwise::sim
