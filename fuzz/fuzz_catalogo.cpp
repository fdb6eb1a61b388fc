// Any bytes as the catalogue file: no text ever holds a line break, and the
// texts read, written back one per line, read back the same.
#include "Exige.h"
#include "common/LeeCatalogo.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    const auto textos = LeeCatalogo(QByteArray(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(n)));
    QByteArray escrito;
    for (auto it = textos.cbegin(); it != textos.cend(); ++it) {
        EXIGE(!it.value().contains(u'\n'));
        escrito += QByteArray::number(it.key()) + '\t' + it.value().toUtf8() + "\r\n";
    }
    EXIGE(LeeCatalogo(escrito) == textos);
    return 0;
}
