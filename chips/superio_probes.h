// The family probes of the Super I/O chain. Each returns true after writing
// "Superio:   NAME rev N found at port Ph" into the line, or false with the
// line untouched.
#pragma once

#include <cstdint>

#include "chips/config_ports.h"
#include "model/fixed_text.h"

namespace romwise {

using SuperIoProbe = bool (*)(ConfigPorts& ports, FixedText<260>& line);

// The result line; the port is the index port (or, for the south bridge, the
// PCI device number).
void WriteSuperIoLine(FixedText<260>& line, const char* name, unsigned revision,
                      std::uint32_t port);

// UMC at 108h, ITE through the Plug and Play port 279h, ITE at 2Eh.
bool ProbeUmcIte(ConfigPorts& ports, FixedText<260>& line);
// South bridges that hold the Super I/O functions, by PCI id.
bool ProbeSouthBridge(ConfigPorts& ports, FixedText<260>& line);
// Older parts at 250h and 3F0h, then newer parts by device id.
bool ProbeWinbond(ConfigPorts& ports, FixedText<260>& line);
// SMC by registers 0Dh or 20h, and the C&T test at 3F0h.
bool ProbeSmc(ConfigPorts& ports, FixedText<260>& line);
bool ProbeNsc(ConfigPorts& ports, FixedText<260>& line);
bool ProbeLgs(ConfigPorts& ports, FixedText<260>& line);
bool ProbeAli(ConfigPorts& ports, FixedText<260>& line);
bool ProbeHmc(ConfigPorts& ports, FixedText<260>& line);
bool ProbeIntel82091(ConfigPorts& ports, FixedText<260>& line);

}  // namespace romwise
