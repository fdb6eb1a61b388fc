#pragma once

#include <array>
#include <cassert>

// Three values indexed by antecedent moisture condition 1..3 (I, II, III),
// so that model code reads s.NAC(2), s.P0I(c).
struct PorCondicion {
    std::array<double, 3> v{0.0, 0.0, 0.0};

    double& operator()(int c)
    {
        assert(c >= 1 && c <= 3);
        return v[static_cast<std::size_t>(c - 1)];
    }
    double operator()(int c) const
    {
        assert(c >= 1 && c <= 3);
        return v[static_cast<std::size_t>(c - 1)];
    }
    bool operator==(const PorCondicion&) const = default;
};
