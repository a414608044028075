#include "link/port_access.h"

#include <cerrno>

namespace k470 {

std::string PortAccessAdvice(int error) {
#ifdef __linux__
  if (error == EACCES || error == EPERM) {
    return std::string("the udev rule of the k470configuration package (") + kReaderUdevRule +
           ") gives the user at the seat access to the reader: install the package (or the "
           "rule) and plug the reader in again; or join the dialout group (sudo usermod -aG "
           "dialout $USER) and log in again";
  }
#else
  static_cast<void>(error);
#endif
  return "";
}

}  // namespace k470
