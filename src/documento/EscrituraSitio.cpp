// The site file written: one top-level member a line, every number with all
// its digits, so that reading the file back gives the same document.
#include "documento/ArchivoSitio.h"
#include "documento/Escritor.h"
#include "documento/ImportacionSitio.h"

#include <algorithm>
#include <limits>

namespace {

// A number, or null for nothing: the writer turns what JSON cannot carry
// into null.
void Opcional(Escritor& e, const std::optional<double>& x)
{
    e.Numero(x.value_or(std::numeric_limits<double>::quiet_NaN()));
}

template <std::size_t N> void Si(Escritor& e, const char (&clave)[N], const std::optional<double>& x)
{
    if (x)
        e.Numero(clave, *x);
}

void EscribeSitio(Escritor& e, const DocumentoSitio& d)
{
    e.Clave("site");
    e.AbreObjeto();
    Si(e, "NAC", d.datos[0]);
    Si(e, "SI", d.datos[1]);
    Si(e, "SR", d.datos[2]);
    Si(e, "NR", d.datos[3]);
    Si(e, "CAPA", d.datos[4]);
    if (d.complejo) {
        e.Clave("zones");
        e.AbreLista();
        for (const CeldaZona& z : d.zonas) {
            e.AbreLista();
            Opcional(e, z.area);
            Opcional(e, z.numero);
            e.CierraLista();
        }
        e.CierraLista();
    } else {
        Si(e, "NI", d.datos[5]);
    }
    Si(e, "capacity", d.capacidad);
    e.CierraObjeto();
}

// The single storm as far as it was typed, and the storms of the series
// entered, a trailing slot with no condition left out.
void EscribeAguaceros(Escritor& e, const DocumentoSitio& d)
{
    if (d.PAguacero || d.CondAguacero != 0) {
        e.Clave("storm");
        e.AbreObjeto();
        Si(e, "P", d.PAguacero);
        if (d.CondAguacero != 0)
            e.Entero("condition", d.CondAguacero);
        e.CierraObjeto();
    }
    std::size_t n = d.serie.size();
    while (n > 0 && d.serie[n - 1].cond == 0)
        --n;
    if (n == 0)
        return;
    e.Clave("series");
    e.AbreLista();
    for (std::size_t i = 0; i < n; ++i) {
        e.AbreObjeto();
        e.Numero("P", d.serie[i].P);
        e.Entero("condition", d.serie[i].cond);
        e.CierraObjeto();
    }
    e.CierraLista();
}

// The year, once a month's cell holds something.
void EscribeAnio(Escritor& e, const DocumentoSitio& d)
{
    const bool anio = std::any_of(d.meses.begin(), d.meses.end(), [](const auto& fila) {
        return std::any_of(fila.begin(), fila.end(), [](const Celda& c) { return c.has_value(); });
    });
    if (!anio)
        return;
    e.Clave("year");
    e.AbreObjeto();
    e.Entero("case", d.caso);
    e.Clave("months");
    e.AbreLista();
    for (const auto& fila : d.meses) {
        e.AbreLista();
        for (const Celda& c : fila)
            Opcional(e, c);
        e.CierraLista();
    }
    e.CierraLista();
    e.CierraObjeto();
}

void EscribeImportacion(Escritor& e, const ImportacionLluvia& i)
{
    const OpcionesLluvia& o = i.opciones;
    e.Clave("rain_import");
    e.AbreObjeto();
    e.Clave("file");
    e.Texto(i.archivo);
    if (o.anio)
        e.Entero("year", *o.anio);
    else
        e.Logico("mean", true);
    e.Numero("rain_day", o.umbralDia);
    e.Numero("storm", o.umbralAguacero);
    e.Clave("season");
    e.AbreLista();
    e.Entero(o.mesCrecimiento1);
    e.Entero(o.mesCrecimiento2);
    e.CierraLista();
    EscribeLecturaLluvia(e, i);
    e.CierraObjeto();
}

// A line for each top-level member, for a reader's eye.
std::string UnMiembroPorLinea(const std::string& s)
{
    std::string t;
    t.reserve(s.size() + 64);
    int nivel = 0;
    bool cadena = false, escape = false;
    for (const char c : s) {
        t += c;
        if (escape) {
            escape = false;
        } else if (cadena) {
            escape = c == '\\';
            cadena = c != '"';
        } else if (c == '"') {
            cadena = true;
        } else if (c == '{' || c == '[') {
            ++nivel;
        } else if (c == '}' || c == ']') {
            --nivel;
        }
        if (!cadena && nivel == 1 && (c == '{' || c == ','))
            t += "\n ";
    }
    t.insert(t.size() - 1, "\n");
    t += '\n';
    return t;
}

} // namespace

std::string EscribeArchivoSitio(const DocumentoSitio& d)
{
    std::string s;
    {
        Escritor e(s);
        e.AbreObjeto();
        e.Clave("format");
        e.Texto(FormatoSitio);
        e.Entero("version", VersionSitio);
        if (!d.nombre.empty()) {
            e.Clave("name");
            e.Texto(d.nombre);
        }
        if (!d.notas.empty()) {
            e.Clave("notes");
            e.Texto(d.notas);
        }
        EscribeSitio(e, d);
        EscribeAguaceros(e, d);
        EscribeAnio(e, d);
        if (d.importacion)
            EscribeImportacion(e, *d.importacion);
        e.CierraObjeto();
    }
    return UnMiembroPorLinea(s);
}
