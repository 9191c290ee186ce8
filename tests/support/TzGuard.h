#pragma once

#include <cstdlib>
#include <ctime>

namespace tallimo::test {

// Switches the process time zone for one test and puts back Europe/Berlin, the zone every test
// starts in (see TestMain).
class TzGuard {
public:
    explicit TzGuard(const char* zone) { use(zone); }
    ~TzGuard() { use("Europe/Berlin"); }
    TzGuard(const TzGuard&) = delete;
    TzGuard& operator=(const TzGuard&) = delete;

private:
    static void use(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
};

} // namespace tallimo::test
