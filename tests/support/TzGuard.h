#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace tallimo::test {

// Switches the process time zone for one test and puts the previous one back.
class TzGuard {
public:
    explicit TzGuard(const char* zone) {
        if (const char* previous = std::getenv("TZ")) {
            m_previous = previous;
            m_hadPrevious = true;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TzGuard() {
        if (m_hadPrevious) {
            setenv("TZ", m_previous.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    TzGuard(const TzGuard&) = delete;
    TzGuard& operator=(const TzGuard&) = delete;

private:
    std::string m_previous;
    bool m_hadPrevious = false;
};

} // namespace tallimo::test
