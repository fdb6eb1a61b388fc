#include "calc/Calculadora.h"

#include "calc/Respuesta.h"
#include "documento/LectorJson.h"
#include "documento/Peticion.h"
#include "model/BalanceAguacero.h"
#include "model/ModeloCN.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Bytes read at a time: about the requests one thread answers in a go.
constexpr std::size_t Trozo = std::size_t{64} << 10;
// The longest text tried as a common request; the rest are read whole.
constexpr std::size_t PeticionComun = 4096;
// Written without building anything, for when nothing more can be built.
constexpr std::string_view SinMemoria = "{\"error\":{\"id\":0,\"field\":\"\",\"message\":\"out of memory\"}}\n";

// Requests read together and answered together.
struct Lote {
    std::uint64_t numero = 0;
    FormaFlujo forma = FormaFlujo::Secuencia;
    std::unique_ptr<char[]> datos; // the bytes read, padded for the reader
    std::size_t capacidad = 0, n = 0;
    std::vector<Pieza> piezas;
    std::string salida;
    std::string rotura; // the answer that ends the stream here, if any
    bool directa = true;
    bool sinMemoria = false;
    int estado = 0;
    bool hecho = false;

    // Room for `minimo` bytes, keeping those read.
    void Amplia(std::size_t minimo)
    {
        if (capacidad >= minimo)
            return;
        std::unique_ptr<char[]> nuevo(new char[minimo + RellenoJson]);
        if (n)
            std::memcpy(nuevo.get(), datos.get(), n);
        datos = std::move(nuevo);
        capacidad = minimo;
    }
    // Ready for reuse; what grew for one large value is given back.
    void Vacia()
    {
        n = 0;
        piezas.clear();
        salida.clear();
        rotura.clear();
        sinMemoria = hecho = false;
        estado = 0;
        if (capacidad > 16 * Trozo) {
            datos.reset();
            capacidad = 0;
        }
        if (salida.capacity() > 64 * Trozo)
            salida = std::string();
    }
};

// Room for a lote that holds `n` bytes and has room for `capacidad`: a
// Trozo or twice what it has, but no more than the `quedan` bytes still to
// come and one to find their end.
std::size_t Hueco(std::size_t n, std::size_t capacidad, std::size_t quedan)
{
    const std::size_t r = std::max(Trozo, 2 * capacidad);
    return quedan < r - n ? n + quedan + 1 : r;
}

// An answer of its own for a reason with no request behind it.
void Anota(std::string& salida, FormaFlujo forma, std::string motivo)
{
    if (forma == FormaFlujo::Lista)
        salida += ',';
    EscribeSinId(salida, std::move(motivo));
    if (forma != FormaFlujo::Lista)
        salida += '\n';
}

// Answers the requests of a lote. A value that is not JSON ends a sequence
// or an array there; in JSON Lines only its line is lost.
void Atiende(Lote& l, LectorJson* lector)
{
    std::optional<FlujoPeticiones> flujo;
    for (std::size_t i = 0; i < l.piezas.size(); ++i) {
        const Pieza& p = l.piezas[i];
        const std::size_t antes = l.salida.size();
        try {
            if (!lector)
                throw std::bad_alloc();
            if (!flujo)
                flujo.emplace(l.datos.get(), l.piezas, l.directa ? l.forma : FormaFlujo::Lista, lector->Flujo());
            if (!p.error.empty()) {
                l.estado = 2;
                if (p.termina) {
                    l.rotura = FalloDeLectura(p.error);
                    return;
                }
                Anota(l.salida, l.forma, p.error);
                continue;
            }
            const std::string_view texto(l.datos.get() + p.inicio, p.largo);
            if (l.directa) {
                Peticion peticion;
                if (flujo->Lee(i, peticion) ||
                    (texto.size() <= PeticionComun && LeePeticionDirecta(lector->Directo(), texto, peticion))) {
                    if (l.forma == FormaFlujo::Lista)
                        l.salida += ',';
                    Contesta(peticion, l.salida);
                    if (l.forma != FormaFlujo::Lista)
                        l.salida += '\n';
                    continue;
                }
            }
            switch (lector->Lee(texto, true)) {
            case LectorJson::Lectura::Malformado:
                l.estado = 2;
                if (l.forma == FormaFlujo::Lineas) {
                    Anota(l.salida, l.forma,
                          "malformed JSON on line " + std::to_string(p.linea) + ": " + lector->Motivo());
                    break;
                }
                l.rotura = FalloDeLectura("malformed JSON in the value at byte " + std::to_string(p.byte) + ": " +
                                          lector->Motivo());
                return;
            case LectorJson::Lectura::Repetida:
                l.estado = 2;
                Anota(l.salida, l.forma, lector->Motivo());
                break;
            case LectorJson::Lectura::Bien:
                if (l.forma == FormaFlujo::Lista)
                    l.salida += ',';
                if (!Responde(lector->Valor(), l.salida))
                    l.estado = 2;
                if (l.forma != FormaFlujo::Lista)
                    l.salida += '\n';
                break;
            }
        } catch (const std::bad_alloc&) {
            l.salida.resize(antes);
            l.estado = 2;
            l.sinMemoria = true;
            return;
        }
    }
}

