// How every platform's discovery orders and bounds the records it found, so
// the first port of the list is the same kind of choice everywhere.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace k470 {

// Name order in which runs of digits compare by value (ttyACM2 before
// ttyACM10, COM2 before COM10). Names that only differ in leading zeros fall
// back to plain order, which keeps the order strict.
bool PortNameLess(std::string_view a, std::string_view b);

// `ports` ordered by PortNameLess, each name once, at most `max_ports` of
// them, then "-Select-".
std::vector<std::string> OrderedPortList(std::vector<std::string> ports, std::size_t max_ports);

}  // namespace k470
