#ifndef FUZZCHECK_H
#define FUZZCHECK_H

#include <cstdlib>

// A fuzz target's oracle: a broken rule ends the run, so libFuzzer keeps the input.
inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

#endif // FUZZCHECK_H
