// Any bytes as a calculator request: every input gets one line of JSON and an
// exit status of 0 or 2, whatever the computation behind it does. The line is
// checked by Qt's reader, not by the one that wrote it.
#include "Exige.h"
#include "calc/Calculadora.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    int estado = -1;
    const std::string salida = Calcula(std::string_view(reinterpret_cast<const char*>(datos), n), estado);
    EXIGE(estado == 0 || estado == 2);
    EXIGE(!salida.empty() && salida.back() == '\n');
    EXIGE(salida.find('\n') == salida.size() - 1);

    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromRawData(salida.data(), static_cast<qsizetype>(salida.size())), &error);
    if (error.error != QJsonParseError::NoError)
        std::fprintf(stderr, "%s at %d in: %s", qPrintable(error.errorString()), error.offset, salida.c_str());
    EXIGE(error.error == QJsonParseError::NoError);
    EXIGE(doc.isObject() || doc.isArray());
    return 0;
}
