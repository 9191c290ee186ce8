// The importer of the previous file generation on arbitrary bytes, and a store of what it made
// that reads back as itself.
#include "fuzz/FuzzView.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tallimo::fuzz::FuzzView f;
    f.view.SerializePreFP3(std::span<const std::uint8_t>(data, size));
    tallimo::fuzz::expectStableStore(f.view.storeSheet());
    return 0;
}
