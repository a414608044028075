// The serial port of the platform the program is built for, under one name
// for the code that opens real devices (k470ctl, the main window).
#pragma once

#ifdef _WIN32
#include "link/windows_serial_port.h"
namespace k470 {
using NativeSerialPort = WindowsSerialPort;
}
#else
#include "link/posix_serial_port.h"
namespace k470 {
using NativeSerialPort = PosixSerialPort;
}
#endif