// An array's answers, held until it closes, in one buffer grown by
// realloc: large blocks move by remapping their pages rather than by copying
// them.
struct Retenida {
    std::unique_ptr<char, decltype(&std::free)> p{nullptr, &std::free};
    std::size_t n = 0, capacidad = 0;

    bool Anade(std::string_view s)
    {
        if (s.empty())
            return true;
        if (n + s.size() > capacidad) {
            const std::size_t nueva = std::max(n + s.size(), 2 * capacidad);
            char* q = static_cast<char*>(std::realloc(p.get(), nueva));
            if (!q)
                return false;
            p.release();
            p.reset(q);
            capacidad = nueva;
        }
        std::memcpy(p.get() + n, s.data(), s.size());
        n += s.size();
        return true;
    }
};

// Hands the answers on in input order. An array's are held until it closes:
// a break anywhere in it leaves only the error.
class Orden {
  public:
    explicit Orden(const std::function<bool(std::string_view)>& escribe) : escribe_(escribe) {}

    // Takes the lotes in input order; false once nothing more is wanted.
    bool Entrega(Lote& l)
    {
        if (parado_)
            return false;
        estado_ = std::max(estado_, l.estado);
        bool roto = l.sinMemoria || !l.rotura.empty();
        if (l.forma == FormaFlujo::Lista) {
            enLista_ = true;
            if (!roto && !retenida_.Anade(l.salida)) {
                l.sinMemoria = roto = true;
                estado_ = 2;
            }
            if (roto) {
                retenida_ = {};
                enLista_ = false;
            }
        } else if (!l.salida.empty()) {
            Pasa(l.salida);
        }
        if (roto && !parado_) {
            Pasa(l.sinMemoria ? SinMemoria : std::string_view(l.rotura));
            parado_ = true;
        }
        return !parado_;
    }
    // Nothing more can be read or answered for want of memory.
    void Agotada()
    {
        retenida_ = {};
        enLista_ = false;
        estado_ = 2;
        if (!parado_)
            Pasa(SinMemoria);
        parado_ = true;
    }
    // After the last lote: an array's answer, on one line.
    void Cierra()
    {
        if (parado_ || !enLista_)
            return;
        if (retenida_.n == 0) {
            Pasa("[]\n");
            return;
        }
        if (!retenida_.Anade("]\n")) {
            Agotada();
            return;
        }
        retenida_.p.get()[0] = '['; // in place of the first answer's comma
        Pasa(std::string_view(retenida_.p.get(), retenida_.n));
        retenida_ = {};
    }
    int Estado() const { return estado_; }

  private:
    void Pasa(std::string_view s)
    {
        if (!parado_ && !escribe_(s))
            parado_ = true;
    }

    const std::function<bool(std::string_view)>& escribe_;
    Retenida retenida_; // an array's answers so far, each after a comma
    bool enLista_ = false;
    bool parado_ = false;
    int estado_ = 0;
};

// The lotes and the threads that answer them. With one thread the lotes are
// answered as they are handed over.
class Tuberia {
  public:
    Tuberia(int hilos, Orden& orden) : orden_(orden)
    {
        // simdjson picks its code on first use: before any thread does.
        (void)simdjson::get_active_implementation();
        const std::size_t n = hilos > 1 ? 2 * static_cast<std::size_t>(hilos) + 2 : 2;
        for (std::size_t i = 0; i < n; ++i)
            libres_.push_back(lotes_.emplace_back(std::make_unique<Lote>()).get());
        // This thread reads and cuts; the others answer.
        try {
            for (int i = 0; hilos > 1 && i < hilos; ++i)
                hilos_.emplace_back([this] { Trabaja(); });
        } catch (const std::system_error&) {
        }
        if (hilos_.empty())
            lector_ = std::make_unique<LectorJson>();
    }
    ~Tuberia() { Cierra(); }

    // A lote to fill, or none once nothing more is wanted.
    Lote* Libre()
    {
        std::unique_lock lk(m_);
        libre_.wait(lk, [this] { return !libres_.empty() || parado_; });
        if (parado_)
            return nullptr;
        Lote* l = libres_.back();
        libres_.pop_back();
        return l;
    }

    void Encola(Lote* l)
    {
        std::unique_lock lk(m_);
        l->numero = numerados_++;
        enCurso_.push_back(l);
        if (hilos_.empty()) {
            lk.unlock();
            if (!parado_)
                Atiende(*l, lector_.get());
            lk.lock();
            l->hecho = true;
            Reparte();
            return;
        }
        cola_.push_back(l);
        trabajo_.notify_one();
    }

    // Waits until every lote handed over has been answered and delivered.
    void Cierra()
    {
        {
            std::lock_guard lk(m_);
            cerrado_ = true;
        }
        trabajo_.notify_all();
        for (std::thread& h : hilos_)
            h.join();
        hilos_.clear();
    }

