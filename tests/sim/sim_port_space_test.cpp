// The simulated port space: Super I/O chips with their keys, and PCI
// configuration mechanism #1 as the chipset detection reaches it.
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "hw/pci_config_access.h"
#include "hw/port_io.h"
#include "platform/sim/sim_physical_memory.h"
#include "platform/sim/sim_port_driver.h"
#include "platform/sim/sim_port_space.h"

namespace romwise::sim {
namespace {

using Writes = std::initializer_list<PortWrite>;

void write(SimPortSpace& ports, Writes writes) {
    for (const PortWrite& w : writes) {
        ports.writeByte(w.first, w.second);
    }
}

std::uint8_t readRegister(SimPortSpace& ports, std::uint16_t indexPort, std::uint8_t reg) {
    ports.writeByte(indexPort, reg);
    return ports.readByte(static_cast<std::uint16_t>(indexPort + 1));
}

// A Winbond-style chip: 87h twice to enter, AAh to leave.
SuperIoChip winbondAt2E() {
    SuperIoChip chip;
    chip.indexPort = 0x2E;
    chip.dataPort = 0x2F;
    chip.unlock = {{{0x2E, 0x87}, {0x2E, 0x87}}};
    chip.lock = {{{0x2E, 0xAA}}};
    chip.registers = {{0x20, 0x52}, {0x21, 0x17}};
    return chip;
}

// An ITE-style chip: a four-write key, left by writing 02h into register 02h.
SuperIoChip iteAt2E() {
    SuperIoChip chip;
    chip.indexPort = 0x2E;
    chip.dataPort = 0x2F;
    chip.unlock = {{{0x2E, 0x87}, {0x2E, 0x01}, {0x2E, 0x55}, {0x2E, 0x55}}};
    chip.lockOnRegisterWrite = std::make_pair(std::uint8_t{0x02}, std::uint8_t{0x02});
    chip.registers = {{0x20, 0x87}, {0x21, 0x12}};
    return chip;
}

TEST(SimSuperIo, UnlockReadAndLock) {
    SuperIoChip chip = winbondAt2E();
    chip.lockedRead = 0x00;
    SimPortSpace ports({chip}, {});
    EXPECT_EQ(readRegister(ports, 0x2E, 0x20), 0x00) << "locked: lockedRead";
    EXPECT_EQ(ports.readByte(0x2E), 0xFF) << "locked index port";

    write(ports, {{0x2E, 0x87}, {0x2E, 0x87}});
    EXPECT_TRUE(ports.isUnlocked(0));
    EXPECT_EQ(readRegister(ports, 0x2E, 0x20), 0x52);
    EXPECT_EQ(readRegister(ports, 0x2E, 0x21), 0x17);
    EXPECT_EQ(ports.readByte(0x2E), 0x21) << "the index port reads the selected index";
    EXPECT_EQ(readRegister(ports, 0x2E, 0x30), 0xFF) << "defaultRegister";

    ports.writeByte(0x2E, 0xAA);
    EXPECT_FALSE(ports.isUnlocked(0));
    EXPECT_EQ(readRegister(ports, 0x2E, 0x20), 0x00);
}

TEST(SimSuperIo, KeysMustArriveInOrder) {
    SimPortSpace ports({iteAt2E()}, {});
    write(ports, {{0x2E, 0x87}, {0x2E, 0x55}, {0x2E, 0x01}, {0x2E, 0x55}});
    EXPECT_FALSE(ports.isUnlocked(0)) << "wrong order";
    write(ports, {{0x2E, 0x87}, {0x2E, 0x01}, {0x2F, 0x55}, {0x2E, 0x55}, {0x2E, 0x55}});
    EXPECT_FALSE(ports.isUnlocked(0)) << "a write to another port breaks the key";
    write(ports, {{0x2E, 0x87}, {0x2E, 0x01}, {0x2E, 0x55}});
    EXPECT_FALSE(ports.isUnlocked(0)) << "an incomplete key";
    ports.writeByte(0x2E, 0x55);
    EXPECT_TRUE(ports.isUnlocked(0));
    EXPECT_EQ(readRegister(ports, 0x2E, 0x20), 0x87);
}

TEST(SimSuperIo, AWriteOfTheFirstKeyByteStartsAnew) {
    SimPortSpace ports({iteAt2E()}, {});
    write(ports,
          {{0x2E, 0x87}, {0x2E, 0x01}, {0x2E, 0x87}, {0x2E, 0x01}, {0x2E, 0x55}, {0x2E, 0x55}});
    EXPECT_TRUE(ports.isUnlocked(0));
}

TEST(SimSuperIo, KeysOnAnotherPortAndSeveralLockSequences) {
    SuperIoChip chip;
    chip.indexPort = 0x251;
    chip.dataPort = 0x252;
    chip.unlock = {{{0x250, 0xEA}, {0x250, 0xEA}}};
    chip.lock = {{{0x250, 0xAD}}, {{0x250, 0xCC}, {0x250, 0xCC}}};
    chip.registers = {{0x00, 0x01}};
    SimPortSpace ports({chip}, {});
    EXPECT_EQ(ports.readByte(0x250), 0xFF) << "a key port is no register";
    write(ports, {{0x250, 0xEA}, {0x250, 0xEA}});
    EXPECT_EQ(readRegister(ports, 0x251, 0x00), 0x01);
    write(ports, {{0x250, 0xCC}});
    EXPECT_TRUE(ports.isUnlocked(0)) << "half of the second lock sequence";
    write(ports, {{0x250, 0xCC}});
    EXPECT_FALSE(ports.isUnlocked(0));
    write(ports, {{0x250, 0xEA}, {0x250, 0xEA}, {0x250, 0xAD}});
    EXPECT_FALSE(ports.isUnlocked(0));
}

TEST(SimSuperIo, LockOnRegisterWrite) {
    SimPortSpace ports({iteAt2E()}, {});
    const Writes key = {{0x2E, 0x87}, {0x2E, 0x01}, {0x2E, 0x55}, {0x2E, 0x55}};
    write(ports, key);
    write(ports, {{0x2E, 0x02}, {0x2F, 0x01}});
    EXPECT_TRUE(ports.isUnlocked(0)) << "another value into register 02h";
    write(ports, {{0x2E, 0x07}, {0x2F, 0x02}});
    EXPECT_TRUE(ports.isUnlocked(0)) << "the value into another register";
    write(ports, {{0x2E, 0x02}, {0x2F, 0x02}});
    EXPECT_FALSE(ports.isUnlocked(0));
    write(ports, key);
    EXPECT_TRUE(ports.isUnlocked(0)) << "the key works again after a lock";
}

TEST(SimSuperIo, DataWritesAreStoredAndSequencesCycle) {
    SuperIoChip chip;
    chip.indexPort = 0x108;
    chip.dataPort = 0x109;
    chip.defaultRegister = 0x00;
    chip.sequences = {{0xC0, {0x10, 0x20, 0x30}}};
    SimPortSpace ports({chip}, {});
    EXPECT_EQ(readRegister(ports, 0x108, 0xC0), 0x10);
    EXPECT_EQ(readRegister(ports, 0x108, 0xC0), 0x20);
    EXPECT_EQ(ports.readByte(0x109), 0x30) << "every read takes the next value";
    EXPECT_EQ(readRegister(ports, 0x108, 0xC0), 0x10);
    EXPECT_EQ(readRegister(ports, 0x108, 0x05), 0x00) << "defaultRegister";
    write(ports, {{0x108, 0x07}, {0x109, 0x05}});
    EXPECT_EQ(readRegister(ports, 0x108, 0x07), 0x05);
}

TEST(SimSuperIo, ChipWithoutUnlockIgnoresLockKeys) {
    SuperIoChip chip = winbondAt2E();
    chip.unlock.clear();
    SimPortSpace ports({chip}, {});
    ports.writeByte(0x2E, 0xAA);
    EXPECT_TRUE(ports.isUnlocked(0));
    EXPECT_EQ(readRegister(ports, 0x2E, 0x20), 0x52);
}

TEST(SimSuperIo, SharedIndexAndDataPort) {
    SuperIoChip chip;
    chip.indexPort = 0x3F0;
    chip.dataPort = 0x3F0;
    chip.unlock = {{{0x3F0, 0x51}}};
    chip.lock = {{{0x3F0, 0xBB}}};
    chip.registers = {{0x29, 0x93}};
    chip.lockedRead = 0x3A;
    SimPortSpace ports({chip}, {});
    write(ports, {{0x3F0, 0x29}});
    EXPECT_EQ(ports.readByte(0x3F0), 0x3A) << "locked";
    write(ports, {{0x3F0, 0x51}, {0x3F0, 0x29}});
    EXPECT_EQ(ports.readByte(0x3F0), 0x93);
    write(ports, {{0x3F0, 0x19}});
    EXPECT_EQ(ports.readByte(0x3F0), 0xFF) << "every write selects a register";
    EXPECT_EQ(ports.readByte(0x3F1), 0xFF) << "nothing answers the next port";
}

TEST(SimSuperIo, ChipsKeepTheirOwnState) {
    SuperIoChip other = winbondAt2E();
    other.indexPort = 0x4E;
    other.dataPort = 0x4F;
    other.unlock = {{{0x4E, 0x87}, {0x4E, 0x87}}};
    other.lock = {{{0x4E, 0xAA}}};
    other.registers = {{0x20, 0xA5}};
    SimPortSpace ports({winbondAt2E(), other}, {});
    write(ports, {{0x4E, 0x87}, {0x4E, 0x87}});
    EXPECT_FALSE(ports.isUnlocked(0));
    EXPECT_TRUE(ports.isUnlocked(1));
    EXPECT_EQ(readRegister(ports, 0x4E, 0x20), 0xA5);
    EXPECT_EQ(readRegister(ports, 0x2E, 0x20), 0xFF);
}

TEST(SimPortSpace, UnclaimedPortsReadAllOnes) {
    SimPortSpace ports({winbondAt2E()}, {});
    EXPECT_EQ(ports.readByte(0x80), 0xFF);
    EXPECT_EQ(ports.readDword(0x2E), 0xFFFFFFFFu);
    EXPECT_EQ(ports.readDword(0x1000), 0xFFFFFFFFu);
}

class SimPci : public ::testing::Test {
  protected:
    std::vector<MemoryRegion> noMemory_;
    SimPhysicalMemory memory_{noMemory_};
    SimPortSpace ports_{{}, {{0, 0x8086, 0x7190, 3}, {1, 0x8086, 0x7110, 2}}};
    SimPortDriver driver_{ports_, memory_, true, true};
    PortPciConfigAccess pci_{driver_};
};

TEST_F(SimPci, AnswersBus0Function0DevicesOfTheProfile) {
    EXPECT_EQ(pci_.ReadConfigDword(0, 0, 0, 0x00), 0x71908086u);
    EXPECT_EQ(pci_.ReadConfigDword(0, 0, 0, 0x08), 3u);
    EXPECT_EQ(pci_.ReadConfigDword(0, 0, 0, 0x0B), 3u) << "the aligned dword";
    EXPECT_EQ(pci_.ReadConfigDword(0, 0, 0, 0x04), 0u);
    EXPECT_EQ(pci_.ReadConfigDword(0, 1, 0, 0x00), 0x71108086u);
    EXPECT_EQ(pci_.ReadConfigDword(0, 33, 0, 0x00), 0x71108086u) << "device 33 is device 1";
    EXPECT_EQ(pci_.ReadConfigDword(0, 2, 0, 0x00), 0xFFFFFFFFu) << "absent device";
    EXPECT_EQ(pci_.ReadConfigDword(1, 0, 0, 0x00), 0xFFFFFFFFu) << "other bus";
    EXPECT_EQ(pci_.ReadConfigDword(0, 0, 1, 0x00), 0xFFFFFFFFu) << "other function";
}

TEST_F(SimPci, TheAddressLatchNeedsTheEnableBit) {
    WritePortDword(driver_, 0xCF8, 0x80000000u);
    EXPECT_EQ(ReadPortDword(driver_, 0xCF8), 0x80000000u);
    EXPECT_EQ(ReadPortByte(driver_, 0xCFE), 0x90) << "byte 2 of 71908086h";
    WritePortDword(driver_, 0xCF8, 0x00000000u);
    EXPECT_EQ(ReadPortDword(driver_, 0xCFC), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace romwise::sim
