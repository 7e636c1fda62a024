// A processor for tests: identification leaves as scripted, chosen leaves and
// instructions that fault, and a counter that moves one count per reading.
// It records what was executed, so tests can tell which steps ran.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "cpu/processor_access.h"

namespace romwise::testing {

class ScriptedProcessor final : public ProcessorAccess {
  public:
    std::map<std::uint32_t, CpuidRegisters> leaves;  // leaves not given read zeros
    std::set<std::uint32_t> faultingLeaves;
    bool identificationPresent = true;
    bool sseExecutes = true;
    bool timeStampFaults = false;
    bool frequencyFails = false;
    std::int64_t frequency = 10'000'000;
    std::uint64_t cyclesPerCount = 100;

    std::vector<std::uint32_t> executedLeaves;
    int sseProbes = 0;
    int bitScanLoops = 0;
    int counterReads = 0;

    bool hasCpuid() override { return identificationPresent; }
    bool cpuid(std::uint32_t leaf, CpuidRegisters& out) override {
        executedLeaves.push_back(leaf);
        if (!identificationPresent || faultingLeaves.count(leaf) != 0) {
            return false;
        }
        const auto found = leaves.find(leaf);
        out = found != leaves.end() ? found->second : CpuidRegisters{};
        return true;
    }
    bool readTimeStampCounter(std::uint64_t& out) override {
        if (timeStampFaults) {
            return false;
        }
        out = counter_ * cyclesPerCount;
        return true;
    }
    bool executeSseProbe() override {
        ++sseProbes;
        return sseExecutes;
    }
    bool runBitScanLoop() override {
        ++bitScanLoops;
        return true;
    }
    bool queryPerformanceCounter(std::int64_t& out) override {
        ++counterReads;
        out = static_cast<std::int64_t>(++counter_);
        return true;
    }
    bool queryPerformanceFrequency(std::int64_t& out) override {
        out = frequency;
        return !frequencyFails;
    }

    int timesExecuted(std::uint32_t leaf) const {
        int count = 0;
        for (std::uint32_t executed : executedLeaves) {
            count += executed == leaf ? 1 : 0;
        }
        return count;
    }

    // Leaf 0 naming `vendor` (12 characters: EBX, EDX, ECX).
    void setVendor(std::string_view vendor, std::uint32_t highestLeaf = 3) {
        CpuidRegisters leaf0;
        leaf0.eax = highestLeaf;
        char text[12] = {};
        std::memcpy(text, vendor.data(), vendor.size() < 12 ? vendor.size() : 12);
        std::memcpy(&leaf0.ebx, text, 4);
        std::memcpy(&leaf0.edx, text + 4, 4);
        std::memcpy(&leaf0.ecx, text + 8, 4);
        leaves[0] = leaf0;
    }

    void setSignature(std::uint32_t eax, std::uint32_t edx = 0, std::uint32_t ebx = 0) {
        leaves[1] = CpuidRegisters{eax, ebx, 0, edx};
    }

    // The brand string over leaves 80000002h-80000004h, zero-padded to 48.
    void setBrand(std::string_view brand) {
        char bytes[48] = {};
        std::memcpy(bytes, brand.data(), brand.size() < 48 ? brand.size() : 48);
        for (std::uint32_t i = 0; i < 3; ++i) {
            CpuidRegisters part;
            std::memcpy(&part, bytes + 16 * i, 16);
            leaves[0x80000002u + i] = part;
        }
    }

  private:
    std::uint64_t counter_ = 0;
};

}  // namespace romwise::testing
