// The reader's command set: the identity query, the service queries, the
// settings-type commands and the clock command, with their reply checks.
// Nothing here shows a message; the device-operations driver does.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/app_state.h"
#include "link/reader_link.h"

namespace k470 {

namespace command {
inline constexpr std::string_view kIdentity = "#@SYS_INFO?\r";
inline constexpr std::string_view kServiceMode = "#@402718\r";
inline constexpr std::string_view kReadUser = "READ_U\r";
inline constexpr std::string_view kWriteUser = "WRITE_U\r";
inline constexpr std::string_view kWriteBoth = "WRITE_B\r";
inline constexpr std::string_view kUpdate = "UPDATE\r";
inline constexpr std::string_view kExit = "EXIT\r";
inline constexpr std::string_view kBattery = "#@SYS_BATTERY?\r";
inline constexpr std::string_view kMemorySize = "#@SYS_MEMSIZE?\r";
inline constexpr std::string_view kMemoryClear = "#@SYS_MEMCLR\r";
inline constexpr std::string_view kMemoryUpload = "#@SYS_MEMUP\r";
}  // namespace command

// Identity results: an accepted model answered, another model answered, or
// no complete answer within the idle time-out.
inline constexpr int kIdentityAccepted = 1;
inline constexpr int kIdentityOtherModel = -1;
inline constexpr int kIdentityNoAnswer = -2;

inline constexpr std::size_t kDeviceTextMax = 63;  // characters per identity text

// Sends "#@SYS_INFO?\r" and fills the five identity texts from the six reply
// lines (the first carries nothing). The model code must stand at characters
// 8-11 of the device type: "K471", "K472" or "K473".
int QueryIdentity(ReaderLink& link, DeviceInfo& info);

// True when characters 8-11 (counted from 1) of the device type are an accepted model code.
bool IsAcceptedModel(const std::string& device_type);

enum class ServiceQuery { kBattery, kMemorySize, kClearMemory };

// Sends a service query after a 200 ms pause and checks that the reply ends
// with CR and begins with "OK". On success returns the result text the main
// window shows ("The Battery Voltage is: ...", "The Free Memory Size is: ... KB",
// empty for clear memory); nullopt on failure.
std::optional<std::string> RunServiceQuery(ReaderLink& link, ServiceQuery query);

// The result text of a successful reply, cut to fit the 1024-byte command buffer.
std::string ServiceResultText(ServiceQuery query, const std::string& reply);

// Sends a command after `pause` and succeeds only on the exact reply "OK\r".
// Used for READ_U, WRITE_U, WRITE_B (no pause) and the clock command (200 ms).
bool SendExpectingOk(ReaderLink& link, std::string_view command, Millis pause = Millis(0));

}  // namespace k470
