#include "core/checksum.h"

#include <numeric>

namespace k470 {

std::uint8_t ComputeChecksum(const SettingsImage& image) {
  const auto& b = image.bytes();
  const unsigned sum = std::accumulate(b.begin(), b.begin() + kChecksumOffset, 0u);
  return static_cast<std::uint8_t>(sum & 0xFF);
}

void StoreChecksumPair(SettingsImage& image) {
  const std::uint8_t sum = ComputeChecksum(image);
  image.SetByte(kChecksumOffset, sum);
  image.SetByte(kChecksumComplementOffset, static_cast<std::uint8_t>(~sum));
}

}  // namespace k470
