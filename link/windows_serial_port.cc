#include "link/windows_serial_port.h"

#include <windows.h>

#include <algorithm>

namespace k470 {
namespace {

// What the system says about `error`, without its closing period and line break.
std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD n = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = n > 0 && text != nullptr ? std::string(text, n) : std::string();
  if (text != nullptr) ::LocalFree(text);
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return message.empty() ? "system error " + std::to_string(error) : message;
}

// Why opening `name` failed, in the words k470ctl shows.
std::string OpenErrorText(const std::string& name, DWORD error) {
  if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) {
    return name + ": in use by another program";
  }
  return name + ": " + SystemMessage(error);
}

// Why `handle` is no serial port, or "" when it is one. A file, a pipe, NUL
// or CON would take the reader's commands as data.
std::string NotASerialPort(HANDLE handle) {
  if (::GetFileType(handle) != FILE_TYPE_CHAR) return "not a serial port";
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(handle, &dcb)) return "not a serial port (no line settings)";
  return {};
}

HANDLE OpenExclusively(const std::string& name) {
  // No sharing: a second opener, here or in another program, gets
  // ERROR_ACCESS_DENIED for as long as we hold the port. Plain synchronous
  // I/O; the time-outs below bound every wait.
  return ::CreateFileA(WindowsDeviceName(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

// As on POSIX (posix_serial_port.cc): unread input goes, our own output gets
// as long as its write was allowed (50 ms + 5 ms a byte) to leave, and only
// what flow control still holds back after that is dropped.
void DiscardQueues(HANDLE handle) {
  DWORD errors = 0;
  COMSTAT status{};
  ::ClearCommError(handle, &errors, &status);
  ::PurgeComm(handle, PURGE_RXABORT | PURGE_RXCLEAR);
  if (status.cbOutQue == 0) return;
  const ULONGLONG give_up = ::GetTickCount64() + 50 + 5 * static_cast<ULONGLONG>(status.cbOutQue);
  while (status.cbOutQue > 0 && ::GetTickCount64() < give_up) {
    ::Sleep(1);
    if (!::ClearCommError(handle, &errors, &status)) break;
  }
  if (status.cbOutQue > 0) ::PurgeComm(handle, PURGE_TXABORT | PURGE_TXCLEAR);
}

}  // namespace

std::string WindowsDeviceName(const std::string& name) {
  if (name.rfind("\\\\.\\", 0) == 0 || name.rfind("\\\\?\\", 0) == 0) return name;
  return "\\\\.\\" + name;
}

WindowsSerialPort::~WindowsSerialPort() { Close(); }

bool WindowsSerialPort::Open(const std::string& name, const LineSettings& settings) {
  Close();
  last_error_.clear();
  last_open_failure_ = OpenFailure::kCannotOpen;
  const HANDLE handle = OpenExclusively(name);
  if (handle == INVALID_HANDLE_VALUE) {
    last_error_ = OpenErrorText(name, ::GetLastError());
    return false;
  }
  if (std::string why = NotASerialPort(handle); !why.empty()) {
    last_error_ = name + ": " + why;
    ::CloseHandle(handle);
    return false;
  }
  handle_ = handle;
  RaiseModemLines();
  // Room for a burst of memorized tag data while the program is busy; the
  // USB drivers mostly ignore this, a real UART does not.
  ::SetupComm(handle, 4096, 1024);
  if (!Configure(settings)) {
    last_open_failure_ = OpenFailure::kLineSettingsRefused;
    Close();
    return false;
  }
  if (!SetReadWait(Millis(0))) {
    last_error_ = "the port's time-outs were refused: " + SystemMessage(::GetLastError());
    Close();
    return false;
  }
  RaiseModemLines();
  return true;
}

void WindowsSerialPort::RaiseModemLines() {
  // Under RTS handshaking the driver owns RTS and refuses SETRTS; that and
  // devices without modem lines are expected and harmless.
  ::EscapeCommFunction(handle_, SETRTS);
  ::EscapeCommFunction(handle_, SETDTR);
}

bool WindowsSerialPort::Configure(const LineSettings& s) {
  // Start from the driver's own settings, so the fields we do not name
  // (XonLim, XoffLim, EofChar ...) keep values the driver accepts.
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(handle_, &dcb)) {
    last_error_ = "cannot configure the line: " + SystemMessage(::GetLastError());
    return false;
  }
  const int baud = BaudRateOfIndex(s.baud_index);
  if (baud == 0) {
    last_error_ = "unsupported baud rate";
    return false;
  }
  dcb.BaudRate = static_cast<DWORD>(baud);
  dcb.fBinary = TRUE;  // Windows knows no other mode
  dcb.ByteSize = s.data_bits_index == 0 ? 7 : 8;
  dcb.Parity = s.parity_index == 1 ? EVENPARITY : s.parity_index == 2 ? ODDPARITY : NOPARITY;
  dcb.fParity = dcb.Parity != NOPARITY;
  dcb.StopBits = s.stop_bits_index == 1 ? TWOSTOPBITS : ONESTOPBIT;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDsrSensitivity = FALSE;
  // Hardware flow control in both directions, as CRTSCTS gives on POSIX.
  dcb.fOutxCtsFlow = s.flow_control_index == 1;
  dcb.fRtsControl = s.flow_control_index == 1 ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
  // XON/XOFF only for what we send, as IXON alone on POSIX.
  dcb.fOutX = s.flow_control_index == 2;
  dcb.fInX = FALSE;
  dcb.fTXContinueOnXoff = TRUE;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  // A line error must not stall every later read until ClearCommError: the
  // reader's protocol recovers from a garbled reply by itself.
  dcb.fAbortOnError = FALSE;
  if (!::SetCommState(handle_, &dcb)) {
    last_error_ = "the line settings were refused: " + SystemMessage(::GetLastError());
    return false;
  }
  return true;
}

bool WindowsSerialPort::SetReadWait(Millis wait) {
  const long long ms = std::clamp<long long>(wait.count(), 0, MAXDWORD - 1);
  if (ms == read_wait_ms_) return true;
  COMMTIMEOUTS timeouts{};
  // MAXDWORD, 0, 0: return at once with what has arrived. MAXDWORD, MAXDWORD,
  // ms: return as soon as one byte is there, with everything that is, or
  // with nothing after ms. Either way a read never waits for a full buffer.
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.ReadTotalTimeoutMultiplier = ms == 0 ? 0 : MAXDWORD;
  timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(ms);
  // As long as a write may take: 50 ms and 5 ms a byte.
  timeouts.WriteTotalTimeoutMultiplier = 5;
  timeouts.WriteTotalTimeoutConstant = 50;
  if (!::SetCommTimeouts(handle_, &timeouts)) {
    read_wait_ms_ = -1;
    return false;
  }
  read_wait_ms_ = ms;
  return true;
}

void WindowsSerialPort::Close() {
  if (handle_ == nullptr) return;
  DiscardQueues(handle_);
  ::CloseHandle(handle_);
  handle_ = nullptr;
  read_wait_ms_ = -1;
}

void WindowsSerialPort::Purge() {
  if (handle_ != nullptr) DiscardQueues(handle_);
}

long WindowsSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (handle_ == nullptr) return -1;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD));
  // A write time-out returns success with the bytes that went.
  if (!::WriteFile(handle_, bytes.data(), size, &written, nullptr)) return -1;
  return static_cast<long>(written);
}

