#include "calc/Peticion.h"

#include "model/ModeloCN.h"
#include "model/Numero.h"
#include "model/Rangos.h"
#include "model/Zonas.h"

#include <charconv>
#include <cmath>
#include <limits>

// Recursive descent over the text; nodes are appended depth first and linked
// to their siblings, so a container's node index is known before its children.
class LectorJson {
  public:
    LectorJson(DocumentoJson& d, std::string_view t, std::size_t p) : d_(d), t_(t), p_(p) {}

    bool LeeValor(std::size_t& pos, std::string& error)
    {
        d_.nodos_.clear();
        d_.claves_.clear();
        d_.nodos_.emplace_back();
        Blancos();
        const bool bien = Valor(0);
        pos = p_;
        if (!bien)
            error = DocumentoJson::ErrorEn(p_, error_);
        return bien;
    }

  private:
    // Deep enough for any request; keeps hostile nesting off the stack.
    static constexpr int MaxProfundidad = 256;

    bool Error(const char* que)
    {
        error_ = que;
        return false;
    }
    void Blancos() { p_ = DocumentoJson::SaltaBlancos(t_, p_); }
    bool Literal(std::string_view w)
    {
        if (t_.substr(p_, w.size()) != w)
            return Error("unexpected character");
        p_ += w.size();
        return true;
    }

    std::uint32_t Nuevo(DocumentoJson::Tipo tipo)
    {
        DocumentoJson::Nodo n;
        n.tipo = tipo;
        d_.nodos_.push_back(n);
        return static_cast<std::uint32_t>(d_.nodos_.size() - 1);
    }

    bool Valor(int profundidad)
    {
        if (p_ >= t_.size())
            return Error("unexpected end of input");
        if (d_.nodos_.size() >= std::numeric_limits<std::uint32_t>::max())
            return Error("too many values");
        switch (t_[p_]) {
        case '{':
        case '[':
            return Contenedor(profundidad + 1);
        case '"': {
            bool escapes = false;
            Nuevo(DocumentoJson::Tipo::Texto);
            return Texto(escapes).has_value();
        }
        case 't':
            Nuevo(DocumentoJson::Tipo::Logico);
            return Literal("true");
        case 'f':
            Nuevo(DocumentoJson::Tipo::Logico);
            return Literal("false");
        case 'n':
            Nuevo(DocumentoJson::Tipo::Nulo);
            return Literal("null");
        case 'N':
        case 'I':
            return Error("NaN and Infinity are not JSON numbers");
        default:
            return Numero();
        }
    }

    bool Contenedor(int profundidad)
    {
        if (profundidad > MaxProfundidad)
            return Error("nested too deeply");
        const bool objeto = t_[p_++] == '{';
        const char cierre = objeto ? '}' : ']';
        const std::uint32_t yo = Nuevo(objeto ? DocumentoJson::Tipo::Objeto : DocumentoJson::Tipo::Lista);
        std::uint32_t anterior = 0, cuenta = 0;
        Blancos();
        if (p_ < t_.size() && t_[p_] == cierre) {
            ++p_;
            return true;
        }
        for (;;) {
            std::string_view clave;
            Blancos();
            if (objeto) {
                if (p_ >= t_.size() || t_[p_] != '"')
                    return Error("expected a member name");
                bool escapes = false;
                const std::optional<std::string_view> c = Texto(escapes);
                if (!c)
                    return false;
                clave = escapes ? d_.claves_.emplace_back(Decodifica(*c)) : *c;
                Blancos();
                if (p_ >= t_.size() || t_[p_] != ':')
                    return Error("expected ':'");
                ++p_;
                Blancos();
            }
            const auto hijo = static_cast<std::uint32_t>(d_.nodos_.size());
            if (!Valor(profundidad))
                return false;
            d_.nodos_[hijo].clave = clave;
            if (anterior)
                d_.nodos_[anterior].siguiente = hijo;
            else
                d_.nodos_[yo].hijo = hijo;
            anterior = hijo;
            ++cuenta;
            Blancos();
            if (p_ < t_.size() && t_[p_] == ',') {
                ++p_;
                continue;
            }
            if (p_ < t_.size() && t_[p_] == cierre) {
                ++p_;
                d_.nodos_[yo].cuenta = cuenta;
                return true;
            }
            return Error(objeto ? "expected ',' or '}'" : "expected ',' or ']'");
        }
    }

