#pragma once

#include <sys/syscall.h>
#include <unistd.h>

namespace apoyo {

inline constexpr uid_t Nadie = 65534;

// Whether this process may act as another user (root may; an ordinary user,
// as most people run the tests, may not).
inline bool OtroUsuarioPosible()
{
    const uid_t yo = geteuid();
    if (seteuid(Nadie) != 0)
        return false;
    return seteuid(yo) == 0;
}

// Runs `f` as another user as the other end of a local socket sees it (the
// effective user), keeping root's access to the socket's directory.
template <class F> auto ComoUsuario(uid_t uid, F f)
{
    const uid_t yo = geteuid();
    if (seteuid(uid) != 0)
        return decltype(f())();
    syscall(SYS_setfsuid, yo);
    const auto r = f();
    (void)!seteuid(yo);
    return r;
}

} // namespace apoyo

// A test that needs a second user on the machine is skipped, saying why,
// where it cannot stage one.
#define APOYO_REQUIERE_OTRO_USUARIO()                                                                                  \
    do {                                                                                                               \
        if (!apoyo::OtroUsuarioPosible())                                                                              \
            QSKIP("another user's end of the link can only be staged as root (seteuid is refused)");                   \
    } while (false)