long WindowsSerialPort::Read(std::span<std::uint8_t> buf, Millis wait) {
  if (handle_ == nullptr) return -1;
  if (buf.empty()) return 0;
  // What has arrived is taken at once, as much as fits. Only with nothing
  // there do we wait, and then for one byte: the read time-outs promise to
  // return early with fewer bytes than asked for, but wine keeps such a read
  // waiting for the rest until the time-out, and asking for no more than
  // is there behaves the same everywhere.
  DWORD errors = 0;
  COMSTAT status{};
  // A port that cannot even report its queues went away (unplugged): said at
  // once, so no operation waits out its time-outs on a dead port.
  if (!::ClearCommError(handle_, &errors, &status)) return -1;
  DWORD got = 0;
  if (status.cbInQue == 0) {
    if (!SetReadWait(wait) || !::ReadFile(handle_, buf.data(), 1, &got, nullptr)) return -1;
    if (got == 0) return 0;
    if (!::ClearCommError(handle_, &errors, &status)) return static_cast<long>(got);
  }
  const std::size_t room = buf.size() - got;
  const DWORD queued = static_cast<DWORD>(std::min<std::size_t>(room, status.cbInQue));
  if (queued == 0) return static_cast<long>(got);
  DWORD more = 0;
  if (!SetReadWait(Millis(0)) || !::ReadFile(handle_, buf.data() + got, queued, &more, nullptr)) {
    return got > 0 ? static_cast<long>(got) : -1;
  }
  return static_cast<long>(got + more);
}

bool PortCanBeOpened(const std::string& name) {
  if (name.empty() || name == kNoPortRecord) return false;
  const HANDLE handle = OpenExclusively(name);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool is_port = NotASerialPort(handle).empty();
  ::CloseHandle(handle);
  return is_port;
}

}  // namespace k470
