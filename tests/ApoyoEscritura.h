#pragma once

// A disk that fills up, for any user: while one lives, no file of this
// process may grow past `bytes` (a write beyond fails with EFBIG, as a full
// disk fails with ENOSPC).

#include <csignal>

#include <sys/resource.h>

namespace apoyo {

class DiscoLleno {
  public:
    explicit DiscoLleno(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &antes_);
        rlimit r = antes_;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~DiscoLleno() { setrlimit(RLIMIT_FSIZE, &antes_); }
    DiscoLleno(const DiscoLleno&) = delete;
    DiscoLleno& operator=(const DiscoLleno&) = delete;

  private:
    rlimit antes_{};
};

} // namespace apoyo