  private:
    void Trabaja()
    {
        std::unique_ptr<LectorJson> lector;
        try {
            lector = std::make_unique<LectorJson>();
        } catch (const std::bad_alloc&) {
        }
        for (;;) {
            Lote* l = nullptr;
            {
                std::unique_lock lk(m_);
                trabajo_.wait(lk, [this] { return !cola_.empty() || cerrado_; });
                if (cola_.empty())
                    return;
                l = cola_.front();
                cola_.pop_front();
            }
            if (!parado_)
                Atiende(*l, lector.get());
            std::lock_guard lk(m_);
            l->hecho = true;
            Reparte();
        }
    }

    // Delivers the lotes answered, in order. With m_ held.
    void Reparte()
    {
        for (;;) {
            const auto e = std::find_if(enCurso_.begin(), enCurso_.end(),
                                        [this](const Lote* l) { return l->numero == siguiente_; });
            if (e == enCurso_.end() || !(*e)->hecho)
                break;
            Lote* l = *e;
            enCurso_.erase(e);
            if (!parado_ && !orden_.Entrega(*l))
                parado_ = true;
            ++siguiente_;
            l->Vacia();
            libres_.push_back(l);
        }
        libre_.notify_all();
    }

    Orden& orden_;
    std::mutex m_;
    std::condition_variable trabajo_, libre_;
    std::vector<std::unique_ptr<Lote>> lotes_;
    std::vector<Lote*> libres_;
    std::deque<Lote*> cola_;
    std::vector<Lote*> enCurso_; // handed over, not yet delivered
    std::uint64_t numerados_ = 0, siguiente_ = 0;
    std::atomic<bool> parado_ = false;
    bool cerrado_ = false;
    std::unique_ptr<LectorJson> lector_; // when there are no threads
    std::vector<std::thread> hilos_;
};

} // namespace

int CalculaFlujo(const Entrada& entrada, const std::function<bool(std::string_view)>& escribe, const OpcionesCalculo& o)
{
    Orden orden(escribe);
    try {
        Tuberia tuberia(o.hilos, orden);
        Troceador troceador(o.lineas);
        Lote* l = tuberia.Libre();
        std::size_t cortado = 0; // bytes of the lote cut into pieces
        std::size_t leidos = 0;
        // An input that goes on past its announced length is of unknown length.
        const auto quedan = [&] {
            return entrada.largo == 0 || leidos > entrada.largo ? SIZE_MAX : entrada.largo - leidos;
        };
        while (l) {
            if (l->n == l->capacidad)
                l->Amplia(Hueco(l->n, l->capacidad, quedan()));
            const std::ptrdiff_t r = entrada.lee(l->datos.get() + l->n, l->capacidad - l->n);
            const int error = errno;
            if (r > 0) {
                l->n += static_cast<std::size_t>(r);
                leidos += static_cast<std::size_t>(r);
            }
            std::memset(l->datos.get() + l->n, ' ', RellenoJson);
            cortado = troceador.Corta(std::string_view(l->datos.get(), l->n), cortado, r == 0, l->piezas);
            if (r < 0 && !troceador.Terminado()) {
                Pieza& p = l->piezas.emplace_back();
                p.error = "cannot read " + entrada.nombre + ": " + std::strerror(error);
                p.termina = true;
            }
            const bool acabado = r <= 0 || troceador.Terminado();
            // A short read hands on what is cut, so that answers to a slow
            // writer come as its requests do.
            const bool corto = r > 0 && l->n < l->capacidad;
            if (!acabado && (corto ? l->piezas.empty() : cortado == 0))
                continue;
            Lote* siguiente = acabado ? nullptr : tuberia.Libre();
            if (siguiente) {
                siguiente->Amplia(Hueco(l->n - cortado, l->n - cortado, quedan()));
                siguiente->n = l->n - cortado;
                std::memcpy(siguiente->datos.get(), l->datos.get() + cortado, siguiente->n);
            }
            l->forma = troceador.Forma();
            l->directa = o.directa;
            tuberia.Encola(l);
            l = siguiente;
            cortado = 0;
        }
        tuberia.Cierra();
    } catch (const std::bad_alloc&) {
        orden.Agotada();
    }
    orden.Cierra();
    return orden.Estado();
}

std::string Calcula(std::string_view entrada, int& estado, const OpcionesCalculo& o)
{
    std::size_t leido = 0;
    const Entrada e{[&](char* p, std::size_t n) {
                        n = std::min(n, entrada.size() - leido);
                        if (n)
                            std::memcpy(p, entrada.data() + leido, n);
                        leido += n;
                        return static_cast<std::ptrdiff_t>(n);
                    },
                    "the input", entrada.size()};
    std::string salida;
    bool agotada = false;
    estado = CalculaFlujo(
        e,
        [&](std::string_view s) {
            try {
                salida += s;
                return true;
            } catch (const std::bad_alloc&) {
                agotada = true;
                return false;
            }
        },
        o);
    if (agotada) {
        salida = SinMemoria;
        estado = 2;
    }
    return salida;
}
