// Sets TRELCORE_TUNING for the object's lifetime: the encoder's setup in this process reads it,
// and a trelcore started meanwhile inherits it. Not thread-safe (the environment is global).
#pragma once

#include <cstdlib>

class TuningEnvironment {
public:
    explicit TuningEnvironment(const char* value) { setenv("TRELCORE_TUNING", value, 1); }
    ~TuningEnvironment() { unsetenv("TRELCORE_TUNING"); }
    TuningEnvironment(const TuningEnvironment&) = delete;
    TuningEnvironment& operator=(const TuningEnvironment&) = delete;
};
