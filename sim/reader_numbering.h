// k470sim --count: the readers of one process tell themselves apart like a
// batch from the factory, by consecutive serial numbers and BT MAC IDs, and
// each has its own link and image files.
#pragma once

#include <string>

namespace k470::sim {

// The k-th serial number (k from 1) counting on from `first`: its trailing
// digits increased by k - 1 ("K471-000123", "K471-000124", ...); a number
// without trailing digits gets "-k" from the second reader on.
std::string NthSerialNumber(const std::string& first, int k);

// The k-th BT MAC ID counting on from `first` as a 48-bit number, written in
// the same shape ("00:1B:DC:0F:47:10", "00:1B:DC:0F:47:11", ...); a text that
// is no 12-digit MAC ID gets "-k" from the second reader on.
std::string NthBtMacId(const std::string& first, int k);

// The path of reader k of `count` for an option's path: the path itself for
// a single reader, else the path with "-k" added.
std::string NthPath(const std::string& path, int k, int count);

}  // namespace k470::sim
