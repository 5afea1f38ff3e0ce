#include "platform/FileError.h"

#include <cerrno>
#include <cstring>

namespace velcaro {

std::string FileErrorText(const std::string& fileName, int errorNumber)
{
    std::string reason;
    switch (errorNumber) {
    case ENOENT: reason = "il file non esiste"; break;
    case EACCES:
    case EPERM: reason = "accesso negato"; break;
    case EISDIR: reason = "il nome indica una cartella"; break;
    case ENOTDIR: reason = "il percorso non è valido"; break;
    case EMFILE:
    case ENFILE: reason = "troppi file aperti"; break;
    default: reason = std::strerror(errorNumber); break;
    }
    return "Impossibile aprire il file \"" + fileName + "\": " + reason + ".";
}

} // namespace velcaro
