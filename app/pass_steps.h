// The steps a detection pass is made of, shared by its two routes (the
// hardware-access driver's, and the firmware tables' where the driver or
// the administrator's rights are refused). Each step calls its detector,
// puts the findings into the record through the rules of app/pass_texts.h
// and shows them in the window. A step that returns an outcome has ended
// the pass and said why.
#pragma once

#include <memory>
#include <optional>

#include "app/detection_session.h"
#include "app/pass_outcome.h"
#include "app/pass_texts.h"

namespace romwise {

// The status line after a pass that stopped with a message box.
inline constexpr char kBlankStatus[] = " ";

// Fails the pass with `status` in the status line.
PassOutcome failPass(DetectionSession& session, const char* status);
// Stops the pass after `message` (none for a pass stopped at the ROM),
// with `reason` under it.
PassOutcome stopPass(DetectionSession& session, PassEnd end, const char* message,
                     const std::string& reason = {});

// Resets what the previous pass left and creates the OS detector; nothing
// when it cannot be created, which fails the pass.
std::unique_ptr<OsInfo> startPass(DetectionSession& session);
// Empties the fields, shows the operating system and fails the pass on a
// platform the program does not support.
std::optional<PassOutcome> identifyOperatingSystem(DetectionSession& session, OsInfo& os);
// Whether the pass may go on to the driver: no check needed, or the user
// has the administrator's rights.
bool passesAdministratorCheck(DetectionSession& session, OsInfo& os);
// The record's program folder, from the program file's path.
void composeProgramFolder(DetectionSession& session, OsInfo& os);
// The session's driver, opened by the first pass that gets here; nothing
// when it cannot be opened or is not usable.
HardwareDriver* openDriver(DetectionSession& session, OsInfo& os);

// The Super I/O chip (unless switched off), then the chipset, through the
// driver.
void identifyChips(DetectionSession& session, HardwareDriver& driver);
// Shows the chipset line, or Unknown when `found` is false.
void showChipset(DetectionSession& session, bool found, const FixedText<260>& line);
// The BIOS lines from the ROM window `rom` maps; the vendor code of the
// upgrade request, or nothing when the ROM cannot be read.
const char* identifyBiosRom(DetectionSession& session, HardwareDriver& rom);
// Shows the four BIOS lines of the record.
void showBiosLines(DetectionSession& session);

// Reads the DMI data into the record and `working`; `fromTablesOnly` reads
// the system's copy of the tables and never physical memory.
bool readDmiInto(DetectionSession& session, DmiWorkingValues& working, DmiSummary& summary,
                 bool fromTablesOnly);
// Board, memory and processor texts: from the DMI data when `withDmi`,
// else the fallbacks; shown in the window.
void showBoardData(DetectionSession& session, bool withDmi, const DmiWorkingValues& working);
// Board, memory and processor from the DMI tables, or the fallbacks when
// they are switched off or cannot be read (the driver's route).
void readBoardData(DetectionSession& session);

// Locale, the upgrade request, and the buttons of a completed pass.
PassOutcome completePass(DetectionSession& session, const char* vendorCode);

}  // namespace romwise
