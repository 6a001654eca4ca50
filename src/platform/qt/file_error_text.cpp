#include "platform/qt/file_error_text.h"

#include <array>
#include <cerrno>
#include <utility>

namespace
{

const std::array<std::pair<int, const char*>, 15> Texts{{
    {ENOSPC, "El disco está lleno."},
    {EDQUOT, "Se ha agotado el espacio de disco que tiene asignado el usuario."},
    {EROFS, "El disco es de solo lectura."},
    {EACCES, "No hay permiso para escribir en la carpeta o en el archivo."},
    {EPERM, "No hay permiso para escribir en la carpeta o en el archivo."},
    {EIO, "Error de entrada/salida en el disco."},
    {ENOENT, "La carpeta no existe."},
    {ENOTDIR, "Una parte de la ruta no es una carpeta."},
    {EISDIR, "Hay una carpeta con el nombre del archivo."},
    {EFBIG, "El archivo es demasiado grande."},
    {ENAMETOOLONG, "El nombre del archivo es demasiado largo."},
    {EMFILE, "Hay demasiados archivos abiertos."},
    {ENFILE, "Hay demasiados archivos abiertos."},
    {EBUSY, "El archivo está en uso."},
    {ESTALE, "El archivo en red ya no está disponible."},
}};

} // namespace

QString fileErrorText(int errorNumber)
{
    for (const auto& [number, text] : Texts) {
        if (number == errorNumber)
            return QString::fromUtf8(text);
    }
    return qt_error_string(errorNumber);
}

// Qt describes a failed open, write, resize or rename with the system's text for its error number.
QString fileErrorText(const QString& systemDescription)
{
    for (const auto& [number, text] : Texts) {
        if (qt_error_string(number) == systemDescription)
            return QString::fromUtf8(text);
    }
    return systemDescription;
}
