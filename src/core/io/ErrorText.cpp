// German texts for the file layer; the wording of the reasons predates this folder and is kept as
// users and their scripts know it.

#include "io/ErrorText.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace hq::io::detail {

std::string shownName(const std::filesystem::path& path) {
    return path.native();
}

std::string writeReason(int error) {
    switch (error) {
    case ENOSPC:
        return "Der Datenträger ist voll.";
    case EDQUOT:
        return "Das Speicherkontingent ist erschöpft.";
    case EACCES:
    case EPERM:
        return "Keine Berechtigung, in diesen Ordner zu schreiben.";
    case EROFS:
        return "Der Datenträger ist schreibgeschützt.";
    case ENOENT:
    case ENOTDIR:
        return "Der Ordner existiert nicht.";
    case EISDIR:
        return "Unter diesem Namen steht ein Ordner.";
    case EIO:
        return "Ein-/Ausgabefehler des Datenträgers.";
    case ENAMETOOLONG:
        return "Der Name ist zu lang.";
    case ELOOP:
        return "Die symbolischen Verknüpfungen führen im Kreis.";
    case EFBIG:
        return "Die Datei ist zu gross für den Datenträger oder für die Grenze der Dateigröße (ulimit -f).";
    case ENOMEM:
        return "Nicht genug Arbeitsspeicher.";
    default:
        return std::strerror(error);
    }
}

std::string nodeDescription(mode_t mode) {
    if (S_ISDIR(mode))
        return "ein Ordner";
    if (S_ISFIFO(mode))
        return "eine Pipe";
    if (S_ISSOCK(mode))
        return "ein Socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "ein Gerät";
    return "keine gewöhnliche Datei";
}

Error writeError(const std::filesystem::path& target, const std::string& reason, ErrorKind kind) {
    return Error{"Die Datei \"" + shownName(target) + "\" konnte nicht geschrieben werden: " + reason +
                     "\nEine vorhandene Datei dieses Namens ist unverändert.",
                 kind};
}

} // namespace hq::io::detail
