#include "sim/reader_config.h"

#include <cstdio>

#include "core/app_state.h"
#include "core/checksum.h"
#include "core/defaults.h"
#include "link/protocol_layout.h"

namespace k470::sim {

std::chrono::microseconds Pacing::ChunkTime(std::size_t bytes) const {
  if (baud <= 0) return std::chrono::microseconds(0);
  return std::chrono::microseconds(static_cast<long long>(bytes) * 10 * 1'000'000 / baud);
}

ReaderConfig::ReaderConfig()
    : current_image(FactoryImage()),
      user_image(current_image),
      memorized_data(MakeMemorizedData(kDefaultMemorizedLines)) {}

std::string ReaderConfig::DeviceTypeLine() const {
  std::string model = faults.wrong_model ? std::string(kWrongModelCode) : model_code;
  if (!device_type.empty()) {
    // A configured text still carries the fault: the model code position is overwritten.
    std::string text = device_type;
    if (faults.wrong_model && text.size() >= kModelCodeAt + kModelCodeLength) {
      text.replace(kModelCodeAt, kModelCodeLength, model);
    }
    return text;
  }
  return kDeviceTypePrefix + model + kDeviceTypeSuffix;
}

SettingsImage FactoryImage() {
  AppState state;
  New(state);
  StoreChecksumPair(state.image);
  return state.image;
}

std::string MakeMemorizedData(int lines) {
  std::string data;
  for (int i = 0; i < lines; ++i) {
    // SGTIN-96 header and a fixed company prefix; the serial part differs per tag.
    char line[32];
    std::snprintf(line, sizeof line, "3034257BF7194E40%08X\r\n",
                  static_cast<unsigned>(0x1A85 + 7 * i));
    data += line;
  }
  return data;
}

}  // namespace k470::sim