    static int Hex(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // The raw text between the quotes; p_ ends past the closing quote.
    std::optional<std::string_view> Texto(bool& escapes)
    {
        const std::size_t inicio = ++p_;
        while (p_ < t_.size()) {
            const char c = t_[p_];
            if (c == '"')
                return t_.substr(inicio, p_++ - inicio);
            if (static_cast<unsigned char>(c) < 0x20) {
                Error("control character in a string");
                return std::nullopt;
            }
            if (c == '\\') {
                escapes = true;
                if (++p_ >= t_.size())
                    break;
                const char e = t_[p_];
                if (e == 'u') {
                    for (int i = 1; i <= 4; ++i)
                        if (p_ + static_cast<std::size_t>(i) >= t_.size() ||
                            Hex(t_[p_ + static_cast<std::size_t>(i)]) < 0) {
                            Error("bad \\u escape");
                            return std::nullopt;
                        }
                    p_ += 4;
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    Error("bad escape in a string");
                    return std::nullopt;
                }
            }
            ++p_;
        }
        Error("unterminated string");
        return std::nullopt;
    }

    static void Utf8(std::string& s, unsigned cp)
    {
        if (cp < 0x80) {
            s += static_cast<char>(cp);
        } else if (cp < 0x800) {
            s += static_cast<char>(0xC0 | (cp >> 6));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            s += static_cast<char>(0xE0 | (cp >> 12));
            s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            s += static_cast<char>(0xF0 | (cp >> 18));
            s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    // A member name with escapes, decoded so it compares as its characters.
    static std::string Decodifica(std::string_view r)
    {
        std::string s;
        for (std::size_t i = 0; i < r.size(); ++i) {
            if (r[i] != '\\') {
                s += r[i];
                continue;
            }
            const char e = r[++i];
            if (e != 'u') {
                static constexpr std::string_view de = "bfnrt", a = "\b\f\n\r\t";
                const std::size_t k = de.find(e);
                s += k == std::string_view::npos ? e : a[k];
                continue;
            }
            auto cuatro = [&](std::size_t j) {
                unsigned v = 0;
                for (std::size_t k = 0; k < 4; ++k)
                    v = v * 16 + static_cast<unsigned>(Hex(r[j + k]));
                return v;
            };
            unsigned cp = cuatro(i + 1);
            i += 4;
            if (cp >= 0xD800 && cp < 0xDC00 && i + 6 < r.size() && r[i + 1] == '\\' && r[i + 2] == 'u') {
                const unsigned bajo = cuatro(i + 3);
                if (bajo >= 0xDC00 && bajo < 0xE000) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (bajo - 0xDC00);
                    i += 6;
                }
            }
            Utf8(s, cp);
        }
        return s;
    }

    bool Numero()
    {
        const std::size_t inicio = p_;
        auto digitos = [&] {
            const std::size_t d = p_;
            while (p_ < t_.size() && t_[p_] >= '0' && t_[p_] <= '9')
                ++p_;
            return p_ - d;
        };
        if (t_[p_] == '-')
            ++p_;
        const std::size_t ent = p_;
        const std::size_t nEnt = digitos();
        if (nEnt == 0)
            return Error(p_ < t_.size() && (t_[p_] == 'N' || t_[p_] == 'I') ? "NaN and Infinity are not JSON numbers"
                                                                            : "unexpected character");
        if (nEnt > 1 && t_[ent] == '0')
            return Error("a number may not start with 0");
        std::size_t frac = 0, nFrac = 0;
        if (p_ < t_.size() && t_[p_] == '.') {
            frac = ++p_;
            if ((nFrac = digitos()) == 0)
                return Error("digits expected after '.'");
        }
        long long exp = 0;
        if (p_ < t_.size() && (t_[p_] == 'e' || t_[p_] == 'E')) {
            ++p_;
            bool menos = false;
            if (p_ < t_.size() && (t_[p_] == '+' || t_[p_] == '-'))
                menos = t_[p_++] == '-';
            const std::size_t e = p_;
            if (digitos() == 0)
                return Error("digits expected in the exponent");
            for (std::size_t i = e; i < p_; ++i)
                exp = std::min(exp * 10 + (t_[i] - '0'), 1000000000LL);
            if (menos)
                exp = -exp;
        }
        double v = 0;
        const auto r = std::from_chars(t_.data() + inicio, t_.data() + p_, v);
        if (r.ec == std::errc::result_out_of_range) {
            // Too small rounds to zero; too large is no double at all.
            long long magnitud = exp;
            std::size_t i = ent;
            while (i < ent + nEnt && t_[i] == '0')
                ++i;
            if (i < ent + nEnt) {
                magnitud += static_cast<long long>(ent + nEnt - i);
            } else {
                std::size_t j = frac;
                while (j < frac + nFrac && t_[j] == '0')
                    ++j;
                magnitud -= static_cast<long long>(j - frac);
            }
            if (magnitud > 0)
                return Error("a number beyond the range of a double");
            v = t_[inicio] == '-' ? -0.0 : 0.0;
        } else if (r.ec != std::errc() || r.ptr != t_.data() + p_ || !std::isfinite(v)) {
            return Error("a number that does not read as a double");
        }
        Nuevo(DocumentoJson::Tipo::Numero);
        d_.nodos_.back().numero = v;
        return true;
    }

    DocumentoJson& d_;
    std::string_view t_;
    std::size_t p_ = 0;
    std::string error_;
};

bool DocumentoJson::LeeValor(std::string_view texto, std::size_t& pos, std::string& error)
{
    return LectorJson(*this, texto, pos).LeeValor(pos, error);
}

std::size_t DocumentoJson::SaltaBlancos(std::string_view t, std::size_t p)
{
    while (p < t.size() && (t[p] == ' ' || t[p] == '\n' || t[p] == '\r' || t[p] == '\t'))
        ++p;
    return p;
}

std::string DocumentoJson::ErrorEn(std::size_t pos, std::string_view que)
{
    return "malformed JSON at byte " + std::to_string(pos) + ": " + std::string(que);
}

std::optional<double> DocumentoJson::Valor::Numero() const
{
    if (tipo() != Tipo::Numero)
        return std::nullopt;
    return n_->numero;
}

DocumentoJson::Valor DocumentoJson::Valor::operator[](std::string_view clave) const
{
    Valor hallado;
    if (!EsObjeto())
        return hallado;
    for (Valor v = Primero(); v.n_; v = v.Siguiente())
        if (v.n_->clave == clave)
            hallado = v;
    return hallado;
}

DocumentoJson::Valor DocumentoJson::Valor::Primero() const
{
    return EsLista() || EsObjeto() ? Valor(d_, n_->hijo) : Valor();
}

DocumentoJson::Valor DocumentoJson::Valor::Siguiente() const
{
    return n_ ? Valor(d_, n_->siguiente) : Valor();
}

namespace {

using Valor = DocumentoJson::Valor;

// A null value counts as absent, so a script may blank a field.
bool Presente(const Valor& v)
{
    return v.Presente();
}

std::optional<double> Numero(const Valor& v)
{
    return v.Numero();
}

// A moisture condition or runoff case: exactly 1, 2 or 3 (2.0 is 2).
std::optional<int> UnoATres(const Valor& v)
{
    const std::optional<double> d = Numero(v);
    if (!d || !(*d == 1 || *d == 2 || *d == 3))
        return std::nullopt;
    return static_cast<int>(*d);
}

FalloPeticion Sin(std::string_view campo, std::string motivo)
{
    FalloPeticion f;
    f.campo = campo;
    f.motivo = std::move(motivo);
    return f;
}

FalloPeticion Rechazo(int id, std::string_view campo)
{
    FalloPeticion f;
    f.id = id;
    f.campo = campo;
    return f;
}

std::optional<FalloPeticion> LeeSitio(const Valor& v, Peticion& p)
{
    if (!Presente(v))
        return Sin("site", "the site is missing");
    if (!v.EsObjeto())
        return Sin("site", "the site must be an object");
    const Valor& o = v;

    // The data check first asks for the five numbers, then their ranges in the
    // entry window's order, which is not the order of the fields.
    static constexpr std::string_view campos[5] = {"NAC", "SI", "SR", "NR", "CAPA"};
    double valor[5] = {};
    for (int i = 0; i < 5; ++i) {
        const std::optional<double> d = Numero(o[campos[i]]);
        if (!d)
            return Sin(campos[i], std::string(campos[i]) + " is missing or not a number");
        valor[i] = *d;
    }
    const DatosSitio datos{.NAC = valor[0], .SI = valor[1], .SR = valor[2], .NR = valor[3], .CAPA = valor[4]};
    if (const std::optional<FueraDeRango> f = CompruebaSitio(datos))
        return Rechazo(f->mensaje, NombreCampo(f->campo));

    SiteState& s = p.sitio;
    s.NAC(2) = datos.NAC;
    s.SI = datos.SI;
    s.SR = datos.SR;
    s.NR(2) = datos.NR;
    s.CAPA = datos.CAPA;

    const Valor ni = o["NI"];
    const Valor zonas = o["zones"];
    if (Presente(ni) == Presente(zonas)) {
        if (Presente(ni))
            return Sin("zones", "give either NI or zones, not both");
        return Sin("NI", "give the contributing area as NI or as zones");
    }
    if (Presente(ni)) {
        const std::optional<double> d = Numero(ni);
        if (!d)
            return Sin("NI", "NI is not a number");
        if (const std::optional<FueraDeRango> f = CompruebaNI(*d))
            return Rechazo(f->mensaje, NombreCampo(f->campo));
        s.NI(2) = *d;
    } else {
        if (!zonas.EsLista())
            return Sin("zones", "zones must be a list of [area, curve number] pairs");
        if (zonas.Tamano() > 5)
            return Sin("zones", "at most 5 zones");
        std::vector<CeldaZona> celdas;
        celdas.reserve(zonas.Tamano());
        for (Valor z = zonas.Primero(); z.tipo() != DocumentoJson::Tipo::Ausente; z = z.Siguiente()) {
            std::optional<double> area, numero;
            if (z.EsLista() && z.Tamano() == 2) {
                area = Numero(z.Primero());
                numero = Numero(z.Primero().Siguiente());
            }
            if (!area || !numero) {
                FalloPeticion f = Sin("zones", "a zone must be a pair of numbers [area, curve number]");
                f.zona = static_cast<int>(celdas.size()) + 1;
                return f;
            }
            celdas.push_back({area, numero});
        }
        if (const std::optional<FalloZona> fz = PasoZonas(s, celdas)) {
            // Every cell is a number here, so the pass always names a message.
            FalloPeticion f = Rechazo(fz->mensaje, "zones");
            f.zona = fz->zona;
            if (f.id == 0)
                f.motivo = "a zone is incomplete";
            return f;
        }
    }

    const Valor capacidad = o["capacity"];
    if (Presente(capacidad)) {
        const std::optional<double> d = Numero(capacidad);
        if (!d || !CapacidadValida(*d))
            return Sin("capacity", "capacity must be a number >= 0 and < 10000");
        const std::optional<double> guardada = CapacidadConfirmada(*d);
        if (!guardada)
            return Sin("capacity", "capacity rounds to 10000.0, which the capacity check refuses");
        p.capacidad = *guardada;
    }
    return std::nullopt;
}

// Depth and condition of one storm, checked as its window checks them.
std::optional<FalloPeticion> LeeAguacero(const Valor& o, Tormenta t, Aguacero& a)
{
    const std::optional<double> P = Numero(o["P"]);
    if (!P)
        return Sin("P", "P is missing or not a number");
    if (const std::optional<FueraDeRango> f = CompruebaAguacero(*P, t))
        return Rechazo(f->mensaje, NombreCampo(f->campo));
    const std::optional<int> c = UnoATres(o["condition"]);
    if (!c)
        return Sin("condition", "condition must be 1, 2 or 3");
    a.P = *P;
    a.cond = *c;
    return std::nullopt;
}

std::optional<FalloPeticion> LeeSerie(const Valor& v, Peticion& p)
{
    if (!v.EsLista())
        return Sin("series", "series must be a list of storms");
    // The series' counts are 16-bit.
    if (v.Tamano() > MaxAguaceros)
        return Sin("series", "a series holds at most 32767 storms");
    std::vector<Aguacero>& serie = p.serie.emplace(v.Tamano());
    std::size_t i = 0;
    for (Valor item = v.Primero(); i < serie.size(); item = item.Siguiente(), ++i) {
        std::optional<FalloPeticion> f;
        if (!item.EsObjeto())
            f = Sin("series", "a storm must be an object");
        else
            f = LeeAguacero(item, Tormenta::Serie, serie[i]);
        if (f) {
            f->aguacero = static_cast<int>(i) + 1;
            return f;
        }
    }
    return std::nullopt;
}

std::optional<FalloPeticion> LeeAnio(const Valor& v, Peticion& p)
{
    if (!v.EsObjeto())
        return Sin("year", "year must be an object");
    const Valor& o = v;
    const std::optional<int> caso = UnoATres(o["case"]);
    if (!caso)
        return Sin("case", "case must be 1, 2 or 3");

    // Shape first: twelve rows of three cells, each a number or null.
    const Valor meses = o["months"];
    if (!meses.EsLista() || meses.Tamano() != 12)
        return Sin("months", "months must be a list of 12 rows");
    TablaAnual tabla;
    Valor fila = meses.Primero();
    for (int m = 0; m < 12; ++m, fila = fila.Siguiente()) {
        FalloPeticion f = Sin("months", "");
        f.mes = m + 1;
        if (!fila.EsLista() || fila.Tamano() != 3) {
            f.motivo = "a month must be a row of 3 cells";
            return f;
        }
        Valor celda = fila.Primero();
        for (int c = 0; c < 3; ++c, celda = celda.Siguiente()) {
            if (celda.EsNulo())
                continue;
            const std::optional<double> d = Numero(celda);
            if (!d) {
                f.columna = c + 1;
                f.motivo = "a cell must be a number or null";
                return f;
            }
            tabla[static_cast<std::size_t>(m)][static_cast<std::size_t>(c)] = d;
        }
    }

    // What typing each cell into the grid would do, then the check of the
    // whole year on what the grid stored.
    for (int m = 0; m < 12; ++m) {
        for (int c = 0; c < 3; ++c) {
            Celda& celda = tabla[static_cast<std::size_t>(m)][static_cast<std::size_t>(c)];
            if (!celda)
                continue;
            const ChequeoCelda ch = ValidaCelda(c, celda);
            if (!ch.aceptada) {
                FalloPeticion f = Rechazo(ch.mensaje, "months");
                f.mes = m + 1;
                f.columna = c + 1;
                return f;
            }
            celda = ch.valor;
        }
    }
    if (const std::optional<FalloMes> fm = LeeDatos(tabla, p.datos)) {
        FalloPeticion f = Rechazo(fm->mensaje, "months");
        f.mes = fm->mes;
        f.columna = fm->columna + 1;
        return f;
    }
    p.caso = static_cast<CasoEscorrentia>(*caso);
    return std::nullopt;
}

} // namespace

std::optional<FalloPeticion> LeePeticion(DocumentoJson::Valor o, Peticion& p)
{
    if (std::optional<FalloPeticion> f = LeeSitio(o["site"], p))
        return f;

    const Valor aguacero = o["storm"];
    if (Presente(aguacero)) {
        if (!aguacero.EsObjeto())
            return Sin("storm", "storm must be an object");
        if (std::optional<FalloPeticion> f = LeeAguacero(aguacero, Tormenta::Unica, p.aguacero.emplace()))
            return f;
    }

    const Valor serie = o["series"];
    if (Presente(serie))
        if (std::optional<FalloPeticion> f = LeeSerie(serie, p))
            return f;

    const Valor anio = o["year"];
    if (Presente(anio))
        if (std::optional<FalloPeticion> f = LeeAnio(anio, p))
            return f;
    return std::nullopt;
}
