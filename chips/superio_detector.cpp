#include "chips/superio_detector.h"

#include "chips/config_ports.h"
#include "chips/superio_probes.h"

namespace romwise {

namespace {

// The chain, in the order the probes must run: earlier probes' keys would
// disturb chips that later ones look for.
constexpr SuperIoProbe kProbeChain[] = {
    ProbeUmcIte, ProbeSouthBridge, ProbeWinbond, ProbeSmc,        ProbeNsc,
    ProbeLgs,    ProbeAli,         ProbeHmc,     ProbeIntel82091,
};

bool runChain(ConfigPorts& ports, FixedText<260>& line) {
    for (const SuperIoProbe probe : kProbeChain) {
        if (probe(ports, line)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool SuperIoDetector::identify(FixedText<260>& line) {
    if (pci_ != nullptr) {
        ConfigPorts ports(driver_, *pci_, skipPorts2E4E_);
        return runChain(ports, line);
    }
    PortPciConfigAccess pci(driver_);
    ConfigPorts ports(driver_, pci, skipPorts2E4E_);
    return runChain(ports, line);
}

}  // namespace romwise
