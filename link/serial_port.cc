#include "link/serial_port.h"

#include <iterator>

namespace k470 {

int BaudRateOfIndex(int baud_index) {
  static constexpr int kRates[] = {115200, 57600, 38400, 19200, 9600, 4800, 2400, 1200, 600};
  if (baud_index < 0 || baud_index >= static_cast<int>(std::size(kRates))) return 0;
  return kRates[baud_index];
}

}  // namespace k470
