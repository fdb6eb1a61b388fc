#pragma once

#include <sys/syscall.h>
#include <unistd.h>

namespace apoyo {

inline constexpr uid_t Nadie = 65534;
// Only root can stand for another user; an ordinary user's run leaves those
// cases out.
inline bool PuedeSerOtro()
{
    return geteuid() == 0;
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
