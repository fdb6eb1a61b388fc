#pragma once

#include <array>
#include <cstring>
#include <string>
#include <string_view>

// Compact JSON written straight into one string. Numbers are the shortest
// text that reads back to the same double; a value JSON cannot carry
// (infinite or NaN) is written as null so the line always parses. Writes go
// through a raw cursor rather than many small appends; the string gets its
// final length when the writer goes away, so one writer at a time per string.
class Escritor {
  public:
    explicit Escritor(std::string& s) : s_(s), n_(s.size()) {}
    ~Escritor() { s_.resize(n_); }
    Escritor(const Escritor&) = delete;
    Escritor& operator=(const Escritor&) = delete;

    void AbreObjeto() { Abre('{'); }
    void CierraObjeto() { Cierra('}'); }
    void AbreLista() { Abre('['); }
    void CierraLista() { Cierra(']'); }
    template <std::size_t N> void Clave(const char (&k)[N])
    {
        char* p = Reserva(N + 3);
        if (coma_)
            *p++ = ',';
        *p++ = '"';
        std::memcpy(p, k, N - 1);
        p += N - 1;
        *p++ = '"';
        *p++ = ':';
        n_ = static_cast<std::size_t>(p - s_.data());
        coma_ = false;
    }
    void Numero(double x);
    void Entero(long long n);
    void Logico(bool b);
    void Texto(std::string_view t);

    template <std::size_t N> void Numero(const char (&k)[N], double x)
    {
        Clave(k);
        Numero(x);
    }
    template <std::size_t N> void Entero(const char (&k)[N], long long n)
    {
        Clave(k);
        Entero(n);
    }
    template <std::size_t N> void Logico(const char (&k)[N], bool b)
    {
        Clave(k);
        Logico(b);
    }
    template <std::size_t N, std::size_t M> void Lista(const char (&k)[N], const std::array<double, M>& v)
    {
        Clave(k);
        AbreLista();
        for (double x : v)
            Numero(x);
        CierraLista();
    }

  private:
    // Room for k more bytes at the cursor. The string's own capacity grows
    // geometrically; its length only a little ahead of the cursor.
    char* Reserva(std::size_t k)
    {
        if (n_ + k > s_.size())
            s_.resize(n_ + k + 512);
        return s_.data() + n_;
    }
    void Abre(char c);
    void Cierra(char c);

    std::string& s_;
    std::size_t n_; // bytes written; the rest of the string is slack
    bool coma_ = false;
};
