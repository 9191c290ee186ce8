#include "platform/posix/LocalePaper.h"

#include <clocale>
#include <langinfo.h>

namespace tallimo {

std::pair<int, int> localePaperSizeMm() {
    std::pair<int, int> size{210, 297};
#ifdef _NL_PAPER_WIDTH
    // A locale object of its own, so the process locale is left as it is.
    const locale_t paper = newlocale(LC_PAPER_MASK, "", static_cast<locale_t>(nullptr));
    if (paper == static_cast<locale_t>(nullptr)) {
        return size;
    }
    // glibc hands the numbers back in the pointer's place.
    union {
        const char* text;
        unsigned int number;
    } width{}, height{};
    width.text = nl_langinfo_l(_NL_PAPER_WIDTH, paper);
    height.text = nl_langinfo_l(_NL_PAPER_HEIGHT, paper);
    if (width.number > 0 && height.number > 0) {
        size = {static_cast<int>(width.number), static_cast<int>(height.number)};
    }
    freelocale(paper);
#endif
    return size;
}

} // namespace tallimo
